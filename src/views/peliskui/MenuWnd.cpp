#include "views/peliskui/MenuWnd.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include "views/peliskui/MControlFont.h"
#include "views/peliskui/MWindow.h"
#include "views/peliskui/PlainDraw.h"
#include "views/peliskui/Theme.h"

namespace PeliskUI {

namespace {
constexpr int kItemHeight = 30;
constexpr int kPadding = 5;
MenuWnd* g_current = nullptr;
}  // namespace

MenuWnd::MenuWnd()
    : QWidget(nullptr, Qt::Popup | Qt::FramelessWindowHint | Qt::NoDropShadowWindowHint) {
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_DeleteOnClose);
    setMouseTracking(true);
}

MenuWnd::~MenuWnd() {
    if (g_current == this) {
        g_current = nullptr;
    }
}

MenuWnd* MenuWnd::Current() {
    return g_current;
}

bool MenuWnd::Create(MWindow* owner, const QPoint& screenPos, int width, uint32_t message) {
    if (!owner) {
        return false;
    }
    m_owner = owner;
    m_ownerWidget = owner->GetSafeHwnd();
    m_at = screenPos;
    m_width = std::max(40, width);
    m_message = message;
    return true;
}

void MenuWnd::AddMenu(const QString& text, int id) {
    m_items.push_back({text, id});
}

int MenuWnd::ItemID(int index) const {
    return index >= 0 && index < int(m_items.size()) ? m_items[index].id : 0;
}

QRect MenuWnd::ItemRect(int index) const {
    return QRect(kPadding, kPadding + index * kItemHeight, width() - 2 * kPadding, kItemHeight);
}

int MenuWnd::ItemAt(const QPoint& point) const {
    for (int i = 0; i < int(m_items.size()); ++i) {
        if (ItemRect(i).contains(point)) {
            return i;
        }
    }
    return -1;
}

void MenuWnd::Show() {
    QRect place(m_at, QSize(m_width, int(m_items.size()) * kItemHeight + 2 * kPadding));
    // A menu asked for near a screen edge opens fully on the screen.
    if (QScreen* screen = QGuiApplication::screenAt(m_at)) {
        const QRect area = screen->availableGeometry();
        place.moveRight(std::min(place.right(), area.right()));
        place.moveBottom(std::min(place.bottom(), area.bottom()));
        place.moveLeft(std::max(place.left(), area.left()));
        place.moveTop(std::max(place.top(), area.top()));
    }
    setGeometry(place);
    g_current = this;
    show();
}

void MenuWnd::Choose(int id) {
    // The window may be gone by now; the message is then dropped.
    if (m_owner && m_ownerWidget) {
        m_owner->PostWindowMessage(m_message, 0, id);
    }
    close();
}

void MenuWnd::mouseMoveEvent(QMouseEvent* event) {
    const int index = ItemAt(event->position().toPoint());
    if (index != m_hovered) {
        m_hovered = index;
        update();
    }
}

void MenuWnd::leaveEvent(QEvent* event) {
    m_hovered = -1;
    update();
    QWidget::leaveEvent(event);
}

void MenuWnd::mouseReleaseEvent(QMouseEvent* event) {
    const int index = ItemAt(event->position().toPoint());
    if (index >= 0) {
        Choose(m_items[index].id);
    }
}

void MenuWnd::keyPressEvent(QKeyEvent* event) {
    const int count = int(m_items.size());
    if (count == 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
        case Qt::Key_Down:
            m_hovered = (m_hovered + 1) % count;
            update();
            break;
        case Qt::Key_Up:
            m_hovered = (m_hovered <= 0 ? count : m_hovered) - 1;
            update();
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (m_hovered >= 0) {
                Choose(m_items[m_hovered].id);
            }
            break;
        default:
            QWidget::keyPressEvent(event);
            break;
    }
}

void MenuWnd::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    PlainDraw::Panel(painter, rect(), Theme::Argb(0xF7141D26), 8, Theme::Argb(Theme::kBorderHigh));
    const QFont font = MControlFont::ResolveFont(QString(), 13);
    painter.setFont(font);
    const QFontMetrics metrics(font);
    for (int i = 0; i < int(m_items.size()); ++i) {
        const QRect area = ItemRect(i);
        if (i == m_hovered) {
            QColor band = Theme::Argb(Theme::kAccent);
            band.setAlpha(60);
            PlainDraw::Panel(painter, area, band, 5);
        }
        painter.setPen(Theme::Argb(i == m_hovered ? Theme::kTextBright : Theme::kText));
        const QRect text = area.adjusted(10, 0, -8, 0);
        painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter,
                         metrics.elidedText(m_items[i].text, Qt::ElideRight, text.width()));
    }
}

}  // namespace PeliskUI
