#include "views/peliskui/CImageButton.h"

#include <QPainter>

#include "views/peliskui/PlainDraw.h"
#include "views/peliskui/Theme.h"

namespace PeliskUI {

CImageButton::CImageButton(QWidget* parent) : MControl(parent) {
    SetClickable(true);
}

void CImageButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const int state = State();
    if (!m_image.IsNull()) {
        m_image.Draw(painter, rect(), state, SkinImage::Fit::Center);
        return;
    }
    // Plain look: a small rounded key that lights up under the pointer.
    QColor fill = Theme::Argb(state == 1 || state == 2 ? Theme::kBorderHigh : Theme::kBorder);
    if (state == 3) {
        fill.setAlpha(90);
    }
    PlainDraw::Panel(painter, QRectF(rect()).adjusted(1, 1, -1, -1), fill, 4);
    QColor dot = Theme::Argb(state == 3 ? Theme::kTextDisabled : Theme::kText);
    painter.setPen(Qt::NoPen);
    painter.setBrush(dot);
    const qreal r = std::min(width(), height()) / 8.0;
    painter.drawEllipse(QRectF(rect()).center(), r, r);
}

}  // namespace PeliskUI
