#include "views/peliskui/BatteryCtrl.h"

#include <QImage>
#include <QPainter>

#include "views/peliskui/MEvent.h"
#include "views/peliskui/Theme.h"

namespace PeliskUI {

namespace {

// The bounding box of the pixels that are not fully transparent.
QRect OpaqueBounds(const QPixmap& pixmap) {
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    int left = image.width(), right = -1, top = image.height(), bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(line[x]) > 0) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

constexpr QSize kPlainBattery(26, 13);

}  // namespace

BatteryCtrl::BatteryCtrl(QWidget* parent) : MControlFont(parent) {
    SetFont(12);
    SetVAlignment(kAlignVCenter);
}

void BatteryCtrl::SetBatteryIcon(const QString& background, const QString& level,
                                 const QString& charge) {
    m_background.Load(background, 1);
    m_fill.Load(level, 1);
    m_charge.Load(charge, 1);
    m_fillBounds = m_fill.IsNull() ? QRect() : OpaqueBounds(m_fill.Frame(0));
    update();
}

void BatteryCtrl::SetBatteryInfo(int level, bool charging) {
    m_level = level >= 0 && level <= 100 ? level : -1;
    m_charging = charging;
    update();
}

void BatteryCtrl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QSize size = m_background.IsNull() ? kPlainBattery : m_background.FrameSize();
    const QRect icon(QPoint(0, (height() - size.height()) / 2), size);

    if (!m_background.IsNull()) {
        m_background.Draw(painter, icon, 0);
    } else {
        painter.setPen(QPen(Theme::Argb(Theme::kTextDim), 1.2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(QRectF(icon).adjusted(0.5, 0.5, -3.5, -0.5), 2.5, 2.5);
        painter.setBrush(Theme::Argb(Theme::kTextDim));
        painter.setPen(Qt::NoPen);
        painter.drawRoundedRect(QRectF(icon.right() - 2, icon.center().y() - 2.5, 2.5, 5), 1, 1);
    }
    if (m_level > 0) {
        // The filling is cut at the level, across the drawn part of its picture.
        if (!m_fill.IsNull() && m_fillBounds.isValid()) {
            painter.save();
            const int shown = m_fillBounds.width() * m_level / 100;
            painter.setClipRect(
                QRect(icon.left() + m_fillBounds.left(), icon.top(), shown, icon.height()));
            m_fill.Draw(painter, icon, 0);
            painter.restore();
        } else {
            const QRectF inner = QRectF(icon).adjusted(2.5, 2.5, -5.5, -2.5);
            QColor fill = m_level <= 15 ? Theme::Argb(Theme::kDanger) : Theme::Argb(Theme::kGood);
            painter.setPen(Qt::NoPen);
            painter.setBrush(fill);
            painter.drawRoundedRect(
                QRectF(inner.left(), inner.top(), inner.width() * m_level / 100.0, inner.height()),
                1, 1);
        }
    }
    if (m_charging) {
        const QSize markSize = m_charge.IsNull() ? QSize(8, 12) : m_charge.FrameSize();
        const QRect mark(QPoint(icon.center().x() - markSize.width() / 2 - 1,
                                icon.center().y() - markSize.height() / 2),
                         markSize);
        if (!m_charge.IsNull()) {
            m_charge.Draw(painter, mark, 0);
        } else {
            QPolygonF bolt;
            bolt << QPointF(mark.left() + 5, mark.top()) << QPointF(mark.left(), mark.top() + 7)
                 << QPointF(mark.left() + 4, mark.top() + 7)
                 << QPointF(mark.left() + 3, mark.bottom()) << QPointF(mark.right(), mark.top() + 5)
                 << QPointF(mark.left() + 4, mark.top() + 5);
            painter.setPen(Qt::NoPen);
            painter.setBrush(QColor(255, 214, 10));
            painter.drawPolygon(bolt);
        }
    }
    const QString text = m_level >= 0 ? QStringLiteral("%1%").arg(m_level) : QStringLiteral("--");
    DrawText(painter, rect().adjusted(icon.width() + 6, 0, 0, 0), text, TitleColor());
}

}  // namespace PeliskUI
