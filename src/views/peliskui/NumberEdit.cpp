#include "views/peliskui/NumberEdit.h"

#include <QIntValidator>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <climits>

#include "views/peliskui/MEvent.h"
#include "views/peliskui/PlainDraw.h"
#include "views/peliskui/Theme.h"

namespace PeliskUI {

namespace {
constexpr int kArrowWidth = 18;
}

NumberEdit::NumberEdit(QWidget* parent) : MEdit(parent), m_minimum(INT_MIN), m_maximum(INT_MAX) {
    LineEdit()->setValidator(new QIntValidator(LineEdit()));
    LineEdit()->setMaxLength(11);
    setCursor(Qt::ArrowCursor);
    setMouseTracking(true);
}

int NumberEdit::GetValue() const {
    bool ok = false;
    const int value = GetEditText().trimmed().toInt(&ok);
    return ok ? value : 0;
}

void NumberEdit::SetValue(int value) {
    SetTitle(QString::number(value));
}

void NumberEdit::SetRange(int minimum, int maximum) {
    m_minimum = std::min(minimum, maximum);
    m_maximum = std::max(minimum, maximum);
}

void NumberEdit::Step(int direction) {
    if (!isEnabled()) {
        return;
    }
    const long long next = static_cast<long long>(GetValue()) + (direction >= 0 ? 1 : -1);
    SetValue(int(std::clamp<long long>(next, m_minimum, m_maximum)));
    Notify(kEventClick, 0);
}

QRect NumberEdit::TextArea() const {
    return rect().adjusted(8, 1, -kArrowWidth - 4, -1);
}

QRect NumberEdit::ArrowArea(bool up) const {
    const int half = height() / 2;
    return up ? QRect(width() - kArrowWidth - 3, 2, kArrowWidth, half - 2)
              : QRect(width() - kArrowWidth - 3, half, kArrowWidth, height() - half - 2);
}

void NumberEdit::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        const QPoint at = event->position().toPoint();
        if (ArrowArea(true).contains(at)) {
            Step(+1);
            event->accept();
            return;
        }
        if (ArrowArea(false).contains(at)) {
            Step(-1);
            event->accept();
            return;
        }
    }
    MEdit::mousePressEvent(event);
}

void NumberEdit::mouseMoveEvent(QMouseEvent* event) {
    update();  // the arrow under the pointer lights up
    MEdit::mouseMoveEvent(event);
}

void NumberEdit::paintEvent(QPaintEvent* event) {
    MEdit::paintEvent(event);
    QPainter painter(this);
    QColor arrow = Theme::Argb(isEnabled() ? Theme::kText : Theme::kTextDisabled);
    const QPoint cursorAt = mapFromGlobal(QCursor::pos());
    for (bool up : {true, false}) {
        const QRect area = ArrowArea(up);
        QColor color = arrow;
        if (isEnabled() && IsHovered() && area.contains(cursorAt)) {
            color = Theme::Argb(Theme::kAccent);
        }
        PlainDraw::Chevron(painter, area, color, up);
    }
}

}  // namespace PeliskUI
