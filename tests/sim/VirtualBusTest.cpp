// The virtual mouse as a HID backend: what it shows in each mode, the receiver, faults,
// unplugging, latency on the fake clock, notifications and the shared state file.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "sim/VirtualHidBackend.h"
#include "support/FakeClock.h"
#include "support/TempHome.h"

namespace {

using platform::HidDeviceInfo;
using sim::SimMode;
using sim::VirtualHidBackend;

constexpr char kBluetoothPrefix[] =
    "HID\\{00001812-0000-1000-8000-00805F9B34FB}_DEV_VID&025A17_PID&1003_REV&0100_A1B2C3D4E5F6";

// A 65-byte output report carrying the payload, report ID 0 first.
std::vector<uint8_t> Report(std::vector<uint8_t> payload) {
    std::vector<uint8_t> report(65, 0);
    std::copy_n(payload.begin(), std::min<size_t>(payload.size(), 64), report.begin() + 1);
    return report;
}

// A well-formed command report (checksum filled).
std::vector<uint8_t> Command(uint8_t code, uint8_t access, uint8_t length, uint8_t profile,
                             std::vector<uint8_t> data = {}) {
    std::vector<uint8_t> payload(64, 0);
    payload[0] = 0x55;
    payload[1] = code;
    payload[2] = access;
    payload[4] = length;
    payload[7] = profile;
    std::copy(data.begin(), data.end(), payload.begin() + 8);
    unsigned sum = 0;
    for (size_t i = 4; i < 64; ++i) {
        sum += payload[i];
    }
    payload[3] = static_cast<uint8_t>(sum);
    return Report(payload);
}

std::vector<uint8_t> ReceiverQuery() {
    std::vector<uint8_t> payload(64, 0);
    payload[0] = 0x01;
    payload[2] = 0x81;
    payload[3] = 0x01;
    payload[63] = 0x1E;
    return Report(payload);
}

std::unique_ptr<platform::HidDevice> OpenCommandNode(VirtualHidBackend& backend) {
    for (const HidDeviceInfo& info : backend.Enumerate().devices) {
        if (info.usagePage == 0xFF01 || info.usagePage == 0xFF0A) {
            return backend.Open(info.path).device;
        }
    }
    return nullptr;
}

class VirtualBusTest : public ::testing::Test {
  protected:
    testing_support::ScopedFakeClock clock;
};

TEST_F(VirtualBusTest, EachModeShowsItsInterfacesWithTheirIdentityTexts) {
    struct Record {
        std::string identity;
        uint16_t usagePage;
        uint16_t usage;
    };
    struct Case {
        SimMode mode;
        std::vector<Record> records;
    };
    const Case cases[] = {
        {SimMode::Wired,
         {{"HID\\VID_5A17&PID_1001&MI_00\\HIDRAW0", 0x01, 0x02},
          {"HID\\VID_5A17&PID_1001&MI_01&COL01\\HIDRAW1", 0x01, 0x06},
          {"HID\\VID_5A17&PID_1001&MI_01&COL02\\HIDRAW1", 0x0C, 0x01},
          {"HID\\VID_5A17&PID_1001&MI_01&COL03\\HIDRAW1", 0xFF01, 0x10}}},
        {SimMode::Receiver,
         {{"HID\\VID_5A17&PID_1002&MI_00\\HIDRAW0", 0x01, 0x02},
          {"HID\\VID_5A17&PID_1002&MI_01\\HIDRAW1", 0xFF0A, 0x01}}},
        {SimMode::ReceiverOffline,
         {{"HID\\VID_5A17&PID_1002&MI_00\\HIDRAW0", 0x01, 0x02},
          {"HID\\VID_5A17&PID_1002&MI_01\\HIDRAW1", 0xFF0A, 0x01}}},
        {SimMode::Bluetooth,
         {{std::string(kBluetoothPrefix) + "&COL01\\HIDRAW0\\KBD", 0x01, 0x06},
          {std::string(kBluetoothPrefix) + "&COL02\\HIDRAW0", 0x01, 0x02}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(sim::SimModeName(c.mode)));
        VirtualHidBackend backend(c.mode);
        const auto found = backend.Enumerate();
        EXPECT_TRUE(found.error.empty());
        ASSERT_EQ(found.devices.size(), c.records.size());
        for (size_t i = 0; i < c.records.size(); ++i) {
            EXPECT_EQ(found.devices[i].identity, c.records[i].identity);
            EXPECT_EQ(found.devices[i].usagePage, c.records[i].usagePage);
            EXPECT_EQ(found.devices[i].usage, c.records[i].usage);
            EXPECT_EQ(found.devices[i].vendorId, 0x5A17);
        }
    }
    // The catalogue's interface patterns find the vendor interfaces.
    EXPECT_NE(cases[0].records[3].identity.find("VID_5A17&PID_1001&MI_01"), std::string::npos);
    EXPECT_NE(cases[1].records[1].identity.find("VID_5A17&PID_1002&MI_01"), std::string::npos);
    EXPECT_NE(cases[3].records[0].identity.find("VID&025A17_PID&1003"), std::string::npos);
}

TEST_F(VirtualBusTest, ModeNamesRoundTrip) {
    for (SimMode mode :
         {SimMode::Wired, SimMode::Receiver, SimMode::ReceiverOffline, SimMode::Bluetooth}) {
        EXPECT_EQ(sim::ParseSimMode(sim::SimModeName(mode)), mode);
    }
    EXPECT_EQ(sim::ParseSimMode("usb"), std::nullopt);
}

TEST_F(VirtualBusTest, ReceiverAnswersItsQueryAndPassesCommandsOnlyToAnAwakeMouse) {
    VirtualHidBackend backend(SimMode::ReceiverOffline);
    auto device = OpenCommandNode(backend);
    ASSERT_TRUE(device);
    std::array<uint8_t, 65> answer{};

    ASSERT_EQ(device->Write(ReceiverQuery()), 65);
    ASSERT_EQ(device->Read(answer, 200), 64);
    EXPECT_EQ(answer[2], 0x8C);
    EXPECT_EQ(answer[4], 0x00) << "mouse asleep";
    unsigned sum = 0;
    for (size_t i = 0; i < 64; ++i) {
        sum += answer[i];
    }
    EXPECT_EQ(sum % 256, 0xA1u);

    ASSERT_EQ(device->Write(Command(0x30, 0xA5, 0x2E, 0)), 65);
    EXPECT_EQ(device->Read(answer, 1000), 0) << "an asleep mouse does not answer";

    std::vector<uint8_t> badSum = ReceiverQuery();
    badSum[64] = 0x1F;
    device->Write(badSum);
    EXPECT_EQ(device->Read(answer, 200), 0) << "a query with a wrong checksum gets no answer";

    backend.Bus().SetMouseAwake(true);
    device->Write(ReceiverQuery());
    ASSERT_EQ(device->Read(answer, 200), 64);
    EXPECT_EQ(answer[4], 0x08);
    device->Write(Command(0x30, 0xA5, 0x2E, 0));
    ASSERT_EQ(device->Read(answer, 1000), 64);
    EXPECT_EQ(answer[0], 0xAA);
    EXPECT_EQ(answer[1], 0x30);
}

TEST_F(VirtualBusTest, InterfacesWithoutOutputReportsRefuseWrites) {
    VirtualHidBackend backend(SimMode::Bluetooth);
    const auto found = backend.Enumerate();
    auto keyboard = backend.Open(found.devices[0].path).device;
    ASSERT_TRUE(keyboard);
    EXPECT_EQ(keyboard->Write(Command(0x30, 0xA5, 0x2E, 0)), -1);
    EXPECT_FALSE(keyboard->LastError().empty());
    std::array<uint8_t, 21> feature{0x51, 0x04};
    EXPECT_EQ(keyboard->SendFeatureReport(feature), -1);
    EXPECT_EQ(backend.Open("/sim/hidraw9").device, nullptr);
    EXPECT_FALSE(backend.Open("/sim/hidraw9").error.empty());
}

TEST_F(VirtualBusTest, UnplugKillsOpenDevicesAndReplugBringsTheNodesBack) {
    VirtualHidBackend backend(SimMode::Wired);
    std::vector<std::pair<std::string, bool>> notices;
    backend.Bus().SetPlugListener(
        [&](const std::string& path, bool arrived) { notices.emplace_back(path, arrived); });
    auto old = OpenCommandNode(backend);
    ASSERT_TRUE(old);

    backend.Bus().Unplug();
    EXPECT_TRUE(backend.Enumerate().devices.empty());
    std::array<uint8_t, 65> buffer{};
    EXPECT_EQ(old->Write(Command(0x30, 0xA5, 0x2E, 0)), -1);
    EXPECT_EQ(old->Read(buffer, 10), -1);
    EXPECT_EQ(OpenCommandNode(backend), nullptr);

    backend.Bus().Replug();
    EXPECT_EQ(backend.Enumerate().devices.size(), 4u);
    EXPECT_EQ(old->Write(Command(0x30, 0xA5, 0x2E, 0)), -1) << "a vanished handle stays dead";
    auto fresh = OpenCommandNode(backend);
    ASSERT_TRUE(fresh);
    EXPECT_EQ(fresh->Write(Command(0x30, 0xA5, 0x2E, 0)), 65);

    const std::vector<std::pair<std::string, bool>> expected = {{"/sim/hidraw0", false},
                                                                {"/sim/hidraw1", false},
                                                                {"/sim/hidraw0", true},
                                                                {"/sim/hidraw1", true}};
    EXPECT_EQ(notices, expected);
}

TEST_F(VirtualBusTest, FaultsCountDown) {
    VirtualHidBackend backend(SimMode::Wired);
    auto device = OpenCommandNode(backend);
    sim::SimFaults faults;
    faults.failWrites = 2;
    faults.corruptReplies = 1;
    backend.Bus().SetFaults(faults);
    const auto battery = Command(0x30, 0xA5, 0x2E, 0);
    std::array<uint8_t, 65> reply{};
    EXPECT_EQ(device->Write(battery), -1);
    EXPECT_EQ(device->Write(battery), -1);
    EXPECT_EQ(device->Write(battery), 65);
    ASSERT_EQ(device->Read(reply, 0), 64);
    EXPECT_EQ(reply[0], 0x00) << "corrupted";
    EXPECT_EQ(reply[1], 0x30);
    device->Write(battery);
    ASSERT_EQ(device->Read(reply, 0), 64);
    EXPECT_EQ(reply[0], 0xAA);
    EXPECT_EQ(backend.Bus().Faults().failWrites, 0);
}

TEST_F(VirtualBusTest, LatencyPassesOnTheClockNotInRealTime) {
    VirtualHidBackend backend(SimMode::Wired);
    auto device = OpenCommandNode(backend);
    backend.Bus().SetLatency(300);
    const uint64_t start = clock->TickCount64();
    device->Write(Command(0x30, 0xA5, 0x2E, 0));
    std::array<uint8_t, 65> reply{};
    EXPECT_EQ(device->Read(reply, 100), 0);
    EXPECT_EQ(clock->TickCount64() - start, 100u);
    EXPECT_EQ(device->Read(reply, 1000), 64);
    EXPECT_EQ(clock->TickCount64() - start, 300u) << "the read ends when the reply arrives";
    EXPECT_EQ(device->Read(reply, -1), 0) << "nothing on its way: no endless wait";
    EXPECT_EQ(clock->TickCount64() - start, 300u);
}

TEST_F(VirtualBusTest, NotificationsReachTheInterfaceThatCarriesTraffic) {
    VirtualHidBackend backend(SimMode::Receiver);
    auto device = OpenCommandNode(backend);
    ASSERT_TRUE(backend.Bus().QueueNotification(0x10, 3, 4));
    std::array<uint8_t, 21> small{};
    ASSERT_EQ(device->Read(small, 1000), 21);
    EXPECT_EQ(small[0], 0xAA);
    EXPECT_EQ(small[1], 0xFA);
    EXPECT_EQ(small[8], 0x10);
    EXPECT_EQ(small[9], 3);
    EXPECT_EQ(small[10], 4);

    backend.Bus().SetMouseAwake(false);
    EXPECT_FALSE(backend.Bus().QueueNotification(0x11, 2, 0)) << "an asleep mouse sends nothing";
    VirtualHidBackend bluetooth(SimMode::Bluetooth);
    EXPECT_FALSE(bluetooth.Bus().QueueNotification(0x11, 2, 0));
}

TEST_F(VirtualBusTest, FeatureTextDependsOnTheTarget) {
    VirtualHidBackend backend(SimMode::Receiver);
    auto device = OpenCommandNode(backend);
    const auto ask = [&](uint8_t target) {
        std::array<uint8_t, 21> request{0x51, 0x04, target};
        EXPECT_EQ(device->SendFeatureReport(request), 21);
        std::array<uint8_t, 21> answer{0x51};
        EXPECT_EQ(device->GetFeatureReport(answer), 21);
        return std::string(answer.begin() + 3, answer.begin() + 3 + answer[2]);
    };
    EXPECT_EQ(ask(0xAA), "2.1.0");
    EXPECT_EQ(ask(0x00), "1.0.3");
    backend.Bus().SetMouseAwake(false);
    EXPECT_EQ(ask(0x00), "");
    backend.Bus().EditMouse([](sim::VirtualMouse& mouse) {
        mouse.SetReceiverText("a receiver text longer than the report");
    });
    EXPECT_EQ(ask(0xAA), "a receiver text lo") << "at most 18 bytes fit";
}

TEST_F(VirtualBusTest, SeparateRunsShareOneMouseThroughTheStateFile) {
    const std::string folder = testing_support::MakeTempFolder("state");
    const std::string path = folder + "/mouse.json";
    std::string error;
    {
        VirtualHidBackend first(SimMode::Wired);
        ASSERT_TRUE(first.Bus().SetStateFile(path, error)) << error;
        auto device = OpenCommandNode(first);
        std::vector<uint8_t> data = {0, 0, 2, 0xD0, 0x07};
        device->Write(Command(0x22, 0xAE, 3, 1, data));
    }
    VirtualHidBackend second(SimMode::Receiver);
    ASSERT_TRUE(second.Bus().SetStateFile(path, error)) << error;
    const auto block = second.Bus().Mouse().Settings(1);
    EXPECT_EQ(block[4], 2);
    EXPECT_EQ(block[7], 0xD0);
    EXPECT_EQ(block[8], 0x07);

    // A damaged file is refused and left as it is; the mouse stays fresh.
    const std::string broken = folder + "/broken.json";
    ASSERT_TRUE(testing_support::WriteFile(broken, "{\"version\": 1, \"profiles\": ["));
    VirtualHidBackend third(SimMode::Wired);
    EXPECT_FALSE(third.Bus().SetStateFile(broken, error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(third.Bus().Mouse().Settings(1)[4], 0xFF);
    EXPECT_EQ(testing_support::ReadFile(broken), "{\"version\": 1, \"profiles\": [");
    auto device = OpenCommandNode(third);
    device->Write(Command(0x23, 0xAE, 3, 0, {0, 0, 4}));
    EXPECT_EQ(testing_support::ReadFile(broken), "{\"version\": 1, \"profiles\": [");
}

}  // namespace
