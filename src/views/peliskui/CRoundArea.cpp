#include "views/peliskui/CRoundArea.h"

#include <QLinearGradient>
#include <QPainter>
#include <algorithm>

#include "views/peliskui/Theme.h"

namespace PeliskUI {

CRoundArea::CRoundArea(QWidget* parent) : MControl(parent), m_color(Theme::kPanelInner) {}

void CRoundArea::SetColor(uint32_t argb) {
    m_color = argb;
    update();
}

void CRoundArea::SetRadius(int radius) {
    m_radius = std::max(0, radius);
    update();
}

void CRoundArea::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF shape = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const QColor fill = Theme::Argb(m_color);
    // A faint top light and a hairline edge lift the panel off the ground behind it.
    QLinearGradient light(shape.topLeft(), shape.bottomLeft());
    light.setColorAt(0, fill.lighter(118));
    light.setColorAt(std::min(1.0, 48.0 / std::max(1.0, shape.height())), fill);
    light.setColorAt(1, fill);
    QColor edge = fill.lighter(150);
    edge.setAlpha(std::min(255, fill.alpha()) / 3);
    painter.setPen(QPen(edge, 1.0));
    painter.setBrush(light);
    painter.drawRoundedRect(shape, m_radius, m_radius);
}

}  // namespace PeliskUI
