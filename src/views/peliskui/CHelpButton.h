#pragma once

#include "views/peliskui/MControlFont.h"

namespace PeliskUI {

// A small help mark ("CHelpButton"): its title is the help text, shown as a tooltip while the
// pointer rests on it. Passive.
class CHelpButton : public MControlFont {
    Q_OBJECT
  public:
    explicit CHelpButton(QWidget* parent = nullptr);

    void SetTitle(const QString& title) override;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace PeliskUI
