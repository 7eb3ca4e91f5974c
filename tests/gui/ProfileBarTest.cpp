// The profile bar on the virtual mouse: apply, read and restore defaults run their jobs behind
// the wait dialog and confirm with their message boxes; with no mouse nothing waits; an upload
// of the default profile leaves the expected frames in the protocol trace.
#include <atomic>
#include <condition_variable>
#include <fstream>
#include <mutex>
#include <sstream>
#include <thread>

#include "WindowFixture.h"
#include "protocol/CommandSet.h"
#include "sim/SimMode.h"

namespace gui_test {
namespace {

using protocol::CMD_MACRO_DATA;
using protocol::CMD_MACRO_DONE;
using protocol::CMD_SET_DPI;
using protocol::CMD_SET_REPORT_RATE;
using protocol::CMD_WRITE_KEYS;
using protocol::CMD_WRITE_SETTINGS;

// Stage 1 of a settings block as the mouse keeps it (little-endian at bytes 5 and 6).
int StageOne(const sim::VirtualMouse::SettingsBlock& block) {
    return block[5] | block[6] << 8;
}

class ProfileBar : public WindowFixture {
  protected:
    void OpenWired() {
        Bus().SetMode(sim::SimMode::Wired);
        Open();
        Bus().ClearIoLog();
        page.calls.clear();
    }
    // Clicks a profile bar button and notes whether a wait dialog was in front meanwhile. The
    // look is taken from the window thread's queue right after the click's handler starts its
    // first modal run and after each message box it answers, so it always comes before the
    // worker's end of a dialog (which is queued only once the job is done).
    bool ClickAndSeeWaitDialog(int id) {
        bool seen = false;
        const auto look = [&] {
            seen =
                seen || (window->IsWaitDialogShown() && ModalTitle() == QStringLiteral("WaitDlg"));
        };
        QTimer::singleShot(0, qApp, look);
        window->afterBox = [&] { QTimer::singleShot(0, qApp, look); };
        window->Click(id);
        window->afterBox = nullptr;
        QCoreApplication::sendPostedEvents();  // a look still queued when no dialog ran
        return seen;
    }
};

TEST_F(ProfileBar, ApplyWaitsForTheUploadThenConfirms) {
    OpenWired();
    ASSERT_TRUE(Store().SetConfigValue(1, "dpi_group0_value", u"1000"));

    EXPECT_TRUE(ClickAndSeeWaitDialog(DeviceMainDlg::kApplyProfile));
    EXPECT_FALSE(window->IsWaitDialogShown()) << "the worker ended it";
    ASSERT_TRUE(WaitFor([&] { return !window->boxes.empty() && ModalTitle().isEmpty(); }));
    ASSERT_EQ(window->boxes.size(), 1u);
    EXPECT_EQ(window->boxes[0].message, 210);
    EXPECT_EQ(window->boxes[0].caption, 115);
    EXPECT_EQ(window->boxes[0].style, 0);
    EXPECT_FALSE(window->boxes[0].waitDialogShown) << "the box comes after the wait dialog";
    EXPECT_FALSE(window->boxes[0].waitDialogOnScreen);
    EXPECT_EQ(StageOne(Bus().Mouse().Settings(0)), 1000);
}

TEST_F(ProfileBar, ReadWaitsAndRefreshesThePages) {
    OpenWired();
    Bus().EditMouse([](sim::VirtualMouse& mouse) {
        sim::VirtualMouse::SettingsBlock block = mouse.Settings(0);
        block[5] = 0x60;  // 2400
        block[6] = 0x09;
        mouse.SetSettings(0, block);
    });

    EXPECT_TRUE(ClickAndSeeWaitDialog(DeviceMainDlg::kReadDevice));
    EXPECT_FALSE(window->IsWaitDialogShown());
    EXPECT_EQ(Config("dpi_group0_value"), u"2400");
    ASSERT_TRUE(WaitFor([&] { return page.calls.size() >= 3; }));
    EXPECT_EQ(page.calls, (std::vector<std::string>{"keys cleared", "performance", "macros"}));
    EXPECT_TRUE(window->boxes.empty()) << "reading back has no confirmation";
}

TEST_F(ProfileBar, RestoreDefaultsAsksResetsTheStoreAndWritesTheMouse) {
    OpenWired();
    ASSERT_TRUE(Store().SetConfigValue(1, "dpi_group0_value", u"1000"));
    ASSERT_TRUE(Store().SetConfigValue(1, "light_mode", u"5"));

    // Cancel: nothing changes, nothing is sent.
    window->answer = PeliskUI::kEndCancel;
    EXPECT_FALSE(ClickAndSeeWaitDialog(DeviceMainDlg::kRestoreDefaults));
    ASSERT_EQ(window->boxes.size(), 1u);
    EXPECT_EQ(
        (std::tuple(window->boxes[0].message, window->boxes[0].caption, window->boxes[0].style)),
        std::tuple(200, 201, 4));
    EXPECT_EQ(Config("dpi_group0_value"), u"1000");
    EXPECT_TRUE(Controller().Queue().Empty());
    EXPECT_TRUE(page.calls.empty());

    // OK: the store is reset at once (1000 Hz over the cable), then the mouse is written.
    window->answer = PeliskUI::kEndOK;
    EXPECT_TRUE(ClickAndSeeWaitDialog(DeviceMainDlg::kRestoreDefaults));
    EXPECT_EQ(Config("dpi_group0_value"), u"800");
    EXPECT_EQ(Config("report_rate"), u"4");
    EXPECT_EQ(Config("light_mode"), u"3");
    ASSERT_TRUE(WaitFor([&] { return window->boxes.size() == 3 && ModalTitle().isEmpty(); }));
    EXPECT_EQ(
        (std::tuple(window->boxes[2].message, window->boxes[2].caption, window->boxes[2].style)),
        std::tuple(212, 112, 0));
    EXPECT_FALSE(window->boxes[2].waitDialogShown);
    EXPECT_FALSE(window->boxes[2].waitDialogOnScreen);
    EXPECT_EQ(page.calls, (std::vector<std::string>{"first button", "keys kept", "performance"}));
    const sim::VirtualMouse mouse = Bus().Mouse();
    EXPECT_EQ(StageOne(mouse.Settings(0)), 800);
    EXPECT_EQ(mouse.Settings(0)[1], 3) << "light mode";
    EXPECT_EQ(mouse.Settings(0)[2], 4) << "report rate";
}

// On a busy machine the worker's confirmation can be handled in the same pass of the event
// loop as the end of the wait dialog, before the dialog's run has returned: the box must find
// the dialog already gone.
TEST_F(ProfileBar, AConfirmationRightBehindTheEndOfTheWaitFindsItGone) {
    Bus().SetMode(sim::SimMode::Wired);
    Open();
    QTimer::singleShot(0, qApp, [&] {
        std::thread worker([&] {
            window->EndWaitDialog();
            window->PostWindowMessage(app::UM_DEVICE_SYNCED, 0, app::kSyncedAfterUpload);
        });
        worker.join();
    });
    window->ShowWaitDialog();
    ASSERT_TRUE(WaitFor([&] { return !window->boxes.empty() && ModalTitle().isEmpty(); }));
    EXPECT_EQ(window->boxes[0].message, 210);
    EXPECT_FALSE(window->boxes[0].waitDialogShown);
    EXPECT_FALSE(window->boxes[0].waitDialogOnScreen);
    EXPECT_FALSE(window->IsWaitDialogShown());
}

// The bar is hidden without a mouse; shown anyway, its buttons open no wait dialog, queue
// nothing and leave nothing open.
TEST_F(ProfileBar, WithoutAMouseNothingWaits) {
    Open();
    ASSERT_FALSE(Controller().IsConnected());
    window->ShowProfileBar(true);
    for (int id : {DeviceMainDlg::kApplyProfile, DeviceMainDlg::kReadDevice}) {
        EXPECT_FALSE(ClickAndSeeWaitDialog(id)) << id;
        EXPECT_TRUE(Controller().Queue().Empty()) << id;
    }
    EXPECT_FALSE(ClickAndSeeWaitDialog(DeviceMainDlg::kRestoreDefaults));
    EXPECT_TRUE(Controller().Queue().Empty());
    EXPECT_FALSE(window->IsWaitDialogShown());
    EXPECT_TRUE(ModalTitle().isEmpty());
    ASSERT_EQ(window->boxes.size(), 1u) << "only the confirmation of restore defaults";
    EXPECT_EQ(window->boxes[0].message, 200);
}

// The mouse goes while the user starts an upload: the worker drops the code and ends the wait
// dialog opened for it, so the user is not left waiting. The removal job is held at its start
// until the dialog is shown, so the code is queued while the mouse still counts as connected.
TEST_F(ProfileBar, ADroppedCodeEndsItsWaitDialog) {
    std::mutex mutex;
    std::condition_variable changed;
    bool removalStarted = false;
    bool release = false;
    jobObserver = [&](int code) {
        if (code != app::JOB_DEVICE_REMOVED) {
            return;
        }
        std::unique_lock lock(mutex);
        removalStarted = true;
        changed.notify_all();
        changed.wait(lock, [&] { return release; });
    };
    OpenWired();

    Bus().Unplug();
    ASSERT_TRUE(WaitFor([&] {
        std::lock_guard lock(mutex);
        return removalStarted;
    }));
    ASSERT_TRUE(Controller().IsConnected());
    QTimer::singleShot(0, qApp, [&] {
        std::lock_guard lock(mutex);
        release = true;
        changed.notify_all();
    });
    EXPECT_TRUE(ClickAndSeeWaitDialog(DeviceMainDlg::kApplyProfile));
    // Click returned: the dialog was ended although the upload never ran.
    EXPECT_FALSE(window->IsWaitDialogShown());
    EXPECT_FALSE(Controller().IsConnected());
    EXPECT_TRUE(WrittenCommands().empty());
    EXPECT_TRUE(Controller().Queue().Empty());
    EXPECT_TRUE(window->boxes.empty());
    EXPECT_TRUE(ModalTitle().isEmpty());
}

// Every report of an upload of the default profile, in the trace file: the macro image, the
// button entries of the five profiles, the settings block, the DPI stage and the report rate,
// each acknowledged by the mouse, and exactly the bytes the mouse received.
TEST_F(ProfileBar, UploadOfTheDefaultProfileInTheTrace) {
    OpenWired();
    const std::string trace = testing_support::MakeTempFolder("trace") + "/trace.txt";
    ASSERT_TRUE(device::DeviceManager::Instance().Trace().Open(trace));
    window->Click(DeviceMainDlg::kApplyProfile);
    ASSERT_TRUE(WaitFor([&] { return !window->boxes.empty() && ModalTitle().isEmpty(); }));
    device::DeviceManager::Instance().Trace().Close();

    std::vector<std::string> writes;
    std::vector<std::string> lines;
    {
        std::ifstream file(trace);
        for (std::string line; std::getline(file, line);) {
            lines.push_back(line);
        }
    }
    // The idle reads of notifications may sit between the exchanges; every command is
    // answered by the next line starting "< AA <command>".
    std::string sequence;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].rfind("> ", 0) != 0) {
            continue;
        }
        writes.push_back(lines[i].substr(2));
        const std::string command = lines[i].substr(8, 2);
        const std::string profile = lines[i].substr(26, 2);
        sequence += (sequence.empty() ? "" : " ") + command + "/" + profile;
        ASSERT_LT(i + 1, lines.size());
        EXPECT_EQ(lines[i + 1].substr(0, 8), "< AA " + command + " ") << lines[i];
    }
    EXPECT_EQ(sequence, "0D/00 0D/00 10/00 09/00 09/01 09/02 09/03 09/04 0F/00 22/00 23/00");

    // The settings block of the default profile: light 3, 250 Hz, six stages with stage 3
    // selected, 800 1200 1600 3200 6400 12000, the stage colours, scroll 0, lift-off 1, sensor
    // bits 0x30, response 8, light-off 20, e-sports 1.
    std::string block =
        "00 55 0F AE 53 2E 00 00 00 "
        "00 03 02 06 03 20 03 B0 04 40 06 80 0C 00 19 E0 2E "
        "FF 00 00 00 FF 00 00 00 FF FF FF 00 80 00 80 00 FF FF "
        "00 00 00 00 00 00 01 30 08 14 01";
    while (block.size() < 65 * 3 - 1) {
        block += " 00";
    }
    ASSERT_EQ(writes.size(), 11u);
    EXPECT_EQ(writes[8], block);

    // The trace holds what went out, byte for byte.
    std::vector<std::string> received;
    for (const sim::IoRecord& record : Bus().IoLog()) {
        if (record.kind != sim::IoRecord::Kind::Write) {
            continue;
        }
        std::ostringstream hex;
        for (size_t k = 0; k < record.bytes.size(); ++k) {
            char pair[4];
            std::snprintf(pair, sizeof pair, k ? " %02X" : "%02X", record.bytes[k]);
            hex << pair;
        }
        received.push_back(hex.str());
    }
    EXPECT_EQ(writes, received);
    EXPECT_EQ(WrittenCommands(),
              (std::vector<int>{CMD_MACRO_DATA, CMD_MACRO_DATA, CMD_MACRO_DONE, CMD_WRITE_KEYS,
                                CMD_WRITE_KEYS, CMD_WRITE_KEYS, CMD_WRITE_KEYS, CMD_WRITE_KEYS,
                                CMD_WRITE_SETTINGS, CMD_SET_DPI, CMD_SET_REPORT_RATE}));
}

}  // namespace
}  // namespace gui_test
