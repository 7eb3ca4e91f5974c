#pragma once

#include <string_view>

namespace platform {

// The desktop's user-interface language as a Windows language identifier, from the first of
// LANGUAGE, LC_ALL, LC_MESSAGES and LANG that names a language. "C", "POSIX" and an unset
// environment count as US English (1033).
int SystemUiLanguage();

// Maps one locale name ("ru_RU.UTF-8", "en_US", "zh_CN", "de", "sr_RS@latin"...) to a Windows
// language identifier; 0 when the language is unknown.
int LocaleToLanguageId(std::string_view locale);

}  // namespace platform
