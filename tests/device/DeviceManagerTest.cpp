// The device manager against the virtual mouse: enumeration, the choice of the connection that
// carries traffic, the receiver exchange and query, the raw write and read, and the trace.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

#include "device/DeviceManager.h"
#include "device/ProtocolTrace.h"
#include "sim/VirtualHidBackend.h"
#include "support/FakeClock.h"
#include "support/TempHome.h"

namespace {

using device::DeviceConnection;
using device::DeviceManager;
using sim::IoRecord;

constexpr int kVendor = 0x5A17;
constexpr int kWired = 0x1001;
constexpr int kReceiver = 0x1002;
constexpr int kBluetooth = 0x1003;
constexpr int kReceiverMode3 = 0x1004;
constexpr int kKeyboardModel = 0x2001;  // another device type (102)
constexpr int kUnsupported = 0x1FFF;

std::string Hex(std::span<const uint8_t> bytes) {
    return device::ProtocolTrace::FormatLine("", bytes);
}

// "00 01 00 81 01" followed by zeros up to `size` bytes, the last one being `last`.
std::string HexWithZeros(const std::string& head, size_t size, const std::string& last = "00") {
    std::string text = head;
    size_t count = (head.size() + 1) / 3;
    while (count + 1 < size) {
        text += " 00";
        ++count;
    }
    return text + " " + last;
}

std::vector<IoRecord> RecordsOf(const std::vector<IoRecord>& log, IoRecord::Kind kind,
                                const std::string& path = "") {
    std::vector<IoRecord> out;
    for (const IoRecord& r : log) {
        if (r.kind == kind && (path.empty() || r.path == path)) {
            out.push_back(r);
        }
    }
    return out;
}

class DeviceManagerTest : public ::testing::Test {
  protected:
    DeviceManagerTest() {
        // The catalogue of the product: the mouse over cable, receiver and Bluetooth, a second
        // kind of receiver, and a model of another device type.
        manager.AddIdEntry(kVendor, kWired, u"", 101, 0);
        manager.AddIdEntry(kVendor, kReceiver, u"", 101, 1);
        manager.AddIdEntry(kVendor, kBluetooth, u"", 101, 2);
        manager.AddIdEntry(kVendor, kReceiverMode3, u"", 101, 3);
        manager.AddIdEntry(kVendor, kKeyboardModel, u"", 102, 0);
        manager.SetDeviceTypeFilter(101);
    }

    sim::VirtualBus& Bus() { return backend.Bus(); }

    std::vector<DeviceConnection> Connections() {
        std::vector<DeviceConnection> out;
        manager.CollectConnections(out);
        return out;
    }

    // The path of the connection whose device ActiveConnection gives, "" for none.
    std::string ActivePath() {
        const auto active = manager.ActiveConnection();
        if (!active) {
            return "";
        }
        for (const DeviceConnection& c : Connections()) {
            if (c.device == active) {
                return c.path;
            }
        }
        return "?";
    }

    testing_support::ScopedFakeClock clock;
    sim::VirtualHidBackend backend{sim::VirtualHidBackend::Empty{}};
    DeviceManager manager{backend};
};

TEST_F(DeviceManagerTest, WiredMouseGetsOneConnectionForItsVendorCollection) {
    const std::string vendorPath = Bus().AddWiredMouse();
    manager.RebuildConnections();

    const auto connections = Connections();
    ASSERT_EQ(connections.size(), 1u);
    const DeviceConnection& c = connections[0];
    EXPECT_EQ(c.index, 0);
    EXPECT_EQ(c.path, vendorPath);
    EXPECT_EQ(c.identity, "HID\\VID_5A17&PID_1001&MI_01&COL03\\HIDRAW1");
    EXPECT_EQ(c.vendorId, kVendor);
    EXPECT_EQ(c.productId, kWired);
    EXPECT_EQ(c.releaseNumber, 0x0100);
    EXPECT_EQ(c.deviceType, 101);
    EXPECT_EQ(c.mode, 0);
    EXPECT_EQ(c.online, 1);
    EXPECT_EQ(c.manufacturer, u"Varneth");
    EXPECT_EQ(c.product, u"Varneth M1 Mouse");
    EXPECT_EQ(c.usagePage, 0xFF01);
    ASSERT_TRUE(c.device);

    // Every collection was opened; all but the vendor one were closed again.
    const auto log = Bus().IoLog();
    EXPECT_EQ(RecordsOf(log, IoRecord::Kind::Open).size(), 4u);
    EXPECT_EQ(RecordsOf(log, IoRecord::Kind::Close).size(), 3u);
    EXPECT_TRUE(RecordsOf(log, IoRecord::Kind::Write).empty()) << "a wired mouse is not queried";
    EXPECT_TRUE(manager.IsOpened());
    EXPECT_EQ(manager.GetConnectionKind(), 0);
    EXPECT_EQ(ActivePath(), vendorPath);
}

TEST_F(DeviceManagerTest, UnsupportedAndOtherTypeDevicesAreHandledByTheTable) {
    Bus().AddWiredMouse(kUnsupported);
    const std::string keyboardModel = Bus().AddWiredMouse(kKeyboardModel);
    manager.RebuildConnections();

    // The unsupported device is never opened; the other type is connected but carries nothing.
    for (const IoRecord& r : RecordsOf(Bus().IoLog(), IoRecord::Kind::Open)) {
        EXPECT_TRUE(r.path == "/sim/hidraw2" || r.path == keyboardModel) << r.path;
    }
    auto all = Connections();
    ASSERT_EQ(all.size(), 1u);
    EXPECT_EQ(all[0].deviceType, 102);
    std::vector<DeviceConnection> ours;
    EXPECT_TRUE(manager.CollectConnections(ours, 101));
    EXPECT_TRUE(ours.empty());
    EXPECT_EQ(manager.GetConnectionKind(), -1);
    EXPECT_EQ(manager.ActiveConnection(), nullptr);
    EXPECT_EQ(manager.FindConnection(kVendor, kKeyboardModel, 0), 0);
    EXPECT_EQ(manager.FindConnection(kVendor, kKeyboardModel, 1), -1);
}

TEST_F(DeviceManagerTest, BluetoothIsSeenThroughItsKeyboardCollectionOnly) {
    Bus().AddBluetoothMouse();
    manager.RebuildConnections();

    const auto connections = Connections();
    ASSERT_EQ(connections.size(), 1u);
    const DeviceConnection& c = connections[0];
    EXPECT_EQ(c.mode, 2);
    EXPECT_EQ(c.online, 1);
    EXPECT_EQ(c.device, nullptr);
    EXPECT_TRUE(c.product.empty());
    EXPECT_NE(c.identity.find("00001812-0000-1000-8000-00805F9B34FB"), std::string::npos);
    EXPECT_NE(c.identity.find("\\KBD"), std::string::npos);
    EXPECT_EQ(manager.GetConnectionKind(), 2);
    EXPECT_EQ(manager.ActiveConnection(), nullptr);
    // Both collections were opened and closed again.
    EXPECT_EQ(RecordsOf(Bus().IoLog(), IoRecord::Kind::Close).size(), 2u);
}

// One device of the preference table: what to plug in, in enumeration order.
enum class Plug { Wired, ReceiverAwake, ReceiverAsleep, Mode3Awake, Mode3Asleep, Bluetooth };

struct PreferenceCase {
    const char* name;
    std::vector<Plug> devices;
    int kind;
    int activeDevice;  // index into devices of the expected active connection; -1 none
};

const PreferenceCase kPreferenceCases[] = {
    {"wired before receiver", {Plug::Wired, Plug::ReceiverAwake}, 0, 0},
    {"wired after receiver", {Plug::ReceiverAwake, Plug::Wired}, 0, 1},
    {"receiver with its mouse online", {Plug::ReceiverAwake}, 1, 0},
    {"receiver with its mouse asleep", {Plug::ReceiverAsleep}, -1, -1},
    {"an asleep receiver blocks a later mode-1 one",
     {Plug::ReceiverAsleep, Plug::ReceiverAwake},
     -1,
     -1},
    {"an asleep mode-1 receiver falls through to an online mode-3 one",
     {Plug::ReceiverAsleep, Plug::ReceiverAwake, Plug::Mode3Awake},
     3,
     2},
    {"mode-1 before mode-3 when online", {Plug::Mode3Awake, Plug::ReceiverAwake}, 1, 1},
    {"mode-3 receiver asleep", {Plug::Mode3Asleep}, -1, -1},
    {"Bluetooth only", {Plug::Bluetooth}, 2, -1},
    {"Bluetooth before a receiver", {Plug::ReceiverAwake, Plug::Bluetooth}, 2, -1},
    {"wired before Bluetooth", {Plug::Bluetooth, Plug::Wired}, 0, 1},
    {"nothing", {}, -1, -1},
};

TEST_F(DeviceManagerTest, ActiveConnectionFollowsThePreferenceTable) {
    for (const PreferenceCase& c : kPreferenceCases) {
        SCOPED_TRACE(c.name);
        Bus().ClearNodes();
        std::vector<std::string> paths;
        for (Plug plug : c.devices) {
            switch (plug) {
                case Plug::Wired:
                    paths.push_back(Bus().AddWiredMouse());
                    break;
                case Plug::ReceiverAwake:
                    paths.push_back(Bus().AddReceiver(kReceiver, true));
                    break;
                case Plug::ReceiverAsleep:
                    paths.push_back(Bus().AddReceiver(kReceiver, false));
                    break;
                case Plug::Mode3Awake:
                    paths.push_back(Bus().AddReceiver(kReceiverMode3, true));
                    break;
                case Plug::Mode3Asleep:
                    paths.push_back(Bus().AddReceiver(kReceiverMode3, false));
                    break;
                case Plug::Bluetooth:
                    paths.push_back(Bus().AddBluetoothMouse());
                    break;
            }
        }
        manager.RebuildConnections();
        EXPECT_EQ(manager.GetConnectionKind(), c.kind);
        EXPECT_EQ(ActivePath(), c.activeDevice < 0 ? "" : paths[size_t(c.activeDevice)]);
        EXPECT_EQ(manager.GetConnectionKind(), c.kind) << "choosing does not change the kind";
    }
}

TEST_F(DeviceManagerTest, ChoiceIsCachedUntilForgotten) {
    Bus().AddReceiver(kReceiver, true);
    manager.RebuildConnections();
    const auto first = manager.ActiveConnection();
    ASSERT_TRUE(first);

    // A wired mouse appears; a refresh of the list alone keeps the cached choice, whose device
    // is closed by now: exchanges on it fail instead of touching freed memory.
    Bus().AddWiredMouse();
    manager.CloseAll();
    manager.EnumerateDevices();
    manager.SetOpened(true);
    EXPECT_EQ(manager.GetConnectionKind(), 0);
    EXPECT_EQ(manager.ActiveConnection(), first);
    std::array<uint8_t, DeviceManager::kReportSize> report{};
    EXPECT_EQ(manager.Write(first.get(), report), -1);

    manager.ClearActiveConnectionCache();
    EXPECT_NE(manager.ActiveConnection(), first);
    EXPECT_EQ(ActivePath(), "/sim/hidraw3");
}

TEST_F(DeviceManagerTest, ReceiverQueryIsFramedAndTimedAsTheReceiverExpects) {
    const std::string receiver = Bus().AddReceiver(kReceiver, true);
    const uint64_t start = clock->TickCount64();
    manager.RebuildConnections();

    const auto log = Bus().IoLog();
    const auto writes = RecordsOf(log, IoRecord::Kind::Write, receiver);
    ASSERT_EQ(writes.size(), 1u);
    // Request 01 00 81 01, last byte makes the 64 data bytes add up to 0xA1.
    EXPECT_EQ(Hex(writes[0].bytes), HexWithZeros("00 01 00 81 01", 65, "1E"));
    // A stale answer is drained first (100 ms), the answer is read 16 ms after the write.
    const auto timeouts = RecordsOf(log, IoRecord::Kind::ReadTimeout, receiver);
    ASSERT_EQ(timeouts.size(), 1u);
    EXPECT_EQ(timeouts[0].time, start + 100);
    EXPECT_EQ(writes[0].time, start + 100);
    const auto reads = RecordsOf(log, IoRecord::Kind::Read, receiver);
    ASSERT_EQ(reads.size(), 1u);
    EXPECT_EQ(reads[0].time, start + 116);
    EXPECT_EQ(Hex(reads[0].bytes), HexWithZeros("01 00 8C 01 08", 64, "0B"));

    ASSERT_EQ(Connections().size(), 1u);
    EXPECT_EQ(Connections()[0].online, 1);
    EXPECT_EQ(Connections()[0].mode, 1);
}

TEST_F(DeviceManagerTest, ReceiverQueryOutcomes) {
    struct Case {
        const char* name;
        bool mouseAwake;
        sim::SimFaults faults;
        int online;
        size_t writes;
    };
    sim::SimFaults badFirstAnswer;
    badFirstAnswer.scriptedReplies.push_back(std::vector<uint8_t>(64, 0x11));
    sim::SimFaults silent;
    silent.dropReplies = -1;
    sim::SimFaults longAnswer;
    longAnswer.scriptedReplies.push_back(std::vector<uint8_t>(80, 0x01));
    const Case cases[] = {
        {"mouse online", true, {}, 1, 1},
        {"mouse asleep", false, {}, 0, 1},
        {"a bad first answer is asked again", false, badFirstAnswer, 0, 2},
        {"an answer of the wrong size is asked again", false, longAnswer, 0, 2},
        // A receiver that never answers keeps the flag it had: online.
        {"no answer at all", false, silent, 1, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bus().ClearNodes();
        Bus().ClearIoLog();
        const std::string receiver = Bus().AddReceiver(kReceiver, c.mouseAwake);
        Bus().SetFaults(c.faults);
        manager.RebuildConnections();
        ASSERT_EQ(Connections().size(), 1u);
        EXPECT_EQ(Connections()[0].online, c.online);
        EXPECT_EQ(RecordsOf(Bus().IoLog(), IoRecord::Kind::Write, receiver).size(), c.writes);
        Bus().SetFaults({});
    }
}

TEST_F(DeviceManagerTest, ReceiverExchangeWaitsTheFullLadderThenFails) {
    const std::string receiver = Bus().AddReceiver(kReceiver, true);
    manager.RebuildConnections();
    const auto active = manager.ActiveConnection();
    ASSERT_TRUE(active);
    sim::SimFaults silent;
    silent.dropReplies = -1;
    Bus().SetFaults(silent);
    Bus().ClearIoLog();
    clock->ClearSleeps();
    const uint64_t start = clock->TickCount64();

    DeviceManager::ReceiverBuffer buffer{};
    buffer[0] = 0x01;
    buffer[2] = 0x81;
    buffer[3] = 0x01;
    const auto before = buffer;
    EXPECT_FALSE(manager.ExchangeReceiver(active.get(), buffer));
    EXPECT_EQ(buffer, before) << "a failed exchange leaves the caller's buffer alone";
    // Drain 100, write, 16, read 200, 200, read 100.
    EXPECT_EQ(clock->TickCount64() - start, 616u);
    EXPECT_EQ(clock->Sleeps(), (std::vector<uint32_t>{100, 16, 200, 200, 100}));
}

TEST_F(DeviceManagerTest, WritesArePaddedToALongerOutputReport) {
    const std::string vendor = Bus().AddWiredMouse();
    Bus().SetOutputReportLength(vendor, 91);
    manager.RebuildConnections();
    const auto active = manager.ActiveConnection();
    std::array<uint8_t, DeviceManager::kReportSize> report{};
    report[1] = 0x55;
    report[64] = 0x77;
    EXPECT_EQ(manager.Write(active.get(), report), 91);
    const auto writes = RecordsOf(Bus().IoLog(), IoRecord::Kind::Write, vendor);
    ASSERT_EQ(writes.size(), 1u);
    ASSERT_EQ(writes[0].bytes.size(), 91u);
    EXPECT_EQ(writes[0].bytes[64], 0x77);
    EXPECT_EQ(std::count(writes[0].bytes.begin() + 65, writes[0].bytes.end(), 0), 26);
}

TEST_F(DeviceManagerTest, ReadsNeverExceedTheBufferAndNullDevicesFail) {
    const std::string vendor = Bus().AddWiredMouse();
    manager.RebuildConnections();
    const auto active = manager.ActiveConnection();
    Bus().QueueInputReport(vendor, std::vector<uint8_t>(300, 0xAB));
    std::array<uint8_t, 21> small{};
    EXPECT_EQ(manager.Read(active.get(), small, 10), 21);
    EXPECT_EQ(manager.Read(active.get(), small, 10), 0);
    EXPECT_EQ(manager.Read(nullptr, small, 10), -1);
    std::array<uint8_t, DeviceManager::kReportSize> report{};
    EXPECT_EQ(manager.Write(nullptr, report), -1);
}

TEST_F(DeviceManagerTest, VanishedDevicesFailTheirCalls) {
    Bus().AddWiredMouse();
    manager.RebuildConnections();
    const auto active = manager.ActiveConnection();
    Bus().Unplug();
    std::array<uint8_t, DeviceManager::kReportSize> report{};
    EXPECT_EQ(manager.Write(active.get(), report), -1);
    EXPECT_EQ(manager.Read(active.get(), report, 1000), -1);
    EXPECT_FALSE(manager.LastError().empty());

    // A refresh after the unplug finds nothing and ends the stale connection.
    manager.RebuildConnections();
    EXPECT_TRUE(Connections().empty());
    EXPECT_EQ(manager.GetConnectionKind(), -1);
}

TEST_F(DeviceManagerTest, CloseAllOnlyActsWhileOpened) {
    Bus().AddWiredMouse();
    manager.EnumerateDevices();
    EXPECT_FALSE(manager.IsOpened());
    manager.CloseAll();
    ASSERT_EQ(Connections().size(), 1u) << "not opened yet: nothing is closed";

    const auto device = Connections()[0].device;
    manager.SetOpened(true);
    manager.CloseAll();
    EXPECT_FALSE(manager.IsOpened());
    std::vector<DeviceConnection> none;
    EXPECT_FALSE(manager.CollectConnections(none));
    std::array<uint8_t, DeviceManager::kReportSize> report{};
    EXPECT_EQ(device->Write(report), -1) << "copies of a closed connection fail";
}

TEST_F(DeviceManagerTest, IdTableAnswersTypeAndModeOfTheFirstMatch) {
    manager.AddIdEntry(kVendor, kWired, u"", 55, 3);  // a later duplicate does not count
    EXPECT_TRUE(manager.IsSupported(kVendor, kWired));
    EXPECT_EQ(manager.TypeOf(kVendor, kWired), 101);
    EXPECT_EQ(manager.ModeOf(kVendor, kReceiverMode3), 3);
    EXPECT_FALSE(manager.IsSupported(kVendor, kUnsupported));
    EXPECT_EQ(manager.TypeOf(kVendor, kUnsupported), 0);
    EXPECT_EQ(manager.ModeOf(kVendor, kUnsupported), 0);
    device::CatalogueTarget& target = manager;
    target.ClearSupportedIds();
    EXPECT_FALSE(manager.IsSupported(kVendor, kWired));
    EXPECT_TRUE(manager.IdTable().empty());
}

TEST_F(DeviceManagerTest, TraceWritesOneLinePerReport) {
    const std::string path = testing_support::MakeTempFolder("trace") + "/trace.txt";
    ASSERT_TRUE(manager.Trace().Open(path));
    Bus().AddReceiver(kReceiver, true);
    manager.RebuildConnections();
    const auto active = manager.ActiveConnection();
    std::array<uint8_t, 21> feature{0x51, 0x04, 0xAA};
    manager.SendFeatureReport(active.get(), feature);
    feature.fill(0);
    feature[0] = 0x51;
    manager.GetFeatureReport(active.get(), feature);
    manager.Trace().Close();

    std::istringstream lines(testing_support::ReadFile(path));
    std::vector<std::string> got;
    for (std::string line; std::getline(lines, line);) {
        got.push_back(line);
    }
    const std::vector<std::string> expected = {
        "> " + HexWithZeros("00 01 00 81 01", 65, "1E"),
        "< " + HexWithZeros("01 00 8C 01 08", 64, "0B"),
        "F> " + HexWithZeros("51 04 AA", 21),
        "F< " + HexWithZeros("51 04 05 32 2E 31 2E 30", 21),
    };
    EXPECT_EQ(got, expected);
}

TEST_F(DeviceManagerTest, TraceFileComesFromTheEnvironment) {
    const std::string path = testing_support::MakeTempFolder("trace") + "/env.txt";
    setenv(device::ProtocolTrace::kEnvironmentVariable, path.c_str(), 1);
    device::ProtocolTrace trace;
    EXPECT_TRUE(trace.OpenFromEnvironment());
    const uint8_t bytes[] = {0x00, 0xAB, 0x0F};
    trace.Record(device::ProtocolTrace::kRead, bytes);
    trace.Close();
    unsetenv(device::ProtocolTrace::kEnvironmentVariable);
    EXPECT_EQ(testing_support::ReadFile(path), "< 00 AB 0F\n");
    EXPECT_FALSE(trace.OpenFromEnvironment());
    EXPECT_FALSE(trace.Open(testing_support::MakeTempFolder("trace")));  // a folder
}

TEST_F(DeviceManagerTest, ConnectionKindIsSafeWhileTheWorkerRebuilds) {
    Bus().AddWiredMouse();
    Bus().AddReceiver(kReceiver, true);
    std::atomic<bool> stop{false};
    std::atomic<int> answers{0};
    std::thread window([&] {
        while (!stop) {
            const int kind = manager.GetConnectionKind();
            EXPECT_TRUE(kind == 0 || kind == -1) << kind;
            std::vector<DeviceConnection> list;
            manager.CollectConnections(list, 101);
            ++answers;
        }
    });
    // Rebuild until the window thread has asked many times in between.
    for (int i = 0; i < 100 || answers.load() < 100; ++i) {
        manager.RebuildConnections();
    }
    stop = true;
    window.join();
    EXPECT_GT(answers.load(), 0);
    EXPECT_EQ(manager.GetConnectionKind(), 0);
}

TEST(DeviceManagerInstanceTest, ProcessWideManagerTakesAnInstalledBackend) {
    testing_support::ScopedFakeClock clock;
    sim::VirtualHidBackend backend(sim::SimMode::Receiver);
    DeviceManager& manager = DeviceManager::Instance();
    EXPECT_EQ(&manager, &DeviceManager::Instance());
    manager.SetBackend(&backend);
    EXPECT_EQ(&manager.Backend(), &backend);
    manager.ClearIdTable();
    manager.AddIdEntry(kVendor, kReceiver, u"", 101, 1);
    manager.SetDeviceTypeFilter(101);
    manager.RebuildConnections();
    EXPECT_EQ(manager.GetConnectionKind(), 1);

    manager.SetBackend(nullptr);  // back to real hardware: the virtual connections are gone
    EXPECT_FALSE(manager.IsOpened());
    std::vector<DeviceConnection> none;
    EXPECT_FALSE(manager.CollectConnections(none));
    manager.ClearIdTable();
    manager.ClearActiveConnectionCache();
}

}  // namespace
