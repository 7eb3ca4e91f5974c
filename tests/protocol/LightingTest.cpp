// The light mode command.
#include <gtest/gtest.h>

#include "DeviceJobTestSupport.h"
#include "protocol/CommandSet.h"
#include "protocol/Lighting.h"

namespace {

using device_job_test::DeviceJobFixture;
using device_job_test::Frame;

class LightingTest : public DeviceJobFixture {};

TEST_F(LightingTest, StoredModeIsSentForItsProfile) {
    Connect();
    struct Case {
        int profile;
        const char16_t* stored;
        const char* frame;
        uint8_t held;  // the mode the mouse keeps afterwards
    };
    const Case cases[] = {
        {2, u"3", "00 55 21 A5 07 03 00 00 01 00 00 03", 3},
        {1, u"6", "00 55 21 A5 09 03 00 00 00 00 00 06", 6},
        {5, u"0", "00 55 21 A5 07 03 00 00 04 00 00 00", 0},
        {3, u"bright", "00 55 21 A5 05 03 00 00 02 00 00 00", 0},  // not a number: mode 0
        {4, u"261", "00 55 21 A5 0B 03 00 00 03 00 00 05", 5},     // the low byte
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(db.SetConfigValue(c.profile, "light_mode", c.stored));
        Bus().ClearIoLog();
        protocol::SendLightMode(manager, db, c.profile);
        EXPECT_EQ(OnlyWrite(), Frame(c.frame)) << c.profile;
        EXPECT_EQ(Mouse().Settings(c.profile - 1)[1], c.held) << c.profile;
    }
    EXPECT_EQ(Mouse().RejectedCount(), 0);
}

TEST_F(LightingTest, NothingIsSentForAProfileTheMouseDoesNotHave) {
    Connect();
    protocol::SendLightMode(manager, db, 0);
    protocol::SendLightMode(manager, db, 6);
    EXPECT_TRUE(Writes().empty());
}

}  // namespace
