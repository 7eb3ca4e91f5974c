#include "views/peliskui/MButton.h"

#include <QPainter>
#include <algorithm>

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
    QRect text = rect().adjusted(5, 0, -5, 0);
    if (state == 2) {
        text.translate(0, 1);
    }
    // A caption longer than the button (a longer translation) is set smaller before it is cut.
    const QFont font = FittingFont(GetTitle(), text.width(), std::min(10, GetFontSize()));
    painter.setFont(font);
    painter.setPen(TitleColor());
    painter.drawText(text, int(TitleAlignment()),
                     QFontMetrics(font).elidedText(GetTitle(), Qt::ElideRight, text.width()));
}

}  // namespace PeliskUI
