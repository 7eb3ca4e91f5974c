#include "views/peliskui/MouseCtrl.h"

#include <QPainter>

#include "views/peliskui/MEvent.h"
#include "views/peliskui/PlainDraw.h"
#include "views/peliskui/Theme.h"

namespace PeliskUI {

namespace {
constexpr int kBoxWidth = 100;
constexpr int kBoxHeight = 26;
}  // namespace

MouseCtrl::MouseCtrl(QWidget* parent) : MControlFont(parent) {
    SetFont(12);
    SetAlignment(kAlignCenter);
    SetVAlignment(kAlignVCenter);
}

int MouseCtrl::AddItem(const QString& label, int button, int side, const QPoint& first,
                       const QPoint& second) {
    m_items.push_back({label, button, side == 0 ? 0 : 1, first, second});
    update();
    return int(m_items.size()) - 1;
}

bool MouseCtrl::SetItemText(int index, const QString& text) {
    if (index < 0 || index >= int(m_items.size())) {
        return false;
    }
    m_items[index].text = text;
    update();
    return true;
}

QString MouseCtrl::GetItemText(int index) const {
    return index >= 0 && index < int(m_items.size()) ? m_items[index].text : QString();
}

int MouseCtrl::GetItemButton(int index) const {
    return index >= 0 && index < int(m_items.size()) ? m_items[index].button : 0;
}

void MouseCtrl::SetSelectItem(int index) {
    m_selected = index >= 0 && index < int(m_items.size()) ? index : -1;
    update();
}

QRect MouseCtrl::ItemBox(int index) const {
    if (index < 0 || index >= int(m_items.size())) {
        return {};
    }
    const Item& item = m_items[index];
    if (item.side == 0) {
        return QRect(item.first.x() - kBoxWidth, item.first.y() - kBoxHeight / 2, kBoxWidth,
                     kBoxHeight);
    }
    return QRect(item.second.x(), item.second.y() - kBoxHeight / 2, kBoxWidth, kBoxHeight);
}

void MouseCtrl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < int(m_items.size()); ++i) {
        const Item& item = m_items[i];
        const bool selected = i == m_selected;
        const QRect box = ItemBox(i);
        const QPoint onMouse = item.side == 0 ? item.second : item.first;
        const QPoint atBox = item.side == 0 ? QPoint(box.right() + 1, item.first.y())
                                            : QPoint(box.left(), item.second.y());
        const QColor accent = Theme::Argb(Theme::kAccent);
        QColor line = selected ? accent : Theme::Argb(0xFF4A6580);
        painter.setPen(QPen(line, selected ? 1.6 : 1.0));
        painter.drawLine(atBox, onMouse);
        // The point on the mouse: a ring with the item's number beside it.
        painter.setBrush(selected ? accent : Theme::Argb(0xFF0F161E));
        painter.setPen(QPen(selected ? accent.lighter(130) : Theme::Argb(0xFF6F8AA5), 1.4));
        painter.drawEllipse(QPointF(onMouse), 4.0, 4.0);
        if (!m_image.IsNull()) {
            m_image.Draw(painter, box, selected ? 1 : 0);
        } else {
            QColor fill = selected ? accent : Theme::Argb(0xE61A2733);
            if (selected) {
                fill.setAlpha(60);
            }
            PlainDraw::Panel(painter, box, fill, kBoxHeight / 2,
                             selected ? accent : Theme::Argb(Theme::kBorderHigh));
        }
        const QColor text =
            selected ? Theme::Argb(Theme::kTextBright) : Theme::Argb(GetTextColor());
        DrawText(painter, box.adjusted(8, 0, -8, 0), item.text, text);
    }
}

}  // namespace PeliskUI
