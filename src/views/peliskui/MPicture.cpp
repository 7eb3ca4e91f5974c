#include "views/peliskui/MPicture.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "views/peliskui/PlainDraw.h"
#include "views/peliskui/Theme.h"

namespace PeliskUI {

MPicture::MPicture(QWidget* parent) : MControl(parent) {}

void MPicture::SetShowMode(int mode, int param) {
    m_mode = mode;
    m_param = param;
    update();
}

bool MPicture::SetImage(const QString& name, int states) {
    return MControl::SetImage(name, states);
}

void MPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRect area = rect();
    if (m_image.IsNull()) {
        // Plain shapes: a window ground for full-size backgrounds, a panel for framed areas.
        if (m_mode == 2) {
            QLinearGradient ground(area.topLeft(), area.bottomLeft());
            ground.setColorAt(0, Theme::Argb(Theme::kWindowHigh));
            ground.setColorAt(1, Theme::Argb(Theme::kWindow));
            QPainterPath shape;
            shape.addRoundedRect(QRectF(area), m_param, m_param);
            painter.fillPath(shape, ground);
        } else if (m_mode == 3) {
            PlainDraw::Panel(painter, area, Theme::Argb(Theme::kPanelInner),
                             m_param > 0 ? m_param : 8, Theme::Argb(Theme::kBorder));
        }
        return;
    }
    const int state = State() == 3 ? 3 : 0;
    switch (m_mode) {
        case 0:
            m_image.Draw(painter, QRect(QPoint(0, 0), m_image.FrameSize()), state);
            break;
        case 1:
            m_image.Draw(painter, area, state, SkinImage::Fit::Center);
            break;
        case 2: {
            QPainterPath shape;
            shape.addRoundedRect(QRectF(area), m_param, m_param);
            painter.setClipPath(shape);
            m_image.Draw(painter, area, state, SkinImage::Fit::Stretch);
            break;
        }
        case 3:
            m_image.Draw(painter, area, state, SkinImage::Fit::NineSlice, m_param);
            break;
        default:
            m_image.Draw(painter, area, state, SkinImage::Fit::Stretch);
            break;
    }
}

}  // namespace PeliskUI
