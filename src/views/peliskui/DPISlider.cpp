#include "views/peliskui/DPISlider.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "views/peliskui/MControlFont.h"
#include "views/peliskui/MEvent.h"
#include "views/peliskui/PlainDraw.h"
#include "views/peliskui/Theme.h"

namespace PeliskUI {

namespace {
constexpr qreal kInset = 34.0;   // room at both ends of the track for the knob and labels
constexpr qreal kTrackY = 30.0;  // centre line of the track
constexpr qreal kTrackHeight = 6.0;
constexpr qreal kKnob = 18.0;
}  // namespace

DPISlider::DPISlider(QWidget* parent) : MControl(parent) {
    SetClickable(true);
    setMouseTracking(true);
}

void DPISlider::SetRange(int minimum, int maximum) {
    m_minimum = std::min(minimum, maximum);
    m_maximum = std::max(minimum, maximum);
    m_position = std::clamp(m_position, m_minimum, m_maximum);
    update();
}

void DPISlider::SetPos(int position) {
    const int clamped = std::clamp(position, m_minimum, m_maximum);
    if (clamped != m_position) {
        m_position = clamped;
        update();
    }
}

bool DPISlider::SetBarImage(const QString& name) {
    const bool loaded = m_bar.Load(name, 1);
    update();
    return loaded;
}

bool DPISlider::SetBkImage(const QString& name) {
    const bool loaded = m_background.Load(name, 1);
    update();
    return loaded;
}

QRectF DPISlider::Track() const {
    return QRectF(kInset, kTrackY - kTrackHeight / 2, std::max(1.0, width() - 2 * kInset),
                  kTrackHeight);
}

qreal DPISlider::XOf(int position) const {
    const QRectF track = Track();
    if (m_maximum == m_minimum) {
        return track.left();
    }
    return track.left() + track.width() * (position - m_minimum) / qreal(m_maximum - m_minimum);
}

int DPISlider::PositionAt(qreal x) const {
    const QRectF track = Track();
    const qreal fraction = std::clamp((x - track.left()) / track.width(), 0.0, 1.0);
    return m_minimum + int(std::lround(fraction * (m_maximum - m_minimum)));
}

void DPISlider::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !isEnabled()) {
        MControl::mousePressEvent(event);
        return;
    }
    m_dragging = true;
    SetPos(PositionAt(event->position().x()));
    Notify(kEventEditing, m_position);
    event->accept();
}

void DPISlider::mouseMoveEvent(QMouseEvent* event) {
    if (m_dragging) {
        const int position = PositionAt(event->position().x());
        if (position != m_position) {
            SetPos(position);
            Notify(kEventEditing, m_position);
        }
        event->accept();
        return;
    }
    update();
    MControl::mouseMoveEvent(event);
}

void DPISlider::mouseReleaseEvent(QMouseEvent* event) {
    if (!m_dragging || event->button() != Qt::LeftButton) {
        MControl::mouseReleaseEvent(event);
        return;
    }
    m_dragging = false;
    update();
    event->accept();
    Notify(kEventClick, m_position);
}

void DPISlider::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const bool enabled = isEnabled();
    if (!m_background.IsNull()) {
        m_background.Draw(painter, rect(), 0);
    } else {
        PlainDraw::Panel(painter, rect(), Theme::Argb(0x66141D26), 8, Theme::Argb(0x553F5870));
    }

    // Scale: a tick every 1000 DPI, labelled every 2000.
    const QRectF track = Track();
    QFont font = MControlFont::ResolveFont(QString(), 11);
    painter.setFont(font);
    for (int dpi = 1000; dpi <= m_maximum * 100; dpi += 1000) {
        if (dpi < m_minimum * 100) {
            continue;
        }
        const qreal x = XOf(dpi / 100);
        const bool labelled = dpi % 2000 == 0;
        QColor tick = Theme::Argb(Theme::kBorderHigh);
        painter.setPen(QPen(tick, 1.0));
        painter.drawLine(QPointF(x, track.bottom() + 7),
                         QPointF(x, track.bottom() + (labelled ? 13 : 10)));
        if (labelled) {
            painter.setPen(Theme::Argb(Theme::kTextDim));
            painter.drawText(QRectF(x - 30, track.bottom() + 15, 60, 16), Qt::AlignCenter,
                             QString::number(dpi));
        }
    }

    // Groove and filled part.
    painter.setPen(Qt::NoPen);
    painter.setBrush(Theme::Argb(0xFF0D141B));
    painter.drawRoundedRect(track, kTrackHeight / 2, kTrackHeight / 2);
    const qreal knobX = XOf(m_position);
    const QRectF filled(track.left(), track.top(), std::max(0.0, knobX - track.left()),
                        track.height());
    if (filled.width() > 0) {
        if (!m_bar.IsNull()) {
            painter.save();
            QPainterPath clip;
            clip.addRoundedRect(filled, kTrackHeight / 2, kTrackHeight / 2);
            painter.setClipPath(clip);
            m_bar.Draw(painter, track.toRect(), 0, SkinImage::Fit::Stretch);
            painter.restore();
        } else {
            QLinearGradient fill(track.topLeft(), track.topRight());
            fill.setColorAt(0, Theme::Argb(Theme::kAccentDeep));
            fill.setColorAt(1, Theme::Argb(Theme::kAccent));
            painter.setBrush(fill);
            painter.drawRoundedRect(filled, kTrackHeight / 2, kTrackHeight / 2);
        }
        if (!enabled) {
            painter.setBrush(QColor(11, 17, 23, 150));
            painter.drawRoundedRect(filled, kTrackHeight / 2, kTrackHeight / 2);
        }
    }

    // Knob with a soft halo.
    const QPointF centre(knobX, kTrackY);
    if (enabled && (m_dragging || IsHovered())) {
        painter.setBrush(Theme::Argb(Theme::kAccentGlow));
        painter.drawEllipse(centre, kKnob * 0.9, kKnob * 0.9);
    }
    painter.setBrush(enabled ? QColor(255, 255, 255) : Theme::Argb(Theme::kTextDisabled));
    painter.drawEllipse(centre, kKnob / 2, kKnob / 2);
    painter.setBrush(enabled ? Theme::Argb(Theme::kAccent) : Theme::Argb(Theme::kBorder));
    painter.drawEllipse(centre, kKnob / 5, kKnob / 5);
}

}  // namespace PeliskUI
