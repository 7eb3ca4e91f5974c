// Choosing the database file of the model in effect from the catalogue's mice list.
#include <gtest/gtest.h>

#include "StoreTestSupport.h"
#include "platform/Folders.h"
#include "platform/SettingsKey.h"
#include "store/ProfileListRefresh.h"
#include "store/SelectDeviceDatabase.h"

namespace store {
namespace {

using store_test::Exists;
using store_test::QueryOne;

device::DeviceDescriptor Mouse(const std::u16string& name, int type, const std::u16string& db) {
    device::DeviceDescriptor mouse;
    mouse.name = name;
    mouse.deviceType = type;
    mouse.databaseName = db;
    return mouse;
}

class SelectDeviceDatabaseTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(platform::EnsureFolder(platform::DataFolder() + "db"));
        platform::SettingsKey key;
        if (key.Open() != platform::SettingsKey::OpenResult::Opened) {
            ASSERT_TRUE(key.Create());
        }
        platform::WriteDeviceTypeSetting(101);
    }

    static std::string FileOf(const std::string& name) {
        return platform::DataFolder() + "db/" + name + "_data_trq.db";
    }

    ProfileDatabase m_db;
};

TEST_F(SelectDeviceDatabaseTest, TheFirstMouseOfTheStoredTypeNamesTheFile) {
    const device::DeviceDescriptorList mice = {Mouse(u"Old", 100, u"Old"),
                                               Mouse(u"V1", 101, u"Varneth V1"),
                                               Mouse(u"V2", 101, u"Varneth V2")};
    EXPECT_TRUE(SelectDeviceDatabase(mice, m_db));
    EXPECT_TRUE(m_db.IsOpened());
    EXPECT_EQ(m_db.DeviceType(), 101);
    EXPECT_EQ(m_db.DatabasePath(), FileOf("Varneth V1"));
    EXPECT_TRUE(Exists(FileOf("Varneth V1")));
    EXPECT_FALSE(Exists(FileOf("Varneth V2")));
    EXPECT_EQ(DatabaseNameForDeviceType(mice, 100, u"Mouse"), u"Old");
}

TEST_F(SelectDeviceDatabaseTest, WithoutAMouseOfTheStoredTypeTheNameIsEmpty) {
    EXPECT_TRUE(SelectDeviceDatabase({Mouse(u"Other", 7, u"Other")}, m_db));
    EXPECT_EQ(m_db.DatabasePath(), FileOf(""));
    EXPECT_TRUE(SelectDeviceDatabase({}, m_db));
    EXPECT_EQ(m_db.DatabasePath(), FileOf(""));
}

TEST_F(SelectDeviceDatabaseTest, SelectingAgainClosesTheOpenFileFirst) {
    ASSERT_TRUE(SelectDeviceDatabase({Mouse(u"A", 101, u"Alpha")}, m_db));
    EXPECT_EQ(m_db.AddMacro(u"alpha"), 1);
    ASSERT_TRUE(SelectDeviceDatabase({Mouse(u"B", 101, u"Beta")}, m_db));
    EXPECT_EQ(m_db.AddMacro(u"beta"), 1);
    EXPECT_EQ(QueryOne(FileOf("Alpha"), "SELECT group_concat(name) FROM t_macro_data"), "alpha");
    EXPECT_EQ(QueryOne(FileOf("Beta"), "SELECT group_concat(name) FROM t_macro_data"), "beta");
}

TEST_F(SelectDeviceDatabaseTest, TheFactoryResetFallsBackToTheMouseFile) {
    {
        ProfileDatabase earlier;
        ASSERT_TRUE(earlier.OpenForDevice(platform::DataFolder(), u"Mouse"));
        RefreshProfileStore(earlier, [](int) { return std::u16string(); });
        earlier.AddProfile(ProfileInfo{});
    }
    EXPECT_TRUE(ClearDeviceDatabase({Mouse(u"Other", 7, u"Other")}, m_db));
    EXPECT_EQ(m_db.DatabasePath(), FileOf("Mouse"));
    EXPECT_EQ(QueryOne(FileOf("Mouse"), "SELECT count(*) FROM t_profile_data"), "0");
    EXPECT_EQ(QueryOne(FileOf("Mouse"), "SELECT count(*) FROM sqlite_sequence"), "0");
}

TEST_F(SelectDeviceDatabaseTest, NoStoredDeviceTypeSelectsAMouseWithoutOne) {
    platform::WriteDeviceTypeSetting(0);
    EXPECT_TRUE(SelectDeviceDatabase({Mouse(u"V", 101, u"V"), Mouse(u"N", 0, u"Untyped")}, m_db));
    EXPECT_EQ(m_db.DeviceType(), 0);
    EXPECT_EQ(m_db.DatabasePath(), FileOf("Untyped"));
}

}  // namespace
}  // namespace store
