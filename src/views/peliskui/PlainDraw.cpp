#include "views/peliskui/PlainDraw.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

#include "views/peliskui/Theme.h"

namespace PeliskUI::PlainDraw {

using Theme::Argb;

void Panel(QPainter& painter, const QRectF& rect, const QColor& fill, qreal radius,
           const QColor& outline) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(outline.isValid() ? QPen(outline, 1.0) : Qt::NoPen);
    painter.setBrush(fill);
    const QRectF shape = outline.isValid() ? rect.adjusted(0.5, 0.5, -0.5, -0.5) : rect;
    painter.drawRoundedRect(shape, radius, radius);
    painter.restore();
}

void Button(QPainter& painter, const QRectF& rect, int state, bool accent) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF shape = rect.adjusted(0.5, 0.5, -0.5, -0.5);
    const qreal radius = std::min<qreal>(6.0, rect.height() / 2.0);
    QLinearGradient fill(shape.topLeft(), shape.bottomLeft());
    QColor edge;
    if (state == 3) {
        fill.setColorAt(0, Argb(0xFF18222C));
        fill.setColorAt(1, Argb(0xFF141D26));
        edge = Argb(0xFF233240);
    } else if (accent) {
        const QColor top = Argb(state == 2 ? Theme::kAccentDeep : Theme::kAccent);
        fill.setColorAt(0, state == 1 ? top.lighter(112) : top);
        fill.setColorAt(1, Argb(Theme::kAccentDeep));
        edge = Argb(Theme::kAccent).lighter(120);
    } else {
        const uint32_t top = state == 2 ? 0xFF16222D : state == 1 ? 0xFF2A3D4F : 0xFF223242;
        const uint32_t bottom = state == 2 ? 0xFF1A2835 : state == 1 ? 0xFF1F2F3E : 0xFF1A2835;
        fill.setColorAt(0, Argb(top));
        fill.setColorAt(1, Argb(bottom));
        edge = Argb(state == 1 ? Theme::kAccent : Theme::kBorderHigh);
        if (state == 1) {
            edge.setAlpha(200);
        }
    }
    painter.setPen(QPen(edge, 1.0));
    painter.setBrush(fill);
    painter.drawRoundedRect(shape, radius, radius);
    painter.restore();
}

void Field(QPainter& painter, const QRectF& rect, int state, bool focused) {
    const QColor fill = Argb(state == 1 ? Theme::kFieldHigh : Theme::kField);
    QColor edge = Argb(focused ? Theme::kAccent : state == 1 ? Theme::kBorderHigh : Theme::kBorder);
    if (state == 3) {
        edge = Argb(0xFF222F3B);
    }
    Panel(painter, rect, fill, std::min<qreal>(5.0, rect.height() / 2.0), edge);
}

void Chevron(QPainter& painter, const QRectF& rect, const QColor& color, bool up) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(color, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const QPointF c = rect.center();
    const qreal w = std::min<qreal>(4.5, rect.width() / 3.0);
    const qreal h = w * 0.55;
    QPainterPath path;
    path.moveTo(c.x() - w, c.y() + (up ? h : -h));
    path.lineTo(c.x(), c.y() + (up ? -h : h));
    path.lineTo(c.x() + w, c.y() + (up ? h : -h));
    painter.drawPath(path);
    painter.restore();
}

namespace {

QColor BoxEdge(bool checked, int state) {
    if (state == 3) {
        return Argb(0xFF2A3A48);
    }
    if (checked) {
        return Argb(Theme::kAccent);
    }
    return Argb(state == 1 ? Theme::kAccent : Theme::kBorderHigh);
}

}  // namespace

void CheckBox(QPainter& painter, const QRectF& rect, bool checked, int state) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box = rect.adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QPen(BoxEdge(checked, state), 1.2));
    painter.setBrush(checked && state != 3 ? Argb(Theme::kAccent) : Argb(Theme::kField));
    painter.drawRoundedRect(box, 3.5, 3.5);
    if (checked) {
        QPainterPath tick;
        tick.moveTo(box.left() + box.width() * 0.24, box.top() + box.height() * 0.52);
        tick.lineTo(box.left() + box.width() * 0.43, box.top() + box.height() * 0.70);
        tick.lineTo(box.left() + box.width() * 0.77, box.top() + box.height() * 0.30);
        painter.setPen(QPen(state == 3 ? Argb(Theme::kTextDisabled) : Argb(0xFF06121C), 2.0,
                            Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(tick);
    }
    painter.restore();
}

void RadioBox(QPainter& painter, const QRectF& rect, bool checked, int state) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal side = std::min(rect.width(), rect.height()) - 1.0;
    QRectF ring(0, 0, side, side);
    ring.moveCenter(rect.center());
    painter.setPen(QPen(BoxEdge(checked, state), 1.4));
    painter.setBrush(Argb(Theme::kField));
    painter.drawEllipse(ring);
    if (checked) {
        const qreal inner = side * 0.5;
        QRectF dot(0, 0, inner, inner);
        dot.moveCenter(ring.center());
        painter.setPen(Qt::NoPen);
        painter.setBrush(state == 3 ? Argb(Theme::kTextDisabled) : Argb(Theme::kAccent));
        painter.drawEllipse(dot);
    }
    painter.restore();
}

void ScrollBar(QPainter& painter, const QRectF& track, qreal position, qreal fraction, bool hot) {
    if (fraction >= 1.0 || track.height() <= 0) {
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    QColor groove = Argb(Theme::kBorder);
    groove.setAlpha(90);
    painter.setBrush(groove);
    painter.drawRoundedRect(track, track.width() / 2, track.width() / 2);
    const qreal length = std::max<qreal>(24.0, track.height() * std::clamp<qreal>(fraction, 0, 1));
    const qreal top = track.top() + (track.height() - length) * std::clamp<qreal>(position, 0, 1);
    QColor thumb = Argb(hot ? Theme::kAccent : Theme::kBorderHigh);
    painter.setBrush(thumb);
    painter.drawRoundedRect(QRectF(track.left(), top, track.width(), length), track.width() / 2,
                            track.width() / 2);
    painter.restore();
}

}  // namespace PeliskUI::PlainDraw
