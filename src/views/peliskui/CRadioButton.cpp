#include "views/peliskui/CRadioButton.h"

#include <QPainter>

#include "views/peliskui/MEvent.h"
#include "views/peliskui/PlainDraw.h"

namespace PeliskUI {

CRadioButton::CRadioButton(QWidget* parent) : CCheckButton(parent) {}

void CRadioButton::OnClicked() {
    // An option is never unchecked by clicking it again, group or not.
    SetCheck(true);
    Notify(kEventClick, 1);
}

void CRadioButton::DrawBox(QPainter& painter, const QRect& box) const {
    if (m_image.IsNull()) {
        PlainDraw::RadioBox(painter, box, GetCheck(), State());
    } else {
        m_image.Draw(painter, box, CheckState(), SkinImage::Fit::Center);
    }
}

}  // namespace PeliskUI
