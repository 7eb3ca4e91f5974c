#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "app/Startup.h"
#include "i18n/Language.h"
#include "platform/Folders.h"
#include "platform/SettingsKey.h"
#include "support/TempHome.h"

namespace {

using testing_support::ReadFile;
using testing_support::RemoveTree;
using testing_support::WriteFile;

class ChooseLanguageTest : public testing::Test {
protected:
    void SetUp() override {
        RemoveTree(Folder());
        for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
            unsetenv(name);
        }
    }
    void TearDown() override {
        RemoveTree(Folder());
        unsetenv("LANG");
    }
    static std::string Folder() {
        std::string folder = platform::SettingsFolder();
        folder.pop_back();
        return folder;
    }
    static void Store(const std::string& contents) {
        std::filesystem::create_directories(Folder());
        ASSERT_TRUE(WriteFile(platform::SettingsKey::Path(), contents));
    }
};

TEST_F(ChooseLanguageTest, FirstStartTakesTheDesktopLanguage) {
    struct Case {
        const char* locale;
        int chosen;
    };
    const Case cases[] = {
        {"ru_RU.UTF-8", 1049}, {"en_US.UTF-8", 1033}, {"en_GB.UTF-8", 2052},
        {"de_DE.UTF-8", 2052}, {"zh_CN.UTF-8", 2052}, {"C", 1033},
    };
    for (const Case& c : cases) {
        RemoveTree(Folder());
        setenv("LANG", c.locale, 1);
        EXPECT_EQ(app::ChooseLanguage(), c.chosen) << c.locale;
        EXPECT_EQ(i18n::CurrentLanguage(), c.chosen);
        EXPECT_EQ(ReadFile(platform::SettingsKey::Path()), "LCID=" + std::to_string(c.chosen) + "\n")
            << "the key is created and the choice written back";
    }
}

TEST_F(ChooseLanguageTest, StoredLanguageWinsAndUnsupportedOnesBecomeChinese) {
    setenv("LANG", "ru_RU.UTF-8", 1);
    struct Case {
        std::string stored;
        int chosen;
    };
    const Case cases[] = {
        {"LCID=1033\n", 1033}, {"LCID=1049\n", 1049}, {"LCID=1028\n", 2052},
        {"LCID=2052\n", 2052}, {"LCID=\n", 1049},     {"LCID=junk\n", 1049},
    };
    for (const Case& c : cases) {
        Store(c.stored);
        EXPECT_EQ(app::ChooseLanguage(), c.chosen) << c.stored;
        EXPECT_EQ(ReadFile(platform::SettingsKey::Path()), "LCID=" + std::to_string(c.chosen) + "\n");
    }
}

TEST_F(ChooseLanguageTest, UnreadableKeyMeansChineseAndNothingIsWritten) {
    std::filesystem::create_directories(platform::SettingsKey::Path());  // a folder in its place
    setenv("LANG", "en_US.UTF-8", 1);
    EXPECT_EQ(app::ChooseLanguage(), 2052);
    EXPECT_TRUE(std::filesystem::is_directory(platform::SettingsKey::Path()));
}

TEST(Startup, HideIsAPlainSubstring) {
    struct Case {
        const char* commandLine;
        bool hidden;
    };
    const Case cases[] = {
        {"-hide", true},         {"--simulate -hideme", true}, {"x-hidey", true},       {"-hidden", false},
        {"", false},             {"-Hide", false},             {"hide", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(app::HasHideSwitch(c.commandLine), c.hidden) << c.commandLine;
    }
}

TEST(Startup, DataFolderIsCreatedWithItsDatabaseFolder) {
    const std::string data = platform::DataFolder();
    RemoveTree(std::filesystem::path(data).parent_path().parent_path().string());
    EXPECT_TRUE(app::PrepareDataFolder());
    EXPECT_TRUE(std::filesystem::is_directory(data + "db"));
}

}  // namespace
