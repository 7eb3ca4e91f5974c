#pragma once

#include "views/peliskui/MControl.h"

namespace PeliskUI {

// The DPI slider ("DPISlider"): a track over a background panel with a knob, positions in
// steps of 100 DPI (position 16 is 1600 DPI). Dragging reports event 26 with the position at
// every move; releasing the knob, or a click on the track, reports event 2.
class DPISlider : public MControl {
    Q_OBJECT
  public:
    explicit DPISlider(QWidget* parent = nullptr);

    // Positions the knob can take; 2...120 unless set.
    void SetRange(int minimum, int maximum);
    int GetMinimum() const { return m_minimum; }
    int GetMaximum() const { return m_maximum; }
    // Moves the knob, limited to the range. Reports no event.
    void SetPos(int position);
    int GetPos() const { return m_position; }

    // The picture of the filled part of the track and of the panel behind the slider.
    bool SetBarImage(const QString& name);
    bool SetBkImage(const QString& name);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    QRectF Track() const;
    int PositionAt(qreal x) const;
    qreal XOf(int position) const;

    SkinImage m_bar;
    SkinImage m_background;
    int m_minimum = 2;
    int m_maximum = 120;
    int m_position = 2;
    bool m_dragging = false;
};

}  // namespace PeliskUI
