#pragma once

// The main window with its device side on the virtual mouse: a fresh settings database in the
// test home, the virtual mouse on the process-wide device manager, a page that writes down what
// the device side shows on it, and message boxes answered from a queued call.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "app/DeviceCommand.h"
#include "app/Startup.h"
#include "device/DeviceManager.h"
#include "i18n/Language.h"
#include "i18n/LanguageFile.h"
#include "platform/Folders.h"
#include "sim/VirtualHidBackend.h"
#include "store/ProfileDatabase.h"
#include "support/TempHome.h"
#include "views/DeviceMainDlg.h"
#include "views/MainWindowDevice.h"
#include "views/MainWindowPage.h"
#include "views/peliskui/MControl.h"

namespace gui_test {

inline QString Text(int key) {
    return QString::fromStdU16String(i18n::LoadText(key));
}

// Runs the window thread's events until `condition` holds. False when it did not within
// `limitMs`.
inline bool WaitFor(const std::function<bool()>& condition, int limitMs = 10000) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > limitMs) {
            return false;
        }
        QTest::qWait(2);
    }
    return true;
}

// Presses button `id` of the modal window in front (a message box), trying again from the
// event loop until one is shown.
inline void ClickInModal(int id, int attempts = 500) {
    if (QWidget* modal = QApplication::activeModalWidget()) {
        for (PeliskUI::MControl* control : modal->findChildren<PeliskUI::MControl*>()) {
            if (control->GetID() == id) {
                control->Click();
                return;
            }
        }
    }
    if (attempts > 0) {
        QTimer::singleShot(2, qApp, [id, attempts] { ClickInModal(id, attempts - 1); });
    }
}

// The window title of the modal window in front, empty when there is none.
inline QString ModalTitle() {
    QWidget* modal = QApplication::activeModalWidget();
    return modal ? modal->windowTitle() : QString();
}

// A page that writes down, in order, what the device side shows on it.
class RecordingPage : public MainWindowPage {
  public:
    std::vector<std::string> calls;

    void InitUI(DeviceMainDlg&, PeliskUI::MTabLayout&) override {}
    void UISize(const PeliskUI::MRect&, float) override {}
    bool OnMessage(int, int, int64_t) override { return false; }

    void ShowProfileList(const store::ProfileListState& profiles) override {
        calls.push_back("profiles " + std::to_string(profiles.items.size()) + " current " +
                        std::to_string(profiles.current));
    }
    void RefreshKeyPage(bool clearSelection) override {
        calls.push_back(clearSelection ? "keys cleared" : "keys kept");
    }
    void SelectFirstButton() override { calls.push_back("first button"); }
    void RefreshMacroList() override { calls.push_back("macros"); }
    void RefreshPerformancePage() override { calls.push_back("performance"); }
    void ShowFirmwareVersion(const QString& text) override {
        calls.push_back("firmware " + text.toStdString());
    }
    void SelectDpiStage(int stage) override { calls.push_back("stage " + std::to_string(stage)); }
    void CheckReportRate(int code) override { calls.push_back("rate " + std::to_string(code)); }
    void SelectLightMode(int mode) override { calls.push_back("light " + std::to_string(mode)); }
    void HideMacroEditing() override { calls.push_back("macro editing hidden"); }
};

// The main window, with its message boxes written down and answered by pressing a button from a
// queued call once the box is shown (OK unless `answer` says Cancel).
class TestWindow : public DeviceMainDlg {
  public:
    struct Box {
        int message;
        int caption;
        int style;
        bool waitDialogShown;     // whether a wait dialog was still recorded when the box came
        bool waitDialogOnScreen;  // whether one was still visible
    };
    std::vector<Box> boxes;
    int answer = PeliskUI::kEndOK;
    std::function<void()> afterBox;  // called when a box has been answered

    TestWindow() : DeviceMainDlg(nullptr) {}

    bool CreateShown() {
        if (!Create(nullptr, QStringLiteral("Varneth software"),
                    PeliskUI::kStylePopup | PeliskUI::kStyleVisible | PeliskUI::kStyleClipSiblings |
                        PeliskUI::kStyleClipChildren,
                    0, {0, 0, 1121, 780})) {
            return false;
        }
        GetSafeHwnd()->show();
        return true;
    }
    // Clicks a control of the window; returns when its handler has (a wait dialog included).
    void Click(int id) {
        PeliskUI::MControl* control = GetControl(id);
        ASSERT_NE(control, nullptr);
        control->Click();
    }

  protected:
    int ShowMessageBox(int message, int caption, int style) override {
        bool onScreen = false;
        for (QWidget* top : QApplication::topLevelWidgets()) {
            onScreen =
                onScreen || (top->windowTitle() == QStringLiteral("WaitDlg") && top->isVisible());
        }
        boxes.push_back({message, caption, style, IsWaitDialogShown(), onScreen});
        const int button = answer == PeliskUI::kEndOK ? 33 : 34;
        QTimer::singleShot(0, qApp, [button] { ClickInModal(button); });
        const int result = DeviceMainDlg::ShowMessageBox(message, caption, style);
        if (afterBox) {
            afterBox();
        }
        return result;
    }
    // The close button and exit requests would end the test program.
    void ExitProgram() override {}
};

class WindowFixture : public testing::Test {
  protected:
    void SetUp() override {
        i18n::SetCurrentLanguage(i18n::kEnglish);
        // Every test starts from a new settings database.
        store::ProfileDatabase::Instance().Close();
        testing_support::RemoveTree(platform::DataFolder() + "db");
        ASSERT_TRUE(app::PrepareDataFolder());
        device::DeviceManager::Instance().SetBackend(&backend);
    }
    void TearDown() override {
        Close();
        device::DeviceManager::Instance().Trace().Close();
        device::DeviceManager::Instance().SetBackend(nullptr);
        store::ProfileDatabase::Instance().Close();
    }

    sim::VirtualBus& Bus() { return backend.Bus(); }
    app::DeviceController& Controller() { return device->Controller(); }
    store::ProfileDatabase& Store() { return store::ProfileDatabase::Instance(); }

    // Opens the window on the virtual bus as it is. With `waitForSync` it returns once the first
    // read of the mouse is done and shown (at once when no mouse is connected).
    void Open(bool waitForSync = true) {
        device = std::make_unique<views::MainWindowDevice>(
            views::MainWindowDevice::Options{&backend, [this](int number) {
                                                 std::lock_guard lock(typedMutex);
                                                 typed.push_back(number);
                                             }});
        if (jobObserver) {
            device->Controller().SetJobObserver(jobObserver);
        }
        window = std::make_unique<TestWindow>();
        window->SetDeviceSide(device.get());
        window->SetPage(DeviceMainDlg::kTabKeys, &page);
        ASSERT_TRUE(window->CreateShown());
        if (waitForSync) {
            WaitUntilIdle();
        }
    }
    // Runs events until the worker has nothing queued and the first read is done (or there is
    // no mouse), and every update it handed over is shown.
    void WaitUntilIdle() {
        app::DeviceController& controller = Controller();
        ASSERT_TRUE(WaitFor([&] {
            return controller.Queue().Empty() &&
                   (controller.ReadDone() || !controller.IsConnected());
        })) << "the first read of the mouse did not end";
        QCoreApplication::sendPostedEvents();
    }
    // The window goes first, then its device side (which waits for a job still running).
    void Close() {
        window.reset();
        device.reset();
    }

    std::u16string Config(const char* key, int profile = 1) {
        std::u16string value;
        Store().GetConfigValue(profile, key, value);
        return value;
    }
    // The command codes written to the virtual mouse since the log was last cleared.
    std::vector<int> WrittenCommands() {
        std::vector<int> codes;
        for (const sim::IoRecord& record : Bus().IoLog()) {
            if (record.kind == sim::IoRecord::Kind::Write && record.bytes.size() > 2) {
                codes.push_back(record.bytes[2]);
            }
        }
        return codes;
    }

    sim::VirtualHidBackend backend{sim::VirtualHidBackend::Empty{}};
    RecordingPage page;
    std::function<void(int)> jobObserver;  // set before Open; runs on the worker thread
    std::mutex typedMutex;
    std::vector<int> typed;  // emoji numbers the mouse asked to type
    std::unique_ptr<views::MainWindowDevice> device;
    std::unique_ptr<TestWindow> window;
};

}  // namespace gui_test
