#pragma once

#include <QString>
#include <functional>
#include <map>
#include <vector>

#include "views/peliskui/MDialog.h"

namespace platform {
class SingleInstance;
}

class MainWindowPage;
class WaitDlg;

namespace views {
class MainWindowDevice;
}

// The main window: the frame (background, title, close and minimise, battery and connection
// indicators, the profile bar), the icon tab strip with its five page containers, and the home
// page. The pages' own controls come from MainWindowPage objects plugged in before Create.
//
// The device side is reached through the virtual hooks below (QueueDeviceJob, the profile bar
// actions) and drives the connection display through the Show... operations; without a device
// side the window shows the no-device state. When the window is initialised it starts answering
// the single-instance channel, so a later start brings this window forward and other processes
// can deliver window messages.
class DeviceMainDlg : public PeliskUI::MDialog {
  public:
    // Control identifiers of the frame and the home page.
    enum ControlId {
        kBackground = 30,
        kTitle = 35,
        kClose = 36,
        kMinimise = 37,
        kBattery = 40,
        kDeviceState = 41,
        kTabStrip = 45,
        kKeyPage = 46,
        kPerformancePage = 47,
        kMacroPage = 48,
        kSettingsPage = 50,
        kHomePage = 51,
        kHomeMouse = 52,
        kBannerArea = 53,
        kBannerText = 54,
        kApplyProfile = 88,
        kReadDevice = 89,
        kRestoreDefaults = 90,
        kImportProfile = 91,
        kExportProfile = 92,
    };
    // Tab item identifiers.
    enum TabItem {
        kTabHome = 1,
        kTabKeys = 2,
        kTabPerformance = 3,
        kTabMacros = 4,
        kTabSettings = 6
    };
    // Frames of the connection indicator.
    enum DeviceStateFrame {
        kStateNone = 0,
        kStateWired = 1,
        kStateReceiver = 2,
        kStateBluetooth = 3
    };

    // `instance` may be null (tests, screenshots); it must outlive the window.
    explicit DeviceMainDlg(platform::SingleInstance* instance);
    ~DeviceMainDlg() override;

    // Plugs in the page shown by tab item `tabItem` (2, 3, 4 or 6). Before Create; the page
    // must outlive the window.
    void SetPage(int tabItem, MainWindowPage* page);
    // Calls `visit` for every plugged-in page, in building order (keys, performance, macros,
    // settings).
    void ForEachPage(const std::function<void(MainWindowPage&)>& visit) const;

    // The device side the window starts when it is initialised and stops when its run ends,
    // and that its profile bar works through. Before Create; it must outlive the window's run.
    // Without one the window shows the no-device state.
    void SetDeviceSide(views::MainWindowDevice* device) { m_device = device; }
    views::MainWindowDevice* DeviceSide() const { return m_device; }

    // The two face-name settings of the window.
    const QString& TitleFontName() const { return m_titleFontName; }
    const QString& TextFontName() const { return m_textFontName; }
    void SetFontNames(const QString& title, const QString& text);
    // Client height / 780, recomputed at every placement.
    float Scale() const { return m_scale; }
    // Identifier of the tab item shown.
    int CurrentTab() const { return m_currentTab; }

    // Connection display (UI thread). The indicator shows a state text (language text 50 no
    // device, 51 cable, 52 receiver, 53 receiver without its mouse, 54 Bluetooth) with the mark
    // of that state.
    void ShowDeviceStatus(int textKey);
    // The mark the indicator shows with a state text.
    static int StateFrameOf(int textKey);
    // Enables or disables the tab strip and selects the item at `index`.
    void SetTabsEnabled(bool enabled, int index);
    void SelectTab(int index);
    void ShowNoDeviceBanner(bool shown);
    void ShowProfileBar(bool shown);
    // The Bluetooth notice (text 56) as the window's overlay message.
    void ShowBluetoothNotice(bool shown);
    void SetBatteryInfo(int level, bool charging);

    // Shows the wait dialog over this window until EndWaitDialog ends it; a wait dialog still
    // open is closed first. UI thread; returns when the dialog has ended.
    // `code` is the job the user waits for (0: any job ends it).
    void ShowWaitDialog(int code = 0);
    // Ends the wait dialog that is shown, if any. Safe from any thread.
    void EndWaitDialog();
    // Ends the wait dialog shown for job `code` (or for any job); one shown for another job
    // stays. UI thread.
    void EndWaitDialogFor(int code);
    bool IsWaitDialogShown() const { return m_waitDialog != nullptr; }

    // Sets every text of the frame, the tab strip and the pages in the current language.
    virtual void ApplyTexts();

  protected:
    int64_t OnWindowMessage(uint32_t message, uint64_t wparam, int64_t lparam) override;
    void OnInitDialog() override;
    void InitUI() override;
    void UISize(const PeliskUI::MRect& client) override;
    void OnMessage(int id, int event, int64_t param) override;
    int OnNcActivate(bool active) override;
    void OnTimer(int id) override;
    void OnDestroy() override;
    void OnCloseRequest() override;

    // Hooks of the device side. QueueDeviceJob hands a job code to the worker and returns
    // false when it was not queued (no device side, or no device connected), in which case the
    // window shows no wait dialog.
    virtual bool QueueDeviceJob(int code);
    // Restores the active profile's defaults in the store before JOB_RESET_PROFILE is queued.
    virtual void OnRestoreDefaults();
    virtual void OnImportProfile() {}
    virtual void OnExportProfile() {}
    // Shows a message box with language texts and returns its end code.
    virtual int ShowMessageBox(int messageKey, int captionKey, int style);
    // Ends the program at once (close button, exit requests).
    virtual void ExitProgram();

  private:
    void CreateFrame();
    void CreateHome();
    void PlaceFrame(const PeliskUI::MRect& client);
    void UpdateOverlay();
    MainWindowPage* PageOf(int tabItem) const;

    platform::SingleInstance* m_instance;
    views::MainWindowDevice* m_device = nullptr;
    std::map<int, MainWindowPage*> m_pages;
    QString m_titleFontName;
    QString m_textFontName;
    PeliskUI::MRect m_client;
    float m_scale = 1.0f;
    int m_currentTab = kTabHome;
    int m_statusKey = 50;
    bool m_bluetoothNotice = false;
    WaitDlg* m_waitDialog = nullptr;
    int m_waitCode = 0;  // the job the shown wait dialog waits for; 0 for any
};
