#pragma once

#include <QString>
#include <cstdint>

#include "store/ProfileListRefresh.h"
#include "views/peliskui/MRect.h"

class DeviceMainDlg;

namespace PeliskUI {
class MTabLayout;
}

// One page of the main window (buttons, performance, macros, settings), plugged into the
// window before it is created. The window calls the page at the points where it builds, places
// and re-labels its controls, and hands it every control event and window message it does not
// handle itself.
class MainWindowPage {
  public:
    virtual ~MainWindowPage() = default;

    // Creates the page's controls on its container (rectangles in the window's client
    // coordinates).
    virtual void InitUI(DeviceMainDlg& window, PeliskUI::MTabLayout& page) = 0;
    // Places the controls for the window's client rectangle; `scale` is client height / 780.
    virtual void UISize(const PeliskUI::MRect& client, float scale) = 0;
    // A control event; true when the page handled it.
    virtual bool OnMessage(int id, int event, int64_t param) = 0;
    // A window message; true (with the result) when the page handled it.
    virtual bool OnWindowMessage(uint32_t message, uint64_t wparam, int64_t lparam,
                                 int64_t& result) {
        (void)message, (void)wparam, (void)lparam, (void)result;
        return false;
    }
    // Sets the page's texts again in the current language.
    virtual void ApplyTexts() {}

    // What the device side shows on the pages, on the window thread and in the order the
    // worker lists its updates. Each page takes what concerns it and ignores the rest.
    //
    // The profile selector, refilled from the store (items and the current profile).
    virtual void ShowProfileList(const store::ProfileListState& profiles) { (void)profiles; }
    // Reload the buttons' functions from the store; `clearSelection` leaves no button selected.
    virtual void RefreshKeyPage(bool clearSelection) { (void)clearSelection; }
    // Select the first button (before the current profile's defaults are restored).
    virtual void SelectFirstButton() {}
    // Reload the macro list from the store.
    virtual void RefreshMacroList() {}
    // Re-show the performance values of the current profile from the store.
    virtual void RefreshPerformancePage() {}
    // The mouse's firmware version text.
    virtual void ShowFirmwareVersion(const QString& text) { (void)text; }
    // The mouse changed its DPI stage (1..6), report rate (its code) or light mode (0..6).
    virtual void SelectDpiStage(int stage) { (void)stage; }
    virtual void CheckReportRate(int code) { (void)code; }
    virtual void SelectLightMode(int mode) { (void)mode; }
    // After a factory reset: hide the macro page's editing controls.
    virtual void HideMacroEditing() {}
};
