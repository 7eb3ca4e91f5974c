#pragma once

#include "views/peliskui/MCheckable.h"

namespace PeliskUI {

// An on/off switch ("CSwitchButton") with one skin for each position (four state frames each).
// A click toggles it and reports event 2.
class CSwitchButton : public MCheckable {
    Q_OBJECT
  public:
    explicit CSwitchButton(QWidget* parent = nullptr);

    using MControl::SetImage;
    bool SetImage(const QString& on, const QString& off, int states = 4);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    SkinImage m_on;
    SkinImage m_off;
};

}  // namespace PeliskUI
