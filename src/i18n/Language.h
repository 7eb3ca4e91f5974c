#pragma once

namespace i18n {

// Windows language identifiers of the three user-interface languages.
inline constexpr int kRussian = 1049;
inline constexpr int kEnglish = 1033;
inline constexpr int kChinese = 2052;

// The user-interface language of the process: 1049, 1033 or 2052 once start-up has chosen it.
// Safe to read from any thread.
int CurrentLanguage();
void SetCurrentLanguage(int id);

}  // namespace i18n
