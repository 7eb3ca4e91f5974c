#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "platform/FileIo.h"
#include "platform/Folders.h"
#include "platform/SettingsKey.h"
#include "support/TempHome.h"

namespace {

using testing_support::ReadFile;
using testing_support::RemoveTree;
using testing_support::WriteFile;

class SettingsKeyTest : public testing::Test {
protected:
    void SetUp() override { RemoveTree(Folder()); }
    void TearDown() override { RemoveTree(Folder()); }

    static std::string Folder() {
        std::string folder = platform::SettingsFolder();
        folder.pop_back();
        return folder;
    }
    static std::string File() { return platform::SettingsKey::Path(); }
    static void Store(const std::string& contents) {
        std::filesystem::create_directories(Folder());
        ASSERT_TRUE(WriteFile(File(), contents));
    }
};

TEST_F(SettingsKeyTest, LanguageIsZeroWhenTheKeyHadToBeCreated) {
    EXPECT_EQ(platform::ReadLanguageSetting(), 0);
    EXPECT_TRUE(std::filesystem::is_regular_file(File()));
    EXPECT_EQ(ReadFile(File()), "");
}

TEST_F(SettingsKeyTest, StoredValuesParseTheirLeadingDigits) {
    struct Case {
        std::string contents;
        int language;
        int deviceType;
    };
    const Case cases[] = {
        {"LCID=1049\nDeviceType=101\n", 1049, 101},
        {"lcid=1033\r\ndevicetype=7\r\n", 1033, 7},  // names ignore case, CR LF is fine
        {"LCID=2052abc\n", 2052, 0},
        {"LCID=\n", 0, 0},
        {"LCID=abc\n", 0, 0},
        {"DeviceType=101\n", 0, 101},
        {"\x01\x02garbage\xff\nLCID=1028\n", 1028, 0},
        {"LCID=1049\nLCID=1033\n", 1049, 0},  // the first value counts
    };
    for (const Case& c : cases) {
        Store(c.contents);
        EXPECT_EQ(platform::ReadLanguageSetting(), c.language) << c.contents;
        EXPECT_EQ(platform::ReadDeviceTypeSetting(), c.deviceType) << c.contents;
    }
}

TEST_F(SettingsKeyTest, UnreadableKeyGives2052AndIsNeverOverwritten) {
    // A folder where the file should be.
    std::filesystem::create_directories(File());
    EXPECT_EQ(platform::ReadLanguageSetting(), 2052);
    platform::WriteLanguageSetting(1033);
    EXPECT_TRUE(std::filesystem::is_directory(File()));
    EXPECT_EQ(platform::ReadDeviceTypeSetting(), 0);

    // A file far too large to be ours.
    RemoveTree(Folder());
    Store(std::string(100000, 'x'));
    EXPECT_EQ(platform::ReadLanguageSetting(), 2052);
    platform::WriteLanguageSetting(1033);
    EXPECT_EQ(ReadFile(File()).size(), 100000u);
}

TEST_F(SettingsKeyTest, KeyThatCannotBeCreatedGives2052) {
    // A file where the settings folder should be.
    std::filesystem::create_directories(platform::ConfigHome());
    ASSERT_TRUE(WriteFile(Folder(), "not a folder"));
    EXPECT_EQ(platform::ReadLanguageSetting(), 2052);
    EXPECT_EQ(ReadFile(Folder()), "not a folder");
    std::filesystem::remove(Folder());
}

TEST_F(SettingsKeyTest, WritesOnlyAnExistingKeyAndKeepsOtherLines) {
    platform::WriteLanguageSetting(1049);
    platform::WriteDeviceTypeSetting(101);
    EXPECT_FALSE(std::filesystem::exists(File())) << "writing never creates the key";
    EXPECT_EQ(platform::ReadDeviceTypeSetting(), 0);
    EXPECT_FALSE(std::filesystem::exists(File())) << "reading the device type never creates it";

    Store("# kept\nOther=yes\nLCID=1033\n");
    platform::WriteLanguageSetting(1049);
    platform::WriteDeviceTypeSetting(101);
    EXPECT_EQ(ReadFile(File()), "# kept\nOther=yes\nLCID=1049\nDeviceType=101\n");
    EXPECT_EQ(platform::ReadLanguageSetting(), 1049);
    EXPECT_EQ(platform::ReadDeviceTypeSetting(), 101);
    // No temporary files are left beside it.
    int entries = 0;
    for (const auto& entry : std::filesystem::directory_iterator(Folder())) {
        (void)entry;
        ++entries;
    }
    EXPECT_EQ(entries, 1);
}

TEST_F(SettingsKeyTest, FailedWriteLeavesTheFileAsItWas) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "permissions do not stop root";
    }
    Store("LCID=1033\n");
    chmod(Folder().c_str(), 0500);
    platform::WriteLanguageSetting(1049);
    chmod(Folder().c_str(), 0700);
    EXPECT_EQ(ReadFile(File()), "LCID=1033\n");
}

TEST(FileIo, AtomicWriteReplacesWholeFile) {
    const std::string folder = testing_support::MakeTempFolder("io");
    const std::string path = folder + "/f";
    ASSERT_TRUE(platform::WriteFileAtomically(path, "first version, longer"));
    ASSERT_TRUE(platform::WriteFileAtomically(path, "second"));
    EXPECT_EQ(platform::ReadWholeFile(path, 100).value_or("?"), "second");
    EXPECT_FALSE(platform::ReadWholeFile(path, 3).has_value()) << "over the cap";
    EXPECT_FALSE(platform::ReadWholeFile(folder + "/missing", 100).has_value());
    EXPECT_FALSE(platform::WriteFileAtomically(folder + "/no/such/folder/f", "x"));
}

}  // namespace
