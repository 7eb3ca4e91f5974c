#pragma once

#include "views/peliskui/MControlFont.h"

namespace PeliskUI {

// A push button with a caption ("MButton"): its skin image holds the normal, hover, pressed and
// disabled frames. A click reports event 2.
class MButton : public MControlFont {
    Q_OBJECT
  public:
    explicit MButton(QWidget* parent = nullptr);

    // Draws the plain look as the filled accent button (primary actions).
    void SetAccent(bool accent);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    bool m_accent = false;
};

}  // namespace PeliskUI
