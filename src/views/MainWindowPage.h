#pragma once

#include <cstdint>

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
};
