#include "views/peliskui/CArea.h"

#include <QPainter>
#include <algorithm>

#include "views/peliskui/PlainDraw.h"
#include "views/peliskui/Theme.h"

namespace PeliskUI {

CArea::CArea(QWidget* parent) : MControl(parent) {}

void CArea::SetTransparent(uint32_t colorRef, int alpha) {
    m_color = colorRef;
    m_alpha = std::clamp(alpha, 0, 255);
    update();
}

void CArea::SetRadius(int radius) {
    m_radius = std::max(0, radius);
    update();
}

void CArea::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!m_image.IsNull()) {
        m_image.Draw(painter, rect(), State());
        return;
    }
    if (m_alpha == 0) {
        return;
    }
    QColor fill = Theme::ColorRef(m_color);
    fill.setAlpha(m_alpha);
    PlainDraw::Panel(painter, rect(), fill, m_radius);
}

}  // namespace PeliskUI
