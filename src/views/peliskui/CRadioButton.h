#pragma once

#include "views/peliskui/CCheckButton.h"

namespace PeliskUI {

// An option button ("CRadioButton"): a member of a named group, of which one is checked. Its
// skin holds eight frames like the check box. A click checks it and reports event 2.
class CRadioButton : public CCheckButton {
    Q_OBJECT
  public:
    explicit CRadioButton(QWidget* parent = nullptr);

  protected:
    void OnClicked() override;
    void DrawBox(QPainter& painter, const QRect& box) const override;
};

}  // namespace PeliskUI
