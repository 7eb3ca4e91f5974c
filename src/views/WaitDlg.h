#pragma once

#include "views/peliskui/MDialog.h"

// The small animated "busy" window shown while the worker talks to the mouse. It has no
// buttons; the worker ends it with DoOK when its job is done.
class WaitDlg : public PeliskUI::MDialog {
  public:
    static constexpr int kSize = 102;

    WaitDlg() = default;

    // Creates the window centred over the owner window's rectangle (or the screen without an
    // owner), ready for ShowModal.
    bool CreateOver(PeliskUI::MWindow* owner);
    // Creates the window over `owner` and runs it modally until it is ended.
    int Run(PeliskUI::MWindow* owner);

  protected:
    void OnInitDialog() override;
    void InitUI() override;
};
