#include "views/peliskui/CDeviceState.h"

#include <QPainter>

#include "views/peliskui/MEvent.h"
#include "views/peliskui/Theme.h"

namespace PeliskUI {

CDeviceState::CDeviceState(QWidget* parent) : MControlFont(parent) {
    SetVAlignment(kAlignVCenter);
}

void CDeviceState::SetState(int state) {
    m_state = state >= 0 && state <= 3 ? state : 0;
    update();
}

void CDeviceState::SetTitle(const QString& title) {
    MControlFont::SetTitle(title);
    setToolTip(title);
}

void CDeviceState::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    int markWidth = 0;
    if (!m_image.IsNull()) {
        const QSize size = m_image.FrameSize().boundedTo(QSize(height(), height()));
        const QRect mark(QPoint(0, (height() - size.height()) / 2), size);
        m_image.Draw(painter, mark, m_state, SkinImage::Fit::Center);
        markWidth = size.width();
    } else {
        // Plain look: a dot, grey without a device and green with one.
        const QColor dot =
            m_state == 0 ? Theme::Argb(Theme::kTextDisabled) : Theme::Argb(Theme::kGood);
        painter.setPen(Qt::NoPen);
        painter.setBrush(dot);
        painter.drawEllipse(QPointF(6, height() / 2.0), 4, 4);
        markWidth = 12;
    }
    // The indicator is narrow: a long state text is set smaller before it is cut.
    const QRect text = rect().adjusted(markWidth + 5, 0, 0, 0);
    const QFont font = FittingFont(GetTitle(), text.width(), 11);
    painter.setFont(font);
    painter.setPen(TitleColor());
    painter.drawText(text, int(TitleAlignment()),
                     QFontMetrics(font).elidedText(GetTitle(), Qt::ElideRight, text.width()));
}

}  // namespace PeliskUI
