// Reading the mouse's state: battery, button entries of every profile, settings, firmware.
#include <gtest/gtest.h>

#include "DeviceJobTestSupport.h"
#include "protocol/CommandSet.h"
#include "protocol/DeviceStateReader.h"

namespace {

using device_job_test::Bytes;
using device_job_test::ConfigOf;
using device_job_test::DeviceJobFixture;
using device_job_test::Frame;

constexpr size_t kReplySize = 64;

class DeviceStateReaderTest : public DeviceJobFixture {
  protected:
    void SetAllMouseButtons(const std::string& entries) {
        sim::VirtualMouse::ButtonEntries held{};
        const std::vector<uint8_t> bytes = Bytes(entries, held.size());
        std::copy(bytes.begin(), bytes.end(), held.begin());
        Bus().EditMouse([&](sim::VirtualMouse& mouse) {
            for (int p = 0; p < sim::VirtualMouse::kProfiles; ++p) {
                mouse.SetButtons(p, held);
            }
        });
    }

    // The one row of button 1 of each profile: its type and text.
    std::vector<std::pair<int, std::u16string>> FirstButtons() {
        std::vector<std::pair<int, std::u16string>> rows;
        for (int p = 1; p <= 5; ++p) {
            store::KeyMapping row;
            db.GetKeyMapping(p, 1, row);
            rows.emplace_back(row.macro_type, row.macro_desc);
        }
        return rows;
    }
};

TEST_F(DeviceStateReaderTest, BatteryComesOnlyFromAnAnswerToTheBatteryCommand) {
    Bus().EditMouse([](sim::VirtualMouse& mouse) { mouse.SetBattery(40, 1); });
    EXPECT_FALSE(protocol::ReadBattery(manager, 2)) << "no connection";
    Connect();
    const auto reading = protocol::ReadBattery(manager, 2);
    ASSERT_TRUE(reading);
    EXPECT_EQ(reading->level, 40);
    EXPECT_EQ(reading->state, 1);
    EXPECT_EQ(OnlyWrite(), Frame("00 55 30 A5 2F 2E 00 00 01"));

    sim::SimFaults wrongEcho;
    wrongEcho.scriptedReplies.push_back(Bytes("AA 31 00 00 00 00 00 00 28 01", kReplySize));
    sim::SimFaults refused;
    refused.corruptReplies = -1;
    for (const sim::SimFaults& faults : {wrongEcho, refused}) {
        Bus().SetFaults(faults);
        EXPECT_FALSE(protocol::ReadBattery(manager, 2));
    }
    Bus().SetFaults({});
    EXPECT_FALSE(protocol::ReadBattery(manager, 0));
}

TEST_F(DeviceStateReaderTest, FirmwareVersionText) {
    struct Case {
        const char* name;
        const char* version;  // the mouse's three version characters
        sim::SimFaults faults;
        std::u16string text;      // ReadFirmwareText
        std::u16string versions;  // ReadFirmwareVersions
    };
    sim::SimFaults none;
    sim::SimFaults noFeature;
    noFeature.featureFailures = -1;
    sim::SimFaults wrongEcho;
    wrongEcho.scriptedReplies.push_back(Bytes("AA 04", kReplySize));
    sim::SimFaults nothing;
    nothing.featureFailures = -1;
    nothing.corruptReplies = -1;
    const Case cases[] = {
        {"both answer: the version digits win", "215", none, u"1.2.7", u"2.1.5"},
        {"a character that is no digit reads 0", "2a5", none, u"1.2.7", u"2.0.5"},
        {"no feature text", "215", noFeature, u"0.0.0", u"2.1.5"},
        {"version answer of another command", "215", wrongEcho, u"1.2.7", u"1.2.7"},
        {"nothing answers", "215", nothing, u"0.0.0", u"0.0.0"},
    };
    Connect();
    for (const Case& c : cases) {
        Bus().EditMouse([&](sim::VirtualMouse& mouse) {
            mouse.SetMouseText("1.2.7");
            mouse.SetFirmwareVersion(c.version);
        });
        Bus().SetFaults(c.faults);
        EXPECT_EQ(protocol::ReadFirmwareText(manager), c.text) << c.name;
        Bus().SetFaults(c.faults);
        EXPECT_EQ(protocol::ReadFirmwareVersions(manager), c.versions) << c.name;
    }
}

TEST_F(DeviceStateReaderTest, WithoutAMouseEverythingReadsAsBefore) {
    db.SaveKeyMapping(store::KeyMapping{0, 1, 0, 1, 0, u"", 2, 1, 0, 0, u"123"});
    const auto config = ConfigOf(db, 1);
    EXPECT_FALSE(protocol::ReadDeviceState(manager, db, 1));
    EXPECT_EQ(ConfigOf(db, 1), config);
    EXPECT_EQ(FirstButtons()[0], std::make_pair(2, std::u16string(u"123")));
    EXPECT_EQ(protocol::ReadFirmwareVersions(manager), u"0.0.0");
}

TEST_F(DeviceStateReaderTest, AFailedButtonReadKeepsThatProfileAndTheOthersAreRead) {
    for (int p = 1; p <= 5; ++p) {
        db.SaveKeyMapping(store::KeyMapping{0, p, 0, 1, 0, u"", 2, 1, 0, 0, u"123"});
    }
    SetAllMouseButtons("20 02 00 00");
    Connect();  // a fresh mouse: its settings were never programmed
    sim::SimFaults faults;
    faults.scriptedReplies = {
        Bytes("AA 30 00 00 00 00 00 00 40 01", kReplySize),        // battery
        Bytes("AA 08 00 00 00 00 00 00 20 02 00 00", kReplySize),  // profile 1
        Bytes("AA 08 00 00 00 00 00 00 20 02 00 00", kReplySize),  // profile 2
        {},
        {},
        {},  // profile 3: silence
    };
    Bus().SetFaults(faults);
    const auto config = ConfigOf(db, 1);

    const auto battery = protocol::ReadDeviceState(manager, db, 1);

    EXPECT_EQ(Commands(), "30/00 08/00 08/01 08/02 08/02 08/02 08/03 08/04 0E/00 0F/00");
    ASSERT_TRUE(battery);
    EXPECT_EQ(battery->level, 0x40);
    EXPECT_EQ(battery->state, 1);
    const std::pair<int, std::u16string> right{3, u"122"};
    const std::pair<int, std::u16string> middle{2, u"123"};
    EXPECT_EQ(FirstButtons(), (std::vector{right, right, middle, right, right}));
    // The unprogrammed mouse got the stored settings and the store kept them.
    EXPECT_EQ(ConfigOf(db, 1), config);
    EXPECT_EQ(Mouse().Settings(0)[5], 0x20);  // stage 1: 800
    EXPECT_EQ(Mouse().Settings(0)[6], 0x03);
}

TEST_F(DeviceStateReaderTest, SettingsAreReadForTheGivenProfileOnly) {
    sim::VirtualMouse::SettingsBlock block{};
    const std::vector<uint8_t> bytes = Bytes(
        "01 05 04 04 02 90 01 20 03 40 06 80 0C 00 19 A8 61 "
        "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
        "00 00 00 00 00 01 02 31 0C 1E 02");
    std::copy(bytes.begin(), bytes.end(), block.begin());
    Bus().EditMouse([&](sim::VirtualMouse& mouse) { mouse.SetSettings(1, block); });
    Connect();
    const auto first = ConfigOf(db, 1);

    EXPECT_TRUE(protocol::ReadDeviceState(manager, db, 2));

    EXPECT_EQ(Commands(), "30/01 08/00 08/01 08/02 08/03 08/04 0E/01");
    std::u16string value;
    db.GetConfigValue(2, "light_mode", value);
    EXPECT_EQ(value, u"5");
    db.GetConfigValue(2, "dpi_group5_value", value);
    EXPECT_EQ(value, u"25000");
    EXPECT_EQ(ConfigOf(db, 1), first);
}

}  // namespace
