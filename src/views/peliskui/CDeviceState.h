#pragma once

#include "views/peliskui/MControlFont.h"

namespace PeliskUI {

// The connection indicator ("CDeviceState"): a state mark and the state's text. The skin holds
// one frame per state: 0 no device, 1 cable, 2 receiver, 3 Bluetooth. The full text is also the
// tooltip, since the indicator is narrow.
class CDeviceState : public MControlFont {
    Q_OBJECT
  public:
    explicit CDeviceState(QWidget* parent = nullptr);

    // Frame shown: 0...3 as above (other values show frame 0).
    void SetState(int state);
    int GetState() const { return m_state; }
    void SetTitle(const QString& title) override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int m_state = 0;
};

}  // namespace PeliskUI
