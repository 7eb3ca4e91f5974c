#include "views/peliskui/MControl.h"

#include <QEnterEvent>
#include <QMouseEvent>

#include "views/peliskui/MEvent.h"
#include "views/peliskui/MWindow.h"
#include "views/peliskui/Theme.h"

namespace PeliskUI {

MControl::MControl(QWidget* parent) : QWidget(parent), m_textColor(Theme::kText) {
    setAttribute(Qt::WA_Hover);
}

MControl::~MControl() = default;

void MControl::SetRect(const MRect& rect) {
    m_rect = rect;
    Reposition();
}

void MControl::Reposition() {
    QRect place = m_rect.ToQRect();
    if (place.width() < 0 || place.height() < 0) {
        place = QRect(place.topLeft(), QSize(0, 0));
    }
    // The rectangle is given in the window's client coordinates; a control inside a page
    // container is placed relative to that container.
    QWidget* container = parentWidget();
    QWidget* window = m_owner ? m_owner->GetSafeHwnd() : nullptr;
    if (container && window && container != window && window->isAncestorOf(container)) {
        place.translate(-container->mapTo(window, QPoint(0, 0)));
    }
    setGeometry(place);
}

void MControl::SetVisible(bool visible) {
    setVisible(visible);
}

void MControl::SetEnabled(bool enabled) {
    setEnabled(enabled);
    if (!enabled) {
        m_pressed = false;
    }
    update();
}

void MControl::SetTooltip(const QString& text) {
    setToolTip(text);
}

void MControl::UpdateControl() {
    update();
}

bool MControl::SetImage(const QString& name, int states) {
    const bool loaded = m_image.Load(name, states);
    update();
    return loaded;
}

void MControl::SetTextColor(uint32_t argb) {
    m_textColor = argb;
    update();
}

int MControl::State() const {
    if (!isEnabled()) {
        return 3;
    }
    if (m_pressed && m_hover) {
        return 2;
    }
    return m_hover ? 1 : 0;
}

void MControl::Click() {
    if (isEnabled()) {
        OnClicked();
    }
}

void MControl::Notify(int event, int64_t param) {
    if (m_notify && m_owner) {
        m_owner->ControlMessage(m_id, event, param);
    }
}

void MControl::SetClickable(bool clickable) {
    m_clickable = clickable;
    setCursor(clickable ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void MControl::OnClicked() {
    Notify(kEventClick, 0);
}

void MControl::enterEvent(QEnterEvent* event) {
    m_hover = true;
    update();
    QWidget::enterEvent(event);
}

void MControl::leaveEvent(QEvent* event) {
    m_hover = false;
    update();
    QWidget::leaveEvent(event);
}

void MControl::mousePressEvent(QMouseEvent* event) {
    if (!m_clickable || event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_pressed = true;
    m_hover = rect().contains(event->position().toPoint());
    update();
    event->accept();
}

void MControl::mouseReleaseEvent(QMouseEvent* event) {
    if (!m_clickable || event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    const bool inside = rect().contains(event->position().toPoint());
    const bool wasPressed = m_pressed;
    m_pressed = false;
    update();
    event->accept();
    if (wasPressed && inside && isEnabled()) {
        // The handler may hide or disable this control; nothing of it is used afterwards.
        OnClicked();
    }
}

void MControl::mouseMoveEvent(QMouseEvent* event) {
    if (m_clickable && m_pressed) {
        const bool inside = rect().contains(event->position().toPoint());
        if (inside != m_hover) {
            m_hover = inside;
            update();
        }
    }
    QWidget::mouseMoveEvent(event);
}

void MControl::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange && !isEnabled()) {
        m_pressed = false;
        m_hover = false;
    }
    QWidget::changeEvent(event);
}

}  // namespace PeliskUI
