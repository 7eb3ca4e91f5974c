#include "views/peliskui/ColorButtonEx.h"

#include <QPainter>

#include "views/peliskui/MEvent.h"
#include "views/peliskui/PlainDraw.h"
#include "views/peliskui/Theme.h"

namespace PeliskUI {

ColorButtonEx::ColorButtonEx(QWidget* parent) : MCheckable(parent), m_color(Theme::kAccent) {
    SetClickable(true);
    SetAlignment(kAlignCenter);
    SetVAlignment(kAlignVCenter);
}

void ColorButtonEx::SetColor(uint32_t argb) {
    m_color = argb;
    update();
}

void ColorButtonEx::OnClicked() {
    SetCheck(true);
    Notify(kEventClick, 1);
}

void ColorButtonEx::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const int state = State();
    const bool checked = GetCheck();
    QColor mark = Theme::Argb(m_color);
    mark.setAlpha(255);
    if (!m_image.IsNull()) {
        m_image.Draw(painter, rect(), CheckState());
    } else {
        const QRectF shape = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
        const qreal radius = shape.height() / 2;
        QColor fill = Theme::Argb(state == 1 ? Theme::kFieldHigh : Theme::kField);
        QColor edge = Theme::Argb(state == 1 ? Theme::kBorderHigh : Theme::kBorder);
        if (checked) {
            fill = mark;
            fill.setAlpha(46);
            edge = mark;
        }
        if (state == 3) {
            fill.setAlpha(fill.alpha() / 2);
            edge = Theme::Argb(0xFF222F3B);
        }
        painter.setPen(QPen(edge, checked ? 1.5 : 1.0));
        painter.setBrush(fill);
        painter.drawRoundedRect(shape, radius, radius);
    }
    // The colour mark at the left.
    const qreal dot = 7.0;
    QColor dotColor = checked ? mark : mark.darker(160);
    if (state == 3) {
        dotColor.setAlpha(90);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(dotColor);
    const QPointF centre(12.0 + dot / 2, height() / 2.0);
    painter.drawEllipse(centre, dot / 2, dot / 2);
    QColor text = checked ? Theme::Argb(Theme::kTextBright) : TitleColor();
    DrawTitle(painter, rect().adjusted(14, 0, 0, 0), text);
}

}  // namespace PeliskUI
