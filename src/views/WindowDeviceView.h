#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>

#include "app/DeviceView.h"

class DeviceMainDlg;
class MainWindowPage;

namespace views {

// The main window as the device side sees it. The worker calls this view from its own thread;
// every call is handed to the window thread as one queued invocation and returns at once, so
// the window shows the updates in exactly the order the worker made them (queued invocations
// of one thread are delivered first in, first out) and the worker never waits for the window.
//
// On the window thread each update lands on the window: the connection state on the frame
// (status text, tab strip, no-device banner, profile bar, Bluetooth notice), the battery on its
// indicator, the end of the wait dialog, the confirmation after an upload or a reset as the
// window message UM_DEVICE_SYNCED, and every page refresh on the plugged-in pages.
//
// Lifetime: make it on the window thread, Bind it to the window before the device side first
// reports, and keep it until the worker has ended. Updates still queued when the window's
// widget is gone are dropped; updates queued when this view is destroyed are dropped too.
class WindowDeviceView final : public app::DeviceView {
  public:
    WindowDeviceView() = default;
    WindowDeviceView(const WindowDeviceView&) = delete;
    WindowDeviceView& operator=(const WindowDeviceView&) = delete;

    // The window the updates go to. Window thread.
    void Bind(DeviceMainDlg& window);

    void ShowConnectionState(const app::ConnectionDisplay& display) override;
    void SetBatteryInfo(int level, int state) override;
    void ShowProfileList(const store::ProfileListState& profiles) override;
    void RefreshKeyPage(bool clearSelection) override;
    void RefreshMacroList() override;
    void RefreshPerformancePage() override;
    void ShowFirmwareVersion(const std::u16string& text) override;
    void SelectDpiStage(int stage) override;
    void CheckReportRate(int code) override;
    void SelectLightMode(int mode) override;
    void HideMacroEditing() override;
    void EndWaitDialog(int code) override;
    void DeviceSynced(int lParam) override;

    // The charge state the mouse reports while charging, and the one a connection refresh
    // uses for "not known" (the indicator then shows no level).
    static constexpr int kChargeStateCharging = 1;
    static constexpr int kChargeStateUnknown = 2;

  private:
    // Runs `update` on the window thread, after every update handed over before it, when the
    // window is still there.
    void Post(std::function<void(DeviceMainDlg&)> update);
    // Runs `update` on every plugged-in page, on the window thread.
    void PostToPages(std::function<void(MainWindowPage&)> update);

    QObject m_context;  // lives on the window thread; the queued updates are addressed to it
    DeviceMainDlg* m_window = nullptr;
    QPointer<QWidget> m_widget;  // the window's widget: null once the window has gone
};

}  // namespace views
