#include "views/peliskui/CCheckButton.h"

#include <QPainter>

#include "views/peliskui/MEvent.h"
#include "views/peliskui/PlainDraw.h"
#include "views/peliskui/Theme.h"

namespace PeliskUI {

CCheckButton::CCheckButton(QWidget* parent) : MCheckable(parent) {
    SetClickable(true);
    SetVAlignment(kAlignVCenter);
}

void CCheckButton::DrawBox(QPainter& painter, const QRect& box) const {
    if (m_image.IsNull()) {
        PlainDraw::CheckBox(painter, box, GetCheck(), State());
    } else {
        m_image.Draw(painter, box, CheckState(), SkinImage::Fit::Center);
    }
}

void CCheckButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QSize boxSize = m_image.IsNull() ? QSize(16, 16) : m_image.FrameSize();
    boxSize = boxSize.boundedTo(QSize(height(), height()));
    const QRect box(QPoint(2, (height() - boxSize.height()) / 2), boxSize);
    DrawBox(painter, box);
    QColor color = TitleColor();
    if (IsHovered() && isEnabled()) {
        color = color.lighter(115);
    }
    DrawTitle(painter, rect().adjusted(box.right() + 9, 0, 0, 0), color);
}

}  // namespace PeliskUI
