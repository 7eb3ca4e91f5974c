#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>

#include "platform/Folders.h"
#include "support/TempHome.h"

namespace {

using testing_support::MakeTempFolder;
using testing_support::TestHome;
using testing_support::WriteFile;

// Restores one environment variable when the test ends.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : m_name(name) {
        if (const char* old = std::getenv(name)) {
            m_old = old;
            m_had = true;
        }
        value ? setenv(name, value, 1) : unsetenv(name);
    }
    ~ScopedEnv() { m_had ? setenv(m_name, m_old.c_str(), 1) : unsetenv(m_name); }

private:
    const char* m_name;
    std::string m_old;
    bool m_had = false;
};

TEST(Folders, ExeFolderIsTheFolderOfThisProgram) {
    const std::string folder = platform::ExeFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '/');
    EXPECT_TRUE(std::filesystem::exists(folder + "test_platform"));
}

TEST(Folders, DataFolderFollowsTheDocumentsFolder) {
    {
        ScopedEnv documents("XDG_DOCUMENTS_DIR", "/srv/docs");
        EXPECT_EQ(platform::DataFolder(), "/srv/docs/Varneth software MouseDbFiles/");
    }
    {
        // Without the variable, user-dirs.dirs decides, with $HOME expanded.
        ScopedEnv documents("XDG_DOCUMENTS_DIR", nullptr);
        const std::string config = MakeTempFolder("config");
        ScopedEnv configHome("XDG_CONFIG_HOME", config.c_str());
        ASSERT_TRUE(WriteFile(config + "/user-dirs.dirs",
                              "# comment\nXDG_DESKTOP_DIR=\"$HOME/Desk\"\n"
                              "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n"));
        EXPECT_EQ(platform::DataFolder(), TestHome() + "/Dokumente/Varneth software MouseDbFiles/");
        // A malformed line falls back to ~/Documents.
        ASSERT_TRUE(WriteFile(config + "/user-dirs.dirs", "XDG_DOCUMENTS_DIR=Dokumente\n"));
        EXPECT_EQ(platform::DataFolder(), TestHome() + "/Documents/Varneth software MouseDbFiles/");
    }
}

TEST(Folders, SettingsFolderIsUnderTheConfigHome) {
    EXPECT_EQ(platform::SettingsFolder(), TestHome() + "/.config/Varneth software/");
    ScopedEnv relative("XDG_CONFIG_HOME", "relative/path");
    EXPECT_EQ(platform::SettingsFolder(), TestHome() + "/.config/Varneth software/");
}

TEST(Folders, EnsureFolderCreatesMissingParents) {
    const std::string root = MakeTempFolder("ensure");
    const std::string deep = root + "/Documents/Varneth software MouseDbFiles/db";
    EXPECT_TRUE(platform::EnsureFolder(deep));
    EXPECT_TRUE(platform::IsDirectory(deep));
    EXPECT_TRUE(platform::EnsureFolder(deep)) << "an existing folder is success";
}

TEST(Folders, EnsureFolderFailsWhereAFileOrPermissionsStandInTheWay) {
    const std::string root = MakeTempFolder("blocked");
    ASSERT_TRUE(WriteFile(root + "/file", "x"));
    EXPECT_FALSE(platform::EnsureFolder(root + "/file"));
    EXPECT_FALSE(platform::EnsureFolder(root + "/file/below"));
    EXPECT_FALSE(platform::EnsureFolder(""));
    if (geteuid() != 0) {
        chmod(root.c_str(), 0500);
        EXPECT_FALSE(platform::EnsureFolder(root + "/new"));
        chmod(root.c_str(), 0700);
    }
}

}  // namespace
