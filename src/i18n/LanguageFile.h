#pragma once

#include <string>

namespace i18n {

// A value longer than this many UTF-16 units is cut by the lookup.
inline constexpr size_t kMaxTextLength = 259;

// The language file of a language: ExeFolder() + "language/<id>.lan".
std::string LanguageFilePath(int languageId);

// Text `key` of `section` ("LAN") in the current language's file; empty when the file, the
// section or the key is missing. The file is read on every call (nothing is cached), so an
// edited file shows at the next lookup.
std::u16string LoadText(int key, const char* section = "LAN");

// The same lookup in a given file, as an initialisation-file reader does it: section and key
// names match without regard to ASCII case and around-blank trimming; the first matching section
// and key win; the value is trimmed of blanks, one pair of enclosing quotes is removed, and it is
// cut at 259 units. The file may be UTF-16 LE or BE with a byte order mark, or UTF-8 with or
// without one (malformed bytes read as U+FFFD).
std::u16string ReadProfileString(const std::string& path, std::u16string_view section,
                                 std::u16string_view key);

}  // namespace i18n
