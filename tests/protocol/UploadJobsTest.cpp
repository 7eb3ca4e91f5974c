// The upload and reset jobs: which commands reach the mouse, in which order, and what the store
// and the mouse hold afterwards.
#include <gtest/gtest.h>

#include "DeviceJobTestSupport.h"
#include "protocol/CommandSet.h"
#include "protocol/SettingsBlock.h"
#include "protocol/UploadJobs.h"

namespace {

using device_job_test::DeviceJobFixture;
using device_job_test::Hex;

class UploadJobsTest : public DeviceJobFixture {
  protected:
    std::u16string Value(int profile, const char* key) {
        std::u16string value;
        db.GetConfigValue(profile, key, value);
        return value;
    }

    // The settings block the store gives a profile, as the mouse keeps it.
    std::string StoredBlock(int profile) {
        const protocol::CommandReport block = protocol::BuildSettingsBlock(db, profile);
        return Hex(std::span<const uint8_t>(block.Bytes().data() + 9, 46));
    }
};

TEST_F(UploadJobsTest, UploadingTheDefaultProfile) {
    Connect();
    protocol::UploadProfile(manager, db, 1);
    EXPECT_EQ(Commands(), "0D/00 0D/00 10/00 09/00 09/01 09/02 09/03 09/04 0F/00 22/00 23/00");
    EXPECT_EQ(Mouse().RejectedCount(), 0);
    EXPECT_EQ(Mouse().MacroDoneCount(), 1);
    EXPECT_EQ(Hex(Mouse().Settings(0)), StoredBlock(1));
    const auto writes = Writes();
    EXPECT_EQ(Hex(std::span<const uint8_t>(writes[9].data() + 11, 3)), "03 40 06");  // stage 3
    EXPECT_EQ(writes[10][11], 0x02);                                                 // 250 Hz
}

TEST_F(UploadJobsTest, UploadingAnotherProfileNamesItInItsSettings) {
    Connect();
    protocol::UploadProfile(manager, db, 4);
    EXPECT_EQ(Commands(), "0D/00 0D/00 10/00 09/00 09/01 09/02 09/03 09/04 0F/03 22/03 23/03");
    EXPECT_EQ(Hex(Mouse().Settings(3)), StoredBlock(4));
}

TEST_F(UploadJobsTest, ResettingAProfileSendsItAndLightMode3) {
    ASSERT_TRUE(db.SetConfigValue(2, "light_mode", u"5"));
    Connect();
    protocol::ResetProfileOnDevice(manager, db, 2);
    EXPECT_EQ(Commands(), "09/00 09/01 09/02 09/03 09/04 0F/01 22/01 23/01 21/01");
    EXPECT_EQ(Value(2, "light_mode"), u"3");
    EXPECT_EQ(Writes().back()[11], 0x03);
    EXPECT_EQ(Mouse().Settings(1)[1], 0x03);
    EXPECT_EQ(Mouse().RejectedCount(), 0);
}

TEST_F(UploadJobsTest, FactoryResetStoresTheConnectionsReportRate) {
    struct Case {
        int connectionKind;
        const char16_t* rate;
    };
    const Case cases[] = {{0, u"4"}, {1, u"2"}, {2, u"2"}, {3, u"2"}, {-1, u"2"}};
    Bus().EditMouse([](sim::VirtualMouse& mouse) { mouse.SetBattery(50, 2); });
    Connect();
    for (const Case& c : cases) {
        ASSERT_TRUE(db.SetConfigValue(1, "report_rate", u"1"));
        ASSERT_TRUE(db.SetConfigValue(1, "light_mode", u"6"));
        Bus().ClearIoLog();

        const auto battery = protocol::FactoryResetOnDevice(manager, db, 1, c.connectionKind);

        EXPECT_EQ(Value(1, "report_rate"), c.rate) << c.connectionKind;
        EXPECT_EQ(Value(1, "light_mode"), u"3") << c.connectionKind;
        EXPECT_EQ(Commands(), "0D/00 0D/00 10/00 09/00 09/01 09/02 09/03 09/04 0F/00 21/00 30/00")
            << c.connectionKind;
        const auto writes = Writes();
        ASSERT_EQ(writes.size(), 11u);
        EXPECT_EQ(writes[8][11], c.rate[0] - u'0') << c.connectionKind;  // in the settings block
        EXPECT_EQ(writes[9][11], 0x03) << c.connectionKind;
        ASSERT_TRUE(battery);
        EXPECT_EQ(battery->level, 50);
        EXPECT_EQ(battery->state, 2);
    }
}

}  // namespace
