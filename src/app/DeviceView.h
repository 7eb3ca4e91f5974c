#pragma once

#include <string>
#include <vector>

#include "store/ProfileListRefresh.h"

namespace app {

// How the window shows the connection state after a refresh.
struct ConnectionDisplay {
    int statusText = 50;           // language text of the device-state indicator
    bool tabsEnabled = false;      // the tab strip is usable
    int tabPosition = 0;           // tab selected: 0 the home page, 1 the key page
    bool noDeviceShown = true;     // the home page's no-device picture and text
    bool profileBarShown = false;  // the five profile bar buttons
    bool bluetoothNotice = false;  // overlay message text 56 over the window

    bool operator==(const ConnectionDisplay&) const = default;
};

// The narrow view of the window that the device side updates. The worker calls it from its own
// thread, in the order its jobs list the updates; the window hands each call to its own thread
// in that order, the command-line program prints or records them. Every call must return
// without waiting for the window thread.
class DeviceView {
public:
    virtual ~DeviceView() = default;

    // Connection refresh: battery reset, then the state.
    virtual void ShowConnectionState(const ConnectionDisplay& display) = 0;
    // Battery indicator: level in percent, charge state as the mouse reports it (2 after a reset).
    virtual void SetBatteryInfo(int level, int state) = 0;
    // The profile selector, refilled from the store.
    virtual void ShowProfileList(const store::ProfileListState& profiles) = 0;
    // Reload the key page from the store; `clearSelection` drops the selected button.
    virtual void RefreshKeyPage(bool clearSelection) = 0;
    // Reload the macro page's list from the store.
    virtual void RefreshMacroList() = 0;
    // Re-show the performance page's configuration from the store.
    virtual void RefreshPerformancePage() = 0;
    // The firmware version label of the settings page.
    virtual void ShowFirmwareVersion(const std::u16string& text) = 0;
    // A notification changed the DPI stage (1..6): check its stage control and move the slider.
    virtual void SelectDpiStage(int stage) = 0;
    // A notification changed the report rate: check the button the code selects.
    virtual void CheckReportRate(int code) = 0;
    // A notification changed the light mode (0..6): select it in the light-mode list.
    virtual void SelectLightMode(int mode) = 0;
    // After a factory reset: hide the macro page's editing controls.
    virtual void HideMacroEditing() = 0;
    // The job `code` is done (or was dropped): ends the modal state of the wait dialog recorded
    // for that job, if any. A wait dialog recorded for another job stays, so a job queued
    // earlier never ends the dialog of a later one.
    virtual void EndWaitDialog(int code) = 0;
    // Posted after an upload (1) or a profile reset (2): the confirmation message box.
    virtual void DeviceSynced(int lParam) = 0;
};

}  // namespace app
