#include "views/peliskui/CIconButton.h"

#include <QPainter>

#include "views/peliskui/MEvent.h"
#include "views/peliskui/PlainDraw.h"
#include "views/peliskui/Theme.h"

namespace PeliskUI {

CIconButton::CIconButton(QWidget* parent) : MControlFont(parent) {
    SetClickable(true);
    SetAlignment(kAlignCenter);
    SetVAlignment(kAlignVCenter);
}

bool CIconButton::SetIconImage(const QString& name, int states) {
    const bool loaded = m_icon.Load(name, states);
    update();
    return loaded;
}

void CIconButton::SetTextRect(const MRect& rect) {
    m_textRect = rect;
    m_hasTextRect = true;
    update();
}

void CIconButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const int state = State();
    if (m_image.IsNull()) {
        PlainDraw::Button(painter, rect(), state);
    } else {
        m_image.Draw(painter, rect(), state);
    }
    const int iconSide = std::max(0, height() - 12);
    QRect iconArea(10, (height() - iconSide) / 2, iconSide, iconSide);
    if (!m_icon.IsNull()) {
        m_icon.Draw(painter, iconArea, state, SkinImage::Fit::Center);
    }
    QRect text = m_hasTextRect ? m_textRect.ToQRect() : rect().adjusted(iconSide + 14, 0, -8, 0);
    DrawTitle(painter, text, TitleColor());
}

}  // namespace PeliskUI
