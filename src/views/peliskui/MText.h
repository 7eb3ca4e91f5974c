#pragma once

#include "views/peliskui/MControlFont.h"

namespace PeliskUI {

// A text label ("MText"). Passive: mouse presses go on to the window.
class MText : public MControlFont {
    Q_OBJECT
  public:
    explicit MText(QWidget* parent = nullptr);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace PeliskUI
