#pragma once

#include <cstdint>

#include "views/peliskui/MControl.h"

namespace PeliskUI {

// A rounded panel ("CRoundArea") in an ARGB colour; the inner group colour unless set.
class CRoundArea : public MControl {
    Q_OBJECT
  public:
    explicit CRoundArea(QWidget* parent = nullptr);

    void SetColor(uint32_t argb);
    uint32_t GetColor() const { return m_color; }
    void SetRadius(int radius);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    uint32_t m_color;
    int m_radius = 10;
};

}  // namespace PeliskUI
