#pragma once

#include <string_view>

namespace app {

// Chooses the user-interface language at start-up: the stored "LCID", else the desktop's UI
// language; 1049 and 1033 stay, every other value becomes 2052. The choice is stored back with
// WriteLanguageSetting and becomes CurrentLanguage. Returns it.
int ChooseLanguage();

// The language identifier that a stored or system value maps to: 1049 and 1033 are kept,
// anything else is 2052.
int SupportedLanguage(int id);

// True when "-hide" appears anywhere in the command line (a plain, case-sensitive substring, so
// "-hidden" counts too): the window then starts hidden.
bool HasHideSwitch(std::string_view commandLine);

// Prepares the user's data folder: creates DataFolder() + "db" with its parents. The result is
// not needed by start-up, which goes on either way.
bool PrepareDataFolder();

}  // namespace app
