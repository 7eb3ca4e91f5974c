#include "views/peliskui/MButton.h"

#include <QPainter>

#include "views/peliskui/MEvent.h"
#include "views/peliskui/PlainDraw.h"

namespace PeliskUI {

MButton::MButton(QWidget* parent) : MControlFont(parent) {
    SetClickable(true);
    SetAlignment(kAlignCenter);
    SetVAlignment(kAlignVCenter);
}

void MButton::SetAccent(bool accent) {
    m_accent = accent;
    update();
}

void MButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const int state = State();
    if (m_image.IsNull()) {
        PlainDraw::Button(painter, rect(), state, m_accent);
    } else {
        m_image.Draw(painter, rect(), state);
    }
    QRect text = rect().adjusted(6, 0, -6, 0);
    if (state == 2) {
        text.translate(0, 1);
    }
    DrawTitle(painter, text, TitleColor());
}

}  // namespace PeliskUI
