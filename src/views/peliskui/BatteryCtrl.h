#pragma once

#include <QRect>

#include "views/peliskui/MControlFont.h"

namespace PeliskUI {

// The battery display ("BatteryCtrl"): a battery outline, its filling by the charge level, a
// charging mark, and the level as a percentage. Without a level (no device) it shows the empty
// outline and a dash.
class BatteryCtrl : public MControlFont {
    Q_OBJECT
  public:
    explicit BatteryCtrl(QWidget* parent = nullptr);

    // The pictures of the outline, of the full filling and of the charging mark.
    void SetBatteryIcon(const QString& background, const QString& level, const QString& charge);
    // Charge level 0...100 (other values show "no level") and whether the battery charges.
    void SetBatteryInfo(int level, bool charging);
    int GetLevel() const { return m_level; }
    bool IsCharging() const { return m_charging; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    SkinImage m_background;
    SkinImage m_fill;
    SkinImage m_charge;
    QRect m_fillBounds;  // the drawn part of the filling picture
    int m_level = -1;
    bool m_charging = false;
};

}  // namespace PeliskUI
