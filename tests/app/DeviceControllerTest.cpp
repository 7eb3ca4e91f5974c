#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <thread>

#include "app/DeviceCommand.h"
#include "app/DeviceController.h"
#include "app/RecordingView.h"
#include "protocol/CommandSet.h"
#include "sim/VirtualHidBackend.h"
#include "store/ProfileDatabase.h"
#include "support/FakeClock.h"
#include "support/TempHome.h"

namespace {

using app::DeviceController;
using app_test::RecordingView;
using platform::DeviceNotice;

device::DeviceDescriptorList CatalogueModes() {
    auto mode = [](int m, int pid, const char16_t* pattern, int type = 101) {
        device::DeviceDescriptor d;
        d.name = u"Varneth M1";
        d.deviceType = type;
        d.databaseName = u"VarnethM1";
        d.mode = m;
        d.vendorId = 0x5A17;
        d.productId = pid;
        d.interfacePattern = pattern;
        return d;
    };
    return {mode(0, 0x1001, u"VID_5A17&PID_1001&MI_01"), mode(1, 0x1002, u"VID_5A17&PID_1002&MI_01"),
            mode(2, 0x1003, u"VID&025A17_PID&1003"),
            mode(0, 0x2001, u"VID_5A17&PID_2001&MI_01", 102)};
}

// A controller on the virtual mouse and a store in a temporary folder.
class ControllerTest : public testing::Test {
protected:
    ControllerTest() {
        folder = testing_support::MakeTempFolder("controller") + "/";
        std::filesystem::create_directories(folder + "db");
        database.OpenForDevice(folder, u"VarnethM1");
        database.EnsureDefaultProfiles();
        // What loading the catalogue does to the manager.
        manager.SetDeviceTypeFilter(101);
        controller.SetCatalogueModes(CatalogueModes());
    }
    ~ControllerTest() override { controller.Stop(); }

    void Plug(sim::SimMode mode) {
        backend.Bus().SetMode(mode);
        controller.RefreshConnection();
    }
    // Runs worker steps until the queue is empty.
    void Drain() {
        for (int i = 0; i < 50 && !controller.Queue().Empty(); ++i) {
            controller.WorkerStep();
        }
    }
    int Accepted(uint8_t code) { return backend.Bus().Mouse().AcceptedCount(code); }

    std::string folder;
    sim::VirtualHidBackend backend{sim::VirtualHidBackend::Empty{}};
    device::DeviceManager manager{backend};
    store::ProfileDatabase database;
    RecordingView view;
    std::vector<int> jobs;
    DeviceController controller{{manager, database, view, nullptr, nullptr}};
};

class ControllerFakeTime : public ControllerTest {
protected:
    testing_support::ScopedFakeClock clock;
};

TEST_F(ControllerFakeTime, EachConnectionStateShowsItself) {
    struct Case {
        const char* name;
        std::optional<sim::SimMode> mode;
        app::ConnectionDisplay display;
        bool connected;
        bool online;
    };
    const Case cases[] = {
        {"nothing", std::nullopt, {50, false, 0, true, false, false}, false, false},
        {"wired", sim::SimMode::Wired, {51, true, 1, false, true, false}, true, true},
        {"receiver", sim::SimMode::Receiver, {52, true, 1, false, true, false}, true, true},
        {"receiver asleep", sim::SimMode::ReceiverOffline, {53, false, 0, true, false, false}, true, false},
        {"bluetooth", sim::SimMode::Bluetooth, {54, false, 0, true, false, true}, true, true},
    };
    for (const Case& c : cases) {
        backend.Bus().ClearNodes();
        if (c.mode) {
            backend.Bus().SetMode(*c.mode);
        }
        view.Clear();
        controller.RefreshConnection();
        EXPECT_EQ(view.LastDisplay(), c.display) << c.name;
        EXPECT_EQ(controller.IsConnected(), c.connected) << c.name;
        EXPECT_EQ(controller.IsOnline(), c.online) << c.name;
        EXPECT_EQ(view.Calls().front(), "battery 0 2") << "the battery is reset first: " << c.name;
        EXPECT_EQ(controller.DeviceType(), 101);
    }
    // Only the modes of device type 101 are selected.
    EXPECT_EQ(controller.SelectedModes().size(), 3u);
}

TEST_F(ControllerFakeTime, FirstSyncReadsTheMouseOnce) {
    Plug(sim::SimMode::Wired);
    backend.Bus().EditMouse([](sim::VirtualMouse& m) { m.SetBattery(77, 1); });
    view.Clear();
    controller.QueueCommand(app::JOB_SYNC_ONCE);
    controller.WorkerStep();
    EXPECT_TRUE(controller.ReadDone());
    const auto calls = view.Calls();
    ASSERT_GE(calls.size(), 6u);
    EXPECT_EQ(calls[0], "profiles 5 current 1");
    EXPECT_EQ(calls[1], "battery 77 1");
    EXPECT_EQ(calls[2], "keys cleared");
    EXPECT_EQ(calls[3], "macros");
    EXPECT_EQ(calls[4], "performance");
    EXPECT_EQ(calls[5].rfind("firmware ", 0), 0u);
    EXPECT_EQ(Accepted(protocol::CMD_READ_KEYS), 5);

    // A second sync does nothing while the read is done.
    view.Clear();
    controller.QueueCommand(app::JOB_SYNC_ONCE);
    controller.WorkerStep();
    EXPECT_TRUE(view.Calls().empty());
}

TEST_F(ControllerFakeTime, CodesRunOnePerStepInOrder) {
    Plug(sim::SimMode::Wired);
    controller.SetJobObserver([this](int code) { jobs.push_back(code); });
    clock->ClearSleeps();
    for (int i = 0; i < 3; ++i) {
        controller.QueueCommand(app::JOB_WRITE_LIGHT);
    }
    controller.QueueCommand(app::JOB_SEND_DPI);
    for (int step = 1; step <= 4; ++step) {
        controller.WorkerStep();
        EXPECT_EQ(jobs.size(), static_cast<size_t>(step));
    }
    EXPECT_EQ(jobs, (std::vector<int>{9, 9, 9, 10}));
    EXPECT_EQ(Accepted(protocol::CMD_SET_LIGHT_MODE), 3);
    EXPECT_EQ(Accepted(protocol::CMD_SET_DPI), 1);
    // Each job ends the wait dialog and pauses 100 ms.
    EXPECT_EQ(view.Count("end wait"), 4);
    const auto sleeps = clock->Sleeps();
    EXPECT_EQ(std::count(sleeps.begin(), sleeps.end(), 100u), 4);
}

TEST_F(ControllerFakeTime, CodesWithoutAMouseAreDroppedAndEndTheWaitDialog) {
    controller.RefreshConnection();  // no mouse
    controller.QueueCommand(app::JOB_UPLOAD_PROFILE);
    controller.WorkerStep();
    EXPECT_TRUE(controller.Queue().Empty());
    EXPECT_EQ(view.Count("end wait 6"), 1) << "the dropped code's wait dialog must not stay open";
    EXPECT_EQ(view.Count("synced"), 0);
    backend.Bus().SetMode(sim::SimMode::Wired);
    controller.RefreshConnection();
    controller.WorkerStep();  // idle: nothing comes back
    EXPECT_EQ(Accepted(protocol::CMD_WRITE_SETTINGS), 0);
    EXPECT_EQ(Accepted(protocol::CMD_MACRO_DONE), 0);
}

TEST_F(ControllerFakeTime, UploadAndResetTellTheWindow) {
    Plug(sim::SimMode::Wired);
    controller.QueueCommand(app::JOB_UPLOAD_PROFILE);
    controller.QueueCommand(app::JOB_RESET_PROFILE);
    Drain();
    const auto calls = view.Calls();
    const auto synced1 = std::find(calls.begin(), calls.end(), "synced 1");
    const auto synced2 = std::find(calls.begin(), calls.end(), "synced 2");
    ASSERT_NE(synced1, calls.end());
    ASSERT_NE(synced2, calls.end());
    EXPECT_LT(synced1, synced2);
    EXPECT_EQ(*(synced1 - 1), "end wait 6") << "the upload's wait dialog ends before the message";
    EXPECT_EQ(Accepted(protocol::CMD_MACRO_DONE), 1);
    EXPECT_EQ(Accepted(protocol::CMD_WRITE_SETTINGS), 2);
}

TEST_F(ControllerFakeTime, RemovalThenArrivalReadsTheMouseAgain) {
    Plug(sim::SimMode::Wired);
    controller.QueueCommand(app::JOB_SYNC_ONCE);
    controller.WorkerStep();
    backend.Bus().Unplug();
    controller.QueueCommand(app::JOB_DEVICE_REMOVED);
    controller.WorkerStep();
    EXPECT_FALSE(controller.IsConnected());
    EXPECT_EQ(view.LastDisplay().statusText, 50);

    backend.Bus().Replug();
    const int readsBefore = Accepted(protocol::CMD_READ_SETTINGS);
    clock->ClearSleeps();
    controller.QueueCommand(app::JOB_DEVICE_ARRIVED);
    controller.WorkerStep();
    EXPECT_TRUE(controller.IsConnected());
    EXPECT_EQ(view.LastDisplay().statusText, 51);
    EXPECT_EQ(Accepted(protocol::CMD_READ_SETTINGS), readsBefore + 1);
    EXPECT_EQ(clock->Sleeps().front(), 1000u) << "the arrival settles for a second first";
}

TEST_F(ControllerFakeTime, InterfaceNoticesQueueArrivalAndRemoval) {
    Plug(sim::SimMode::Receiver);
    struct Case {
        const char* name;
        DeviceNotice notice;
        bool connectedBefore;
        std::vector<int> queued;
    };
    const std::string bt =
        "HID\\{00001812-0000-1000-8000-00805F9B34FB}_DEV_VID&025A17_PID&1003_REV&0100_A1B2C3D4E5F6&COL01\\HIDRAW5";
    const Case cases[] = {
        {"wired vendor interface arrives while on the receiver",
         {DeviceNotice::Kind::Arrival, "HID\\VID_5A17&PID_1001&MI_01&COL03\\HIDRAW7", "", 0xFF01, 0x10},
         true, {app::JOB_DEVICE_ARRIVED}},
        {"a receiver collection arrives",
         {DeviceNotice::Kind::Arrival, "HID\\VID_5A17&PID_1002&MI_01\\HIDRAW8", "", 0xFF0A, 0x01},
         true, {app::JOB_DEVICE_ARRIVED}},
        {"a keyboard arrives",
         {DeviceNotice::Kind::Arrival, "HID\\VID_1234&PID_0001&MI_00\\HIDRAW9", "", 0x01, 0x06},
         true, {}},
        {"a bluetooth keyboard collection of the mouse arrives",
         {DeviceNotice::Kind::Arrival, bt + "\\KBD", "", 0x01, 0x06}, true, {app::JOB_DEVICE_ARRIVED}},
        {"a bluetooth collection that is not the keyboard",
         {DeviceNotice::Kind::Arrival, bt, "", 0x01, 0x02}, true, {}},
        {"the connected receiver goes",
         {DeviceNotice::Kind::Removal, "HID\\VID_5A17&PID_1002&MI_01\\HIDRAW3", "", 0, 0},
         true, {app::JOB_DEVICE_REMOVED}},
        {"a wired mouse that is not connected goes",
         {DeviceNotice::Kind::Removal, "HID\\VID_5A17&PID_1001&MI_01\\HIDRAW3", "", 0, 0}, true, {}},
        {"the bluetooth keyboard collection goes",
         {DeviceNotice::Kind::Removal, bt + "\\KBD", "", 0, 0}, true, {app::JOB_DEVICE_REMOVED}},
        {"a removal while not connected is ignored",
         {DeviceNotice::Kind::Removal, "HID\\VID_5A17&PID_1002&MI_01\\HIDRAW3", "", 0, 0},
         false, {}},
    };
    for (const Case& c : cases) {
        if (!c.connectedBefore) {
            backend.Bus().ClearNodes();
        }
        controller.RefreshConnection();
        while (controller.Queue().Take()) {
        }
        controller.OnDeviceInterfaceChange(c.notice);
        EXPECT_EQ(controller.Queue().Snapshot(), c.queued) << c.name;
    }
}

TEST_F(ControllerFakeTime, NotificationsUpdateStoreAndView) {
    Plug(sim::SimMode::Wired);
    struct Case {
        const char* name;
        std::vector<uint8_t> report;
        std::vector<std::string> calls;
        std::vector<int> queued;
    };
    const Case cases[] = {
        {"ignored mark", {0xAA, 0xFA, 0x38, 0x38, 0, 0, 0, 0, 0x11, 2}, {}, {}},
        {"foreign report", {0xAB, 0xFA, 0, 0, 0, 0, 0, 0, 0x11, 2}, {}, {}},
        // The remembered stage starts at 0, so a first stage 0 is no change.
        {"first stage 0", {0xAA, 0xFA, 0, 0, 0, 0, 0, 0, 0x10, 0, 3}, {"rate 3"}, {}},
        {"stage 0 after 2 becomes 1", {0xAA, 0xFA, 0, 0, 0, 0, 0, 0, 0x10, 2, 3}, {"stage 2", "rate 3"}, {}},
        {"", {0xAA, 0xFA, 0, 0, 0, 0, 0, 0, 0x10, 0, 3}, {"stage 1", "rate 3"}, {}},
        {"the raw 0 differs from the remembered 1", {0xAA, 0xFA, 0, 0, 0, 0, 0, 0, 0x10, 0, 3}, {"stage 1", "rate 3"}, {}},
        {"stage 1 is already shown", {0xAA, 0xFA, 0, 0, 0, 0, 0, 0, 0x10, 1, 7}, {"rate 7"}, {}},
        {"stage 9 becomes 6", {0xAA, 0xFA, 0, 0, 0, 0, 0, 0, 0x10, 9, 4}, {"stage 6", "rate 4"}, {}},
        {"battery capped", {0xAA, 0xFA, 0, 0, 0, 0, 0, 0, 0xD0, 150, 1}, {"battery 100 1"}, {}},
        {"light mode capped", {0xAA, 0xFA, 0, 0, 0, 0, 0, 0, 0x11, 9}, {"light 6"}, {}},
        {"lost DPI setting", {0xAA, 0xFA, 0, 0, 0, 0, 0, 0, 0x11, 2, 0xFF}, {}, {app::JOB_SEND_DPI}},
        {"short report", {0xAA, 0xFA}, {}, {}},
        {"unknown event", {0xAA, 0xFA, 0, 0, 0, 0, 0, 0, 0x77, 1, 1}, {}, {}},
    };
    for (const Case& c : cases) {
        view.Clear();
        controller.Poller().HandleNotification(c.report, 1);
        EXPECT_EQ(view.Calls(), c.calls) << c.name;
        EXPECT_EQ(controller.Queue().Snapshot(), c.queued) << c.name;
        while (controller.Queue().Take()) {
        }
    }
    std::u16string value;
    database.GetConfigValue(1, "dpi_index", value);
    EXPECT_EQ(value, u"5");
    database.GetConfigValue(1, "report_rate", value);
    EXPECT_EQ(value, u"4");
    database.GetConfigValue(1, "light_mode", value);
    EXPECT_EQ(value, u"6");
}

TEST_F(ControllerFakeTime, IdlePollReadsNotificationsFromTheMouse) {
    Plug(sim::SimMode::Wired);
    ASSERT_TRUE(backend.Bus().QueueNotification(0xD0, 42, 0));
    controller.WorkerStep();
    EXPECT_EQ(view.Calls().back(), "battery 42 0");
    // Within 200 ms the next idle step does not read.
    ASSERT_TRUE(backend.Bus().QueueNotification(0xD0, 43, 0));
    clock->Advance(50);
    view.Clear();
    controller.WorkerStep();
    EXPECT_TRUE(view.Calls().empty());
    clock->Advance(200);
    controller.WorkerStep();
    EXPECT_EQ(view.Calls().back(), "battery 43 0");
}

// Real time from here on: the worker thread itself.
TEST_F(ControllerTest, QueuedJobDoesNotWaitBehindTheIdleRead) {
    Plug(sim::SimMode::Wired);
    controller.QueueCommand(app::JOB_SYNC_ONCE);
    std::mutex mutex;
    std::condition_variable ran;
    std::chrono::steady_clock::time_point started;
    bool done = false;
    controller.SetJobObserver([&](int code) {
        if (code == app::JOB_WRITE_LIGHT) {
            std::lock_guard lock(mutex);
            started = std::chrono::steady_clock::now();
            done = true;
            ran.notify_all();
        }
    });
    controller.StartWorker(0);
    // Let the worker settle into its idle polling.
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    std::vector<long> delays;
    for (int i = 0; i < 5; ++i) {
        {
            std::lock_guard lock(mutex);
            done = false;
        }
        const auto queued = std::chrono::steady_clock::now();
        controller.QueueCommand(app::JOB_WRITE_LIGHT);
        std::unique_lock lock(mutex);
        ASSERT_TRUE(ran.wait_for(lock, std::chrono::seconds(3), [&] { return done; }));
        delays.push_back(static_cast<long>(
            std::chrono::duration_cast<std::chrono::milliseconds>(started - queued).count()));
        lock.unlock();
        std::this_thread::sleep_for(std::chrono::milliseconds(250 + 37 * i));
    }
    const long worst = *std::max_element(delays.begin(), delays.end());
    RecordProperty("worst_queue_delay_ms", static_cast<int>(worst));
    std::printf("queue-to-job delays (ms):");
    for (long d : delays) {
        std::printf(" %ld", d);
    }
    std::printf("\n");
    EXPECT_LT(worst, 80) << "a queued job starts within a few tens of milliseconds";
}

TEST_F(ControllerTest, StoppingDuringALongJobReturnsWithinASecond) {
    Plug(sim::SimMode::Wired);
    backend.Bus().SetLatency(40);  // an upload of ~20 exchanges then takes most of a second
    controller.StartWorker(0);
    controller.QueueCommand(app::JOB_UPLOAD_PROFILE);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    const auto start = std::chrono::steady_clock::now();
    controller.Stop(std::chrono::milliseconds(1000));
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_LT(waited, std::chrono::milliseconds(1300));
}

}  // namespace

namespace {

TEST(ControllerEmoji, EmojiNotificationsTypeTheirNumber) {
    testing_support::ScopedFakeClock clock;
    sim::VirtualHidBackend backend{sim::SimMode::Wired};
    device::DeviceManager manager{backend};
    manager.AddIdEntry(0x5A17, 0x1001, u"", 101, 0);
    manager.SetDeviceTypeFilter(101);
    manager.RebuildConnections();
    store::ProfileDatabase database;
    app_test::RecordingView view;
    std::vector<int> typed;
    app::DeviceController controller{
        {manager, database, view, [&typed](int number) { typed.push_back(number); }, nullptr}};
    const std::vector<uint8_t> emoji50 = {0xAA, 0xFA, 0, 0, 0, 0, 0, 0, 0x50, 3, 0};
    const std::vector<uint8_t> emoji60 = {0xAA, 0xFA, 0, 0, 0, 0, 0, 0, 0x60, 109, 0};
    controller.Poller().HandleNotification(emoji50, 1);
    controller.Poller().HandleNotification(emoji60, 1);
    EXPECT_EQ(typed, (std::vector<int>{3, 109}));
    EXPECT_TRUE(view.Calls().empty());

    // Read from the mouse by the idle poll.
    ASSERT_TRUE(backend.Bus().QueueNotification(0x50, 7, 0));
    controller.SetCatalogueModes(CatalogueModes());
    controller.RefreshConnection();
    controller.WorkerStep();
    EXPECT_EQ(typed.back(), 7);
}

}  // namespace
