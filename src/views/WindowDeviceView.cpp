#include "views/WindowDeviceView.h"

#include <QMetaObject>
#include <QString>

#include "app/DeviceCommand.h"
#include "views/DeviceMainDlg.h"
#include "views/MainWindowPage.h"

namespace views {

void WindowDeviceView::Bind(DeviceMainDlg& window) {
    m_window = &window;
    m_widget = window.GetSafeHwnd();
}

void WindowDeviceView::Post(std::function<void(DeviceMainDlg&)> update) {
    // Only m_context is touched here, from whichever thread reports; the window is reached on
    // its own thread.
    QMetaObject::invokeMethod(
        &m_context,
        [this, update = std::move(update)] {
            if (m_window && m_widget) {
                update(*m_window);
            }
        },
        Qt::QueuedConnection);
}

void WindowDeviceView::PostToPages(std::function<void(MainWindowPage&)> update) {
    Post([update = std::move(update)](DeviceMainDlg& window) { window.ForEachPage(update); });
}

void WindowDeviceView::ShowConnectionState(const app::ConnectionDisplay& display) {
    Post([display](DeviceMainDlg& window) {
        window.ShowDeviceStatus(display.statusText);
        window.SetTabsEnabled(display.tabsEnabled, display.tabPosition);
        window.ShowNoDeviceBanner(display.noDeviceShown);
        window.ShowProfileBar(display.profileBarShown);
        window.ShowBluetoothNotice(display.bluetoothNotice);
    });
}

void WindowDeviceView::SetBatteryInfo(int level, int state) {
    Post([level, state](DeviceMainDlg& window) {
        // A refresh resets the indicator to "not known" until the mouse tells its level.
        if (state == kChargeStateUnknown) {
            window.SetBatteryInfo(-1, false);
        } else {
            window.SetBatteryInfo(level, state == kChargeStateCharging);
        }
    });
}

void WindowDeviceView::ShowProfileList(const store::ProfileListState& profiles) {
    PostToPages([profiles](MainWindowPage& page) { page.ShowProfileList(profiles); });
}

void WindowDeviceView::RefreshKeyPage(bool clearSelection) {
    PostToPages([clearSelection](MainWindowPage& page) { page.RefreshKeyPage(clearSelection); });
}

void WindowDeviceView::RefreshMacroList() {
    PostToPages([](MainWindowPage& page) { page.RefreshMacroList(); });
}

void WindowDeviceView::RefreshPerformancePage() {
    PostToPages([](MainWindowPage& page) { page.RefreshPerformancePage(); });
}

void WindowDeviceView::ShowFirmwareVersion(const std::u16string& text) {
    PostToPages([version = QString::fromStdU16String(text)](MainWindowPage& page) {
        page.ShowFirmwareVersion(version);
    });
}

void WindowDeviceView::SelectDpiStage(int stage) {
    PostToPages([stage](MainWindowPage& page) { page.SelectDpiStage(stage); });
}

void WindowDeviceView::CheckReportRate(int code) {
    PostToPages([code](MainWindowPage& page) { page.CheckReportRate(code); });
}

void WindowDeviceView::SelectLightMode(int mode) {
    PostToPages([mode](MainWindowPage& page) { page.SelectLightMode(mode); });
}

void WindowDeviceView::HideMacroEditing() {
    PostToPages([](MainWindowPage& page) { page.HideMacroEditing(); });
}

void WindowDeviceView::EndWaitDialog(int code) {
    // Handed over like every other update, so it can only be acted on once the window thread
    // runs its event loop again: a producer records and shows its wait dialog before that, so
    // the end never comes before the dialog it ends.
    Post([code](DeviceMainDlg& window) { window.EndWaitDialogFor(code); });
}

void WindowDeviceView::DeviceSynced(int lParam) {
    Post([lParam](DeviceMainDlg& window) {
        window.SendWindowMessage(app::UM_DEVICE_SYNCED, 0, lParam);
    });
}

}  // namespace views
