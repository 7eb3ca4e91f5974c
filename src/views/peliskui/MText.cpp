#include "views/peliskui/MText.h"

#include <QPainter>

namespace PeliskUI {

MText::MText(QWidget* parent) : MControlFont(parent) {}

void MText::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    if (!m_image.IsNull()) {
        m_image.Draw(painter, rect(), State());
    }
    DrawTitle(painter, rect(), TitleColor());
}

}  // namespace PeliskUI
