#pragma once

#include "views/peliskui/MControl.h"

namespace PeliskUI {

// A button that is only a picture ("CImageButton"): close, minimise, reset, step buttons. Its
// skin holds the normal, hover, pressed and disabled frames. A click reports event 2.
class CImageButton : public MControl {
    Q_OBJECT
  public:
    explicit CImageButton(QWidget* parent = nullptr);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace PeliskUI
