#include "app/Startup.h"

#include "i18n/Language.h"
#include "platform/Folders.h"
#include "platform/SettingsKey.h"
#include "platform/SystemLanguage.h"

namespace app {

int SupportedLanguage(int id) {
    return (id == i18n::kRussian || id == i18n::kEnglish) ? id : i18n::kChinese;
}

int ChooseLanguage() {
    int id = platform::ReadLanguageSetting();
    if (id == 0) {
        id = platform::SystemUiLanguage();
    }
    id = SupportedLanguage(id);
    platform::WriteLanguageSetting(id);
    i18n::SetCurrentLanguage(id);
    return id;
}

bool HasHideSwitch(std::string_view commandLine) {
    return commandLine.find("-hide") != std::string_view::npos;
}

bool PrepareDataFolder() { return platform::EnsureFolder(platform::DataFolder() + "db"); }

}  // namespace app
