#pragma once

#include "views/peliskui/MCheckable.h"

namespace PeliskUI {

// A check box with its caption at the right ("CCheckButton"). Its skin holds eight frames: the
// four states unchecked, then the four checked. A click toggles it and reports event 2.
class CCheckButton : public MCheckable {
    Q_OBJECT
  public:
    explicit CCheckButton(QWidget* parent = nullptr);

  protected:
    void paintEvent(QPaintEvent* event) override;
    // Draws the box into `box`; the radio button draws a round one.
    virtual void DrawBox(QPainter& painter, const QRect& box) const;
};

}  // namespace PeliskUI
