// The main window frame: placement at any client size, the no-device state, the tab strip, the
// close and minimise buttons, the profile bar, the wait dialog and the window-message routing.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <thread>
#include <tuple>

#include "app/DeviceCommand.h"
#include "i18n/Language.h"
#include "i18n/LanguageFile.h"
#include "platform/SingleInstance.h"
#include "views/DeviceMainDlg.h"
#include "views/MainWindowPage.h"
#include "views/peliskui/CDeviceState.h"
#include "views/peliskui/MEvent.h"
#include "views/peliskui/MPicture.h"
#include "views/peliskui/MTabCtrl.h"
#include "views/peliskui/MTabLayout.h"
#include "views/peliskui/MText.h"

using namespace PeliskUI;

namespace {

QString Text(int key) {
    return QString::fromStdU16String(i18n::LoadText(key));
}

// The main window with its device-side hooks recorded instead of acted on.
class TestMainWindow : public DeviceMainDlg {
  public:
    explicit TestMainWindow(platform::SingleInstance* instance = nullptr)
        : DeviceMainDlg(instance) {}

    std::vector<int> jobs;
    bool acceptJobs = false;
    std::vector<std::tuple<int, int, int>> boxes;
    int boxResult = kEndOK;
    std::vector<std::string> actions;
    std::vector<uint32_t> messages;
    int exits = 0;
    std::function<void()> whileWaiting;

    bool CreateDefault(int width = 1121, int height = 780) {
        const bool created =
            Create(nullptr, QStringLiteral("Varneth software"),
                   kStylePopup | kStyleVisible | kStyleClipSiblings | kStyleClipChildren, 0,
                   {0, 0, width, height});
        GetSafeHwnd()->show();
        return created;
    }
    QRect PlaceOf(int id) const {
        MControl* control = GetControl(id);
        return control ? QRect(control->mapTo(GetSafeHwnd(), QPoint(0, 0)), control->size())
                       : QRect();
    }
    void Click(int id) {
        MControl* control = GetControl(id);
        ASSERT_NE(control, nullptr);
        control->Click();
    }

  protected:
    bool QueueDeviceJob(int code) override {
        jobs.push_back(code);
        if (acceptJobs && whileWaiting) {
            QTimer::singleShot(0, qApp, whileWaiting);
        }
        return acceptJobs;
    }
    void OnRestoreDefaults() override { actions.push_back("restore"); }
    void OnImportProfile() override { actions.push_back("import"); }
    void OnExportProfile() override { actions.push_back("export"); }
    int ShowMessageBox(int message, int caption, int style) override {
        boxes.emplace_back(message, caption, style);
        return boxResult;
    }
    void ExitProgram() override { ++exits; }
    int64_t OnWindowMessage(uint32_t message, uint64_t wparam, int64_t lparam) override {
        messages.push_back(message);
        return DeviceMainDlg::OnWindowMessage(message, wparam, lparam);
    }
};

// A page plugged into the window, recording what the window asks of it.
class RecordingPage : public MainWindowPage {
  public:
    MTabLayout* container = nullptr;
    std::vector<float> scales;
    std::vector<std::pair<int, int>> events;
    std::vector<int64_t> menuItems;
    int texts = 0;

    void InitUI(DeviceMainDlg&, MTabLayout& page) override {
        container = &page;
        page.CreateControl(QStringLiteral("MButton"), 98, {}, QString());
    }
    void UISize(const MRect& client, float scale) override {
        scales.push_back(scale);
        container->Owner()->GetControl(98)->SetRect(
            {client.right - 76, 167, client.right - 60, 183});
    }
    bool OnMessage(int id, int event, int64_t) override {
        if (id != 98) {
            return false;
        }
        events.emplace_back(id, event);
        return true;
    }
    bool OnWindowMessage(uint32_t message, uint64_t, int64_t lparam, int64_t& result) override {
        if (message != app::UM_MACRO_MENU) {
            return false;
        }
        menuItems.push_back(lparam);
        result = 1;
        return true;
    }
    void ApplyTexts() override { ++texts; }
};

class MainWindow : public testing::Test {
  protected:
    void SetUp() override { i18n::SetCurrentLanguage(i18n::kEnglish); }
};

}  // namespace

// Fixed controls keep their places, right-anchored ones follow the right edge, centred ones the
// centre, and the pages run from y 110 to 50 above the bottom, at any client size.
TEST_F(MainWindow, PlacementAtTwoClientSizes) {
    for (const QSize size : {QSize(1121, 780), QSize(1400, 900)}) {
        SCOPED_TRACE(size.width());
        TestMainWindow window;
        ASSERT_TRUE(window.CreateDefault(size.width(), size.height()));
        const int w = size.width();
        const int h = size.height();
        EXPECT_EQ(window.PlaceOf(DeviceMainDlg::kTabStrip), QRect(20, 40, 360, 60));
        for (int page : {46, 47, 48, 50, 51}) {
            EXPECT_EQ(window.PlaceOf(page), QRect(QPoint(1, 110), QPoint(w - 2, h - 51))) << page;
        }
        EXPECT_EQ(window.PlaceOf(DeviceMainDlg::kBackground), QRect(0, 0, w, h));
        EXPECT_EQ(window.PlaceOf(DeviceMainDlg::kTitle), QRect((w - 300) / 2, 5, 350, 30));
        EXPECT_EQ(window.PlaceOf(DeviceMainDlg::kClose), QRect(w - 50, 10, 20, 20));
        EXPECT_EQ(window.PlaceOf(DeviceMainDlg::kMinimise), QRect(w - 86, 10, 20, 20));
        EXPECT_EQ(window.PlaceOf(DeviceMainDlg::kBattery), QRect(21, 6, 65, 28));
        EXPECT_EQ(window.PlaceOf(DeviceMainDlg::kDeviceState), QRect(91, 5, 100, 27));
        const int barLeft[] = {640, 520, 400, 280, 160};
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ(window.GetControl(88 + i)->GetRect(),
                      (MRect{w - barLeft[i], 55, w - barLeft[i] + 100, 85}));
        }
        EXPECT_EQ(window.PlaceOf(DeviceMainDlg::kBannerArea),
                  QRect(QPoint(w / 2 - 190, h / 2 - 100), QPoint(w / 2 + 209, h / 2 - 41)));
        EXPECT_EQ(window.PlaceOf(DeviceMainDlg::kBannerText),
                  window.PlaceOf(DeviceMainDlg::kBannerArea));
        const QSize mouse =
            window.GetControlAs<MPicture>(DeviceMainDlg::kHomeMouse)->GetImageSize();
        ASSERT_FALSE(mouse.isEmpty());
        EXPECT_EQ(window.PlaceOf(DeviceMainDlg::kHomeMouse),
                  QRect(QPoint((w - mouse.width()) / 2, (h - mouse.height()) / 2 + 20), mouse));
        EXPECT_FLOAT_EQ(window.Scale(), float(h) / 780.0f);
    }
}

TEST_F(MainWindow, ResizingPlacesTheFrameAgain) {
    TestMainWindow window;
    window.CreateDefault();
    window.GetSafeHwnd()->resize(1300, 860);
    QTRY_COMPARE(window.PlaceOf(DeviceMainDlg::kClose), QRect(1250, 10, 20, 20));
    EXPECT_EQ(window.PlaceOf(DeviceMainDlg::kTabStrip), QRect(20, 40, 360, 60));
    EXPECT_EQ(window.PlaceOf(DeviceMainDlg::kKeyPage).bottom(), 860 - 51);
}

TEST_F(MainWindow, StartsInTheNoDeviceState) {
    TestMainWindow window;
    window.CreateDefault();
    auto* strip = window.GetControlAs<MTabCtrl>(DeviceMainDlg::kTabStrip);
    EXPECT_FALSE(strip->GetEnabled());
    EXPECT_EQ(strip->GetSelectItem(), 0);
    EXPECT_EQ(window.CurrentTab(), DeviceMainDlg::kTabHome);
    EXPECT_TRUE(window.GetControl(DeviceMainDlg::kHomePage)->isVisible());
    EXPECT_FALSE(window.GetControl(DeviceMainDlg::kKeyPage)->isVisible());
    EXPECT_TRUE(window.GetControl(DeviceMainDlg::kBannerArea)->isVisible());
    EXPECT_TRUE(window.GetControl(DeviceMainDlg::kBannerText)->isVisible());
    EXPECT_EQ(window.GetControlAs<MText>(DeviceMainDlg::kBannerText)->GetTitle(), Text(57));
    for (int id = 88; id <= 92; ++id) {
        EXPECT_FALSE(window.GetControl(id)->isVisible()) << id;
    }
    EXPECT_EQ(window.GetControlAs<CDeviceState>(DeviceMainDlg::kDeviceState)->GetTitle(), Text(50));
    EXPECT_TRUE(window.GetMessage().isEmpty());
    // The five tabs in strip order.
    const int items[] = {1, 2, 3, 4, 6};
    const int captions[] = {71, 72, 73, 74, 76};
    ASSERT_EQ(strip->GetItemCount(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(strip->GetItemID(i), items[i]);
        EXPECT_EQ(strip->GetItemText(i), Text(captions[i]));
    }
}

TEST_F(MainWindow, ConnectionDisplayEnablesTabsAndShowsTheBar) {
    TestMainWindow window;
    window.CreateDefault();
    window.SetTabsEnabled(true, 1);
    window.ShowNoDeviceBanner(false);
    window.ShowProfileBar(true);
    window.ShowDeviceStatus(51);
    EXPECT_EQ(window.CurrentTab(), DeviceMainDlg::kTabKeys);
    EXPECT_TRUE(window.GetControl(DeviceMainDlg::kKeyPage)->isVisible());
    EXPECT_FALSE(window.GetControl(DeviceMainDlg::kHomePage)->isVisible());
    EXPECT_FALSE(window.GetControl(DeviceMainDlg::kBannerArea)->isVisible());
    EXPECT_TRUE(window.GetControl(DeviceMainDlg::kApplyProfile)->isVisible());
    EXPECT_EQ(window.GetControlAs<CDeviceState>(DeviceMainDlg::kDeviceState)->GetState(),
              DeviceMainDlg::kStateWired);

    auto* strip = window.GetControlAs<MTabCtrl>(DeviceMainDlg::kTabStrip);
    strip->ClickItem(4);
    EXPECT_EQ(window.CurrentTab(), DeviceMainDlg::kTabSettings);
    EXPECT_TRUE(window.GetControl(DeviceMainDlg::kSettingsPage)->isVisible());

    // Disabled again (device gone): the strip goes home and clicks change nothing.
    window.SetTabsEnabled(false, 0);
    strip->ClickItem(2);
    EXPECT_EQ(window.CurrentTab(), DeviceMainDlg::kTabHome);
    EXPECT_EQ(strip->GetSelectItem(), 0);
}

TEST_F(MainWindow, BluetoothNoticeIsTheOverlayMessage) {
    TestMainWindow window;
    window.CreateDefault();
    window.ShowBluetoothNotice(true);
    EXPECT_EQ(window.GetMessage(), Text(56));
    window.ShowBluetoothNotice(false);
    EXPECT_TRUE(window.GetMessage().isEmpty());
}

TEST_F(MainWindow, CloseEndsTheProgramAndMinimiseMinimises) {
    TestMainWindow window;
    window.CreateDefault();
    window.Click(DeviceMainDlg::kClose);
    EXPECT_EQ(window.exits, 1);
    window.GetSafeHwnd()->close();  // the window manager's close does the same
    EXPECT_EQ(window.exits, 2);
    window.Click(DeviceMainDlg::kMinimise);
    EXPECT_TRUE(window.GetSafeHwnd()->isMinimized());
}

TEST_F(MainWindow, ProfileBarQueuesJobsAndShowsTheWaitDialogOnlyWhenQueued) {
    TestMainWindow window;
    window.CreateDefault();
    window.ShowProfileBar(true);
    window.Click(DeviceMainDlg::kApplyProfile);  // no device side: nothing queued, no wait
    EXPECT_EQ(window.jobs, std::vector<int>{6});
    EXPECT_FALSE(window.IsWaitDialogShown());

    window.acceptJobs = true;
    bool sawDialog = false;
    std::thread worker;
    window.whileWaiting = [&] {
        sawDialog = window.IsWaitDialogShown();
        worker = std::thread([&] { window.EndWaitDialog(); });
    };
    window.Click(DeviceMainDlg::kReadDevice);  // returns when the worker ended the dialog
    worker.join();
    EXPECT_TRUE(sawDialog);
    EXPECT_FALSE(window.IsWaitDialogShown());
    EXPECT_EQ(window.jobs, (std::vector<int>{6, 7}));

    window.Click(DeviceMainDlg::kImportProfile);
    window.Click(DeviceMainDlg::kExportProfile);
    EXPECT_EQ(window.actions, (std::vector<std::string>{"import", "export"}));
}

TEST_F(MainWindow, RestoreDefaultsAsksFirst) {
    TestMainWindow window;
    window.CreateDefault();
    window.boxResult = kEndCancel;
    window.Click(DeviceMainDlg::kRestoreDefaults);
    EXPECT_EQ(window.boxes, (std::vector<std::tuple<int, int, int>>{{200, 201, 4}}));
    EXPECT_TRUE(window.actions.empty());
    EXPECT_TRUE(window.jobs.empty());

    window.boxResult = kEndOK;
    window.acceptJobs = true;
    window.whileWaiting = [&] { window.EndWaitDialog(); };
    window.Click(DeviceMainDlg::kRestoreDefaults);
    EXPECT_EQ(window.actions, std::vector<std::string>{"restore"});
    EXPECT_EQ(window.jobs, std::vector<int>{15});
}

TEST_F(MainWindow, ASecondWaitDialogReplacesTheFirst) {
    TestMainWindow window;
    window.CreateDefault();
    QWidget* first = nullptr;
    bool firstHiddenDuringSecond = false;
    QTimer::singleShot(0, qApp, [&] {
        first = QApplication::activeModalWidget();
        QTimer::singleShot(0, qApp, [&] {
            firstHiddenDuringSecond = first && !first->isVisible();
            window.EndWaitDialog();
        });
        window.ShowWaitDialog();  // the second one, started while the first is shown
    });
    window.ShowWaitDialog();
    EXPECT_NE(first, nullptr);
    EXPECT_TRUE(firstHiddenDuringSecond);
    EXPECT_FALSE(window.IsWaitDialogShown());
}

TEST_F(MainWindow, DeviceSyncedShowsTheConfirmationOfItsJob) {
    TestMainWindow window;
    window.CreateDefault();
    for (int64_t lparam : {1, 2, 7}) {
        window.SendWindowMessage(app::UM_DEVICE_SYNCED, 0, lparam);
    }
    const std::vector<std::tuple<int, int, int>> expected = {
        {210, 115, 0}, {212, 112, 0}, {212, 112, 0}};
    EXPECT_EQ(window.boxes, expected);
}

TEST_F(MainWindow, WindowMessagesRouteToTheirHandlers) {
    TestMainWindow window;
    RecordingPage page;
    window.SetPage(DeviceMainDlg::kTabMacros, &page);
    window.CreateDefault();
    window.SendWindowMessage(app::UM_TRAY_EXIT, 0, 5);
    EXPECT_EQ(window.exits, 0);
    window.SendWindowMessage(app::UM_TRAY_EXIT, 0, app::kTrayExitParam);
    EXPECT_EQ(window.exits, 1);
    EXPECT_EQ(window.SendWindowMessage(app::UM_PROFILE_MENU, 2, 0), 1);
    EXPECT_EQ(window.SendWindowMessage(app::UM_PROFILE_MENU, 1, 0), 1);
    EXPECT_EQ(window.actions, (std::vector<std::string>{"export", "import"}));
    EXPECT_EQ(window.SendWindowMessage(app::UM_MACRO_MENU, 0, 101), 1);
    EXPECT_EQ(page.menuItems, std::vector<int64_t>{101});
    const int textsBefore = page.texts;
    window.SendWindowMessage(app::UM_APPLY_TEXTS, 0, 0);
    EXPECT_EQ(page.texts, textsBefore + 1);
}

TEST_F(MainWindow, PluggedPagesAreBuiltPlacedAndGetTheirEvents) {
    TestMainWindow window;
    RecordingPage page;
    window.SetPage(DeviceMainDlg::kTabPerformance, &page);
    window.CreateDefault();
    ASSERT_EQ(page.container, window.GetControlAs<MTabLayout>(DeviceMainDlg::kPerformancePage));
    ASSERT_FALSE(page.scales.empty());
    EXPECT_FLOAT_EQ(page.scales.back(), 1.0f);
    EXPECT_EQ(window.GetControl(98)->GetRect(), (MRect{1045, 167, 1061, 183}));
    window.GetControl(98)->Click();
    EXPECT_EQ(page.events, (std::vector<std::pair<int, int>>{{98, kEventClick}}));
}

TEST_F(MainWindow, MessagesFromAnotherProcessArriveThroughTheSingleInstanceChannel) {
    platform::SingleInstance instance;
    ASSERT_TRUE(instance.Acquire());
    TestMainWindow window(&instance);
    window.CreateDefault();
    std::thread other([] {
        EXPECT_TRUE(platform::SingleInstance::SendWindowMessage(app::UM_PROFILE_MENU, 1, 0));
    });
    QTRY_COMPARE(window.actions, std::vector<std::string>{"import"});
    other.join();
    EXPECT_EQ(window.messages.back(), app::UM_PROFILE_MENU);
}

namespace {

// A job queued before the one the user waits for must not end the user's wait dialog.
TEST(MainWindowWait, OnlyTheAwaitedJobEndsTheWaitDialog) {
    DeviceMainDlg window(nullptr);
    window.Create(nullptr, QStringLiteral("Varneth software"), 0x96000000u, 0,
                  PeliskUI::MRect{0, 0, 1121, 780});
    bool stillShownAfterOtherJob = false;
    QTimer::singleShot(0, qApp, [&] {
        window.EndWaitDialogFor(app::JOB_WRITE_LIGHT);
        stillShownAfterOtherJob = window.IsWaitDialogShown();
        window.EndWaitDialogFor(app::JOB_UPLOAD_PROFILE);
    });
    window.ShowWaitDialog(app::JOB_UPLOAD_PROFILE);  // returns once its own job ended it
    EXPECT_TRUE(stillShownAfterOtherJob);
    EXPECT_FALSE(window.IsWaitDialogShown());
}

}  // namespace
