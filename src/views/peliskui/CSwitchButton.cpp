#include "views/peliskui/CSwitchButton.h"

#include <QPainter>

#include "views/peliskui/Theme.h"

namespace PeliskUI {

CSwitchButton::CSwitchButton(QWidget* parent) : MCheckable(parent) {
    SetClickable(true);
}

bool CSwitchButton::SetImage(const QString& on, const QString& off, int states) {
    const bool loadedOn = m_on.Load(on, states);
    const bool loadedOff = m_off.Load(off, states);
    update();
    return loadedOn && loadedOff;
}

void CSwitchButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const int state = State();
    const SkinImage& skin = GetCheck() ? m_on : m_off;
    if (!skin.IsNull()) {
        const QSize shown = skin.FrameSize().boundedTo(size());
        const QRect place(QPoint(0, (height() - shown.height()) / 2), shown);
        skin.Draw(painter, place, state, SkinImage::Fit::Center);
        return;
    }
    // Plain switch: a pill with a round knob, accent-filled when on.
    const qreal h = std::min(height() - 4, 24);
    const qreal w = std::min<qreal>(width(), h * 1.9);
    const QRectF track(1, (height() - h) / 2.0, w - 2, h);
    QColor fill = GetCheck() ? Theme::Argb(Theme::kAccent) : Theme::Argb(Theme::kField);
    QColor edge = GetCheck() ? Theme::Argb(Theme::kAccent) : Theme::Argb(Theme::kBorderHigh);
    if (state == 3) {
        fill.setAlpha(80);
        edge.setAlpha(80);
    } else if (state == 1) {
        fill = fill.lighter(112);
    }
    painter.setPen(QPen(edge, 1.0));
    painter.setBrush(fill);
    painter.drawRoundedRect(track, h / 2, h / 2);
    const qreal knob = h - 6;
    const qreal x = GetCheck() ? track.right() - 3 - knob : track.left() + 3;
    painter.setPen(Qt::NoPen);
    painter.setBrush(GetCheck() ? QColor(255, 255, 255) : Theme::Argb(Theme::kText));
    painter.drawEllipse(QRectF(x, track.top() + 3, knob, knob));
}

}  // namespace PeliskUI
