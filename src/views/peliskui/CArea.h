#pragma once

#include <cstdint>

#include "views/peliskui/MControl.h"

namespace PeliskUI {

// A plain area ("CArea"): a band or background washed with a colour. SetTransparent takes a
// Windows COLORREF (0x00BBGGRR) and lays it over what is behind at the given opacity (0...255).
class CArea : public MControl {
    Q_OBJECT
  public:
    explicit CArea(QWidget* parent = nullptr);

    void SetTransparent(uint32_t colorRef, int alpha = 72);
    // Rounds the area's corners (0: square).
    void SetRadius(int radius);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    uint32_t m_color = 0;
    int m_alpha = 0;
    int m_radius = 4;
};

}  // namespace PeliskUI
