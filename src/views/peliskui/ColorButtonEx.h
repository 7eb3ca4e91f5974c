#pragma once

#include <cstdint>

#include "views/peliskui/MCheckable.h"

namespace PeliskUI {

// A caption button with a colour mark ("ColorButtonEx"), used as a group of choices such as the
// report rates: checked, it lights up in its colour. A click checks it and reports event 2.
class ColorButtonEx : public MCheckable {
    Q_OBJECT
  public:
    explicit ColorButtonEx(QWidget* parent = nullptr);

    // The button's colour, ARGB.
    void SetColor(uint32_t argb);
    uint32_t GetColor() const { return m_color; }

  protected:
    void OnClicked() override;
    void paintEvent(QPaintEvent* event) override;

  private:
    uint32_t m_color;
};

}  // namespace PeliskUI
