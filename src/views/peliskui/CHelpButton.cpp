#include "views/peliskui/CHelpButton.h"

#include <QPainter>

#include "views/peliskui/Theme.h"

namespace PeliskUI {

CHelpButton::CHelpButton(QWidget* parent) : MControlFont(parent) {
    setCursor(Qt::WhatsThisCursor);
}

void CHelpButton::SetTitle(const QString& title) {
    MControlFont::SetTitle(title);
    setToolTip(title);
}

void CHelpButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const int state = State();
    if (!m_image.IsNull()) {
        m_image.Draw(painter, rect(), state, SkinImage::Fit::Center);
        return;
    }
    const qreal side = std::min(width(), height()) - 1.0;
    QRectF ring(0, 0, side, side);
    ring.moveCenter(QRectF(rect()).center());
    const QColor color = Theme::Argb(state == 1 ? Theme::kAccent : Theme::kTextDim);
    painter.setPen(QPen(color, 1.2));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(ring);
    QFont font = TitleFont();
    font.setPixelSize(std::max(8, int(side * 0.7)));
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(ring, Qt::AlignCenter, QStringLiteral("?"));
}

}  // namespace PeliskUI
