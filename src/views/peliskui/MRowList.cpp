#include "views/peliskui/MRowList.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>

#include "views/peliskui/MEvent.h"
#include "views/peliskui/PlainDraw.h"
#include "views/peliskui/Theme.h"

namespace PeliskUI {

namespace {
constexpr int kMoreSize = 20;
constexpr int kBarWidth = 4;
}  // namespace

MRowList::MRowList(QWidget* parent) : MControlFont(parent) {
    setMouseTracking(true);
    SetVAlignment(kAlignVCenter);
}

bool MRowList::SetCurSel(int row) {
    if (row < -1 || row >= GetCount()) {
        return false;
    }
    m_current = row;
    EnsureVisible(row);
    update();
    return true;
}

bool MRowList::SetMoreImage(const QString& name, int states) {
    const bool loaded = m_more.Load(name, states);
    update();
    return loaded;
}

void MRowList::SetRowHeight(int height) {
    m_rowHeight = std::max(12, height);
    ScrollTo(m_scroll);
}

int MRowList::ContentHeight() const {
    return GetCount() * m_rowHeight;
}

int MRowList::MaxScroll() const {
    return std::max(0, ContentHeight() - height());
}

void MRowList::ScrollTo(int offset) {
    const int clamped = std::clamp(offset, 0, MaxScroll());
    if (clamped != m_scroll) {
        m_scroll = clamped;
    }
    update();
}

void MRowList::EnsureVisible(int row) {
    if (row < 0) {
        return;
    }
    const int top = row * m_rowHeight;
    if (top < m_scroll) {
        ScrollTo(top);
    } else if (top + m_rowHeight > m_scroll + height()) {
        ScrollTo(top + m_rowHeight - height());
    }
}

void MRowList::RowsChanged() {
    if (m_current >= GetCount()) {
        m_current = GetCount() - 1;
    }
    if (m_hovered >= GetCount()) {
        m_hovered = -1;
    }
    ScrollTo(m_scroll);
}

QRect MRowList::RowRect(int row) const {
    return QRect(0, row * m_rowHeight - m_scroll, width() - kBarWidth - 4, m_rowHeight);
}

QRect MRowList::MoreRect(int row) const {
    const QRect area = RowRect(row);
    const QSize size = m_more.IsNull() ? QSize(kMoreSize, kMoreSize) : m_more.FrameSize();
    return QRect(area.right() - size.width() - 6, area.center().y() - size.height() / 2 + 1,
                 size.width(), size.height());
}

int MRowList::RowAt(const QPoint& point) const {
    if (point.x() < 0 || point.x() >= width() - kBarWidth - 4 || point.y() < 0 ||
        point.y() >= height()) {
        return -1;
    }
    const int row = (point.y() + m_scroll) / m_rowHeight;
    return row < GetCount() ? row : -1;
}

QRectF MRowList::ScrollTrack() const {
    return QRectF(width() - kBarWidth - 1, 2, kBarWidth, height() - 4);
}

void MRowList::ClickRow(int row) {
    if (!isEnabled() || row < 0 || row >= GetCount()) {
        return;
    }
    m_current = row;
    EnsureVisible(row);
    update();
    Notify(kEventClick, row);
}

void MRowList::RequestRowMenu(int row) {
    if (!isEnabled() || row < 0 || row >= GetCount()) {
        return;
    }
    ClickRow(row);
    // The click's handler may have changed the rows; ask only for a row that still exists.
    if (row < GetCount()) {
        Notify(kEventRowMenu, row);
    }
}

void MRowList::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (MaxScroll() > 0 && ScrollTrack().adjusted(-4, 0, 2, 0).contains(at) &&
        event->button() == Qt::LeftButton) {
        m_draggingBar = true;
        m_dragStartY = at.y();
        m_dragStartScroll = m_scroll;
        event->accept();
        return;
    }
    const int row = RowAt(at);
    if (row < 0) {
        MControlFont::mousePressEvent(event);
        return;
    }
    event->accept();
    if (event->button() == Qt::RightButton ||
        (event->button() == Qt::LeftButton && MoreRect(row).contains(at))) {
        RequestRowMenu(row);
    } else if (event->button() == Qt::LeftButton) {
        ClickRow(row);
    }
}

void MRowList::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (m_draggingBar) {
        const qreal track = ScrollTrack().height();
        const qreal ratio = track > 0 ? qreal(ContentHeight()) / track : 0;
        ScrollTo(m_dragStartScroll + int((at.y() - m_dragStartY) * ratio));
        return;
    }
    const int row = RowAt(at);
    if (row != m_hovered) {
        m_hovered = row;
        update();
    } else if (row >= 0) {
        update(MoreRect(row).adjusted(-2, -2, 2, 2));
    }
    MControlFont::mouseMoveEvent(event);
}

void MRowList::mouseReleaseEvent(QMouseEvent* event) {
    if (m_draggingBar) {
        m_draggingBar = false;
        event->accept();
        return;
    }
    MControlFont::mouseReleaseEvent(event);
}

void MRowList::wheelEvent(QWheelEvent* event) {
    if (MaxScroll() == 0) {
        event->ignore();
        return;
    }
    ScrollTo(m_scroll - event->angleDelta().y() * m_rowHeight / 120);
    event->accept();
}

void MRowList::leaveEvent(QEvent* event) {
    m_hovered = -1;
    update();
    MControlFont::leaveEvent(event);
}

void MRowList::resizeEvent(QResizeEvent* event) {
    MControlFont::resizeEvent(event);
    ScrollTo(m_scroll);
}

void MRowList::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const int count = GetCount();
    const int first = m_scroll / m_rowHeight;
    const int last = std::min(count - 1, (m_scroll + height()) / m_rowHeight);
    const QPoint cursorAt = mapFromGlobal(QCursor::pos());
    for (int row = first; row <= last; ++row) {
        const QRect area = RowRect(row);
        const bool selected = row == m_current;
        const bool hovered = row == m_hovered && isEnabled();
        if (selected) {
            QColor band = Theme::Argb(Theme::kAccent);
            band.setAlpha(isEnabled() ? 44 : 20);
            PlainDraw::Panel(painter, QRectF(area).adjusted(2, 1, -2, -1), band, 6);
            QColor mark = Theme::Argb(Theme::kAccent);
            mark.setAlpha(isEnabled() ? 255 : 90);
            painter.setPen(Qt::NoPen);
            painter.setBrush(mark);
            painter.drawRoundedRect(QRectF(area.left() + 2, area.top() + 7, 3, area.height() - 14),
                                    1.5, 1.5);
        } else if (hovered) {
            PlainDraw::Panel(painter, QRectF(area).adjusted(2, 1, -2, -1),
                             QColor(255, 255, 255, 12), 6);
        }
        DrawRow(painter, row, area, selected);
        if ((selected || hovered) && isEnabled()) {
            const QRect more = MoreRect(row);
            const bool overMore = hovered && more.contains(cursorAt);
            if (!m_more.IsNull()) {
                m_more.Draw(painter, more, overMore ? 1 : 0, SkinImage::Fit::Center);
            } else {
                painter.setPen(Qt::NoPen);
                painter.setBrush(Theme::Argb(overMore ? Theme::kAccent : Theme::kText));
                for (int i = -1; i <= 1; ++i) {
                    painter.drawEllipse(QPointF(more.center().x() + i * 5.0, more.center().y()),
                                        1.6, 1.6);
                }
            }
        }
    }
    const int viewHeight = std::max(1, height());
    if (ContentHeight() > viewHeight) {
        PlainDraw::ScrollBar(painter, ScrollTrack(), qreal(m_scroll) / std::max(1, MaxScroll()),
                             qreal(viewHeight) / ContentHeight(), m_draggingBar);
    }
}

}  // namespace PeliskUI
