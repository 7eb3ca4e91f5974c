#include "views/peliskui/MTabCtrl.h"

#include <QHelpEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include "views/peliskui/MEvent.h"
#include "views/peliskui/Theme.h"

namespace PeliskUI {

namespace {

// The icon recoloured to one colour, keeping its shape (alpha).
QPixmap Tinted(const QPixmap& icon, const QColor& color) {
    QPixmap result(icon.size());
    result.fill(Qt::transparent);
    QPainter painter(&result);
    painter.drawPixmap(0, 0, icon);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(result.rect(), color);
    return result;
}

}  // namespace

MTabCtrl::MTabCtrl(QWidget* parent) : MControlFont(parent) {
    setMouseTracking(true);
    SetFont(11);
}

int MTabCtrl::InsertItem(int itemId, const QString& text, const QString& icon, MTabLayout* page) {
    Item item;
    item.id = itemId;
    item.text = text;
    item.icon.Load(icon, 1);
    item.page = page;
    m_items.push_back(item);
    update();
    return int(m_items.size()) - 1;
}

int MTabCtrl::GetItemID(int index) const {
    return index >= 0 && index < int(m_items.size()) ? m_items[index].id : -1;
}

bool MTabCtrl::SetSelectItem(int index) {
    if (index < 0 || index >= int(m_items.size())) {
        return false;
    }
    m_selected = index;
    // Hide first, then show, so two pages are never visible together.
    for (int i = 0; i < int(m_items.size()); ++i) {
        if (i != index && m_items[i].page) {
            m_items[i].page->SetVisible(false);
        }
    }
    if (m_items[index].page) {
        m_items[index].page->SetVisible(true);
    }
    update();
    return true;
}

bool MTabCtrl::SetItemText(int index, const QString& text) {
    if (index < 0 || index >= int(m_items.size())) {
        return false;
    }
    m_items[index].text = text;
    update();
    return true;
}

QString MTabCtrl::GetItemText(int index) const {
    return index >= 0 && index < int(m_items.size()) ? m_items[index].text : QString();
}

void MTabCtrl::RefreshItemData() {
    update();
}

void MTabCtrl::SetItemSize(int width, int height) {
    m_itemWidth = std::max(1, width);
    m_itemHeight = std::max(1, height);
    update();
}

void MTabCtrl::SetPadding(int left, int right, int top, int bottom) {
    (void)right, (void)bottom;  // items run from the left; the far paddings only leave room
    m_padLeft = std::max(0, left);
    m_padTop = std::max(0, top);
    update();
}

QRect MTabCtrl::ItemRect(int index) const {
    return QRect(m_padLeft + index * m_itemWidth, m_padTop, m_itemWidth, m_itemHeight);
}

int MTabCtrl::ItemAt(const QPoint& point) const {
    for (int i = 0; i < int(m_items.size()); ++i) {
        if (ItemRect(i).contains(point)) {
            return i;
        }
    }
    return -1;
}

void MTabCtrl::ClickItem(int index) {
    if (!isEnabled() || index < 0 || index >= int(m_items.size())) {
        return;
    }
    SetSelectItem(index);
    Notify(kEventClick, index);
}

void MTabCtrl::mousePressEvent(QMouseEvent* event) {
    const int index = ItemAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || index < 0) {
        MControlFont::mousePressEvent(event);
        return;
    }
    event->accept();
    ClickItem(index);
}

void MTabCtrl::mouseMoveEvent(QMouseEvent* event) {
    const int index = ItemAt(event->position().toPoint());
    if (index != m_hovered) {
        m_hovered = index;
        setCursor(index >= 0 && isEnabled() ? Qt::PointingHandCursor : Qt::ArrowCursor);
        update();
    }
    MControlFont::mouseMoveEvent(event);
}

void MTabCtrl::leaveEvent(QEvent* event) {
    m_hovered = -1;
    update();
    MControlFont::leaveEvent(event);
}

bool MTabCtrl::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const int index = ItemAt(help->pos());
        if (index >= 0 && !m_items[index].text.isEmpty()) {
            QToolTip::showText(help->globalPos(), m_items[index].text, this, ItemRect(index));
        } else {
            QToolTip::hideText();
        }
        return true;
    }
    return MControlFont::event(event);
}

void MTabCtrl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const bool enabled = isEnabled();
    // All captions share one size: the largest (not below 9 pixels) at which every one fits.
    QFont captionFont = TitleFont();
    for (const Item& item : m_items) {
        const QFont fitting = FittingFont(item.text, m_itemWidth - 2, 9);
        if (fitting.pixelSize() < captionFont.pixelSize()) {
            captionFont = fitting;
        }
    }
    for (int i = 0; i < int(m_items.size()); ++i) {
        const Item& item = m_items[i];
        const QRectF cell = QRectF(ItemRect(i)).adjusted(4, 4, -4, -4);
        const bool selected = i == m_selected;
        const bool hovered = enabled && i == m_hovered;
        if (selected) {
            QLinearGradient fill(cell.topLeft(), cell.bottomLeft());
            QColor top = Theme::Argb(Theme::kAccent);
            top.setAlpha(enabled ? 58 : 26);
            QColor bottom = Theme::Argb(Theme::kAccent);
            bottom.setAlpha(enabled ? 16 : 8);
            fill.setColorAt(0, top);
            fill.setColorAt(1, bottom);
            painter.setPen(Qt::NoPen);
            painter.setBrush(fill);
            painter.drawRoundedRect(cell, 10, 10);
            // An accent line under the selected item.
            QColor line = Theme::Argb(Theme::kAccent);
            line.setAlpha(enabled ? 255 : 90);
            painter.setBrush(line);
            painter.drawRoundedRect(QRectF(cell.center().x() - 12, cell.bottom() - 3, 24, 3), 1.5,
                                    1.5);
        } else if (hovered) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(QColor(255, 255, 255, 14));
            painter.drawRoundedRect(cell, 10, 10);
        }
        QColor tint = selected  ? Theme::Argb(Theme::kAccent)
                      : hovered ? Theme::Argb(Theme::kTextBright)
                                : Theme::Argb(Theme::kTextDim);
        if (!enabled) {
            tint = selected ? Theme::Argb(0xFF2C5570) : Theme::Argb(Theme::kTextDisabled);
        }
        const bool withCaption = !item.text.isEmpty();
        const int iconSide = 24;
        const QRect iconRect(
            int(cell.center().x()) - iconSide / 2,
            int(cell.top()) + (withCaption ? 6 : int(cell.height() - iconSide) / 2), iconSide,
            iconSide);
        if (!item.icon.IsNull()) {
            QPixmap icon = item.icon.Frame(0).scaled(iconSide, iconSide, Qt::KeepAspectRatio,
                                                     Qt::SmoothTransformation);
            painter.drawPixmap(iconRect.topLeft() + QPoint((iconSide - icon.width()) / 2,
                                                           (iconSide - icon.height()) / 2),
                               Tinted(icon, tint));
        } else {
            // Plain look: a rounded square mark in the item's colour.
            painter.setPen(QPen(tint, 1.6));
            painter.setBrush(Qt::NoBrush);
            painter.drawRoundedRect(QRectF(iconRect).adjusted(4, 4, -4, -4), 4, 4);
        }
        if (withCaption) {
            QColor caption = selected ? Theme::Argb(Theme::kTextBright) : tint;
            if (!enabled) {
                caption = tint;
            }
            const QRect text(ItemRect(i).left(), iconRect.bottom() + 3, ItemRect(i).width(), 14);
            const QFont& font = captionFont;
            painter.setFont(font);
            painter.setPen(caption);
            painter.drawText(
                text, Qt::AlignHCenter | Qt::AlignTop,
                QFontMetrics(font).elidedText(item.text, Qt::ElideRight, text.width()));
        }
    }
}

}  // namespace PeliskUI
