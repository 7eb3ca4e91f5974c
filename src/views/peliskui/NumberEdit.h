#pragma once

#include "views/peliskui/MEdit.h"

namespace PeliskUI {

// An edit for whole numbers ("NumberEdit"): accepts digits and a leading minus sign, and has two
// small step arrows at its right. A step changes the number by one within the range (when one is
// set) and reports event 2; typing reports events 30, 26 and 29 like MEdit.
class NumberEdit : public MEdit {
    Q_OBJECT
  public:
    explicit NumberEdit(QWidget* parent = nullptr);

    // The number shown; 0 when the text is not a number.
    int GetValue() const;
    void SetValue(int value);
    // Limits of the step arrows (typing is limited by the views, which check the number).
    void SetRange(int minimum, int maximum);
    // One step up (+1) or down (-1), as the arrows do; reports event 2.
    void Step(int direction);

  protected:
    QRect TextArea() const override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    QRect ArrowArea(bool up) const;

    int m_minimum;
    int m_maximum;
};

}  // namespace PeliskUI
