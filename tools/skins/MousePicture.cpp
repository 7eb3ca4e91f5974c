#include "MousePicture.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "SkinPainting.h"

namespace skins {

namespace {

constexpr qreal kWidth = 260;
constexpr qreal kHeight = 370;
constexpr qreal kCentre = kWidth / 2;

// The body outline, symmetric about the centre line.
QPainterPath Body() {
    QPainterPath path;
    path.moveTo(kCentre, 6);
    path.cubicTo(176, 6, 202, 20, 213, 48);
    path.cubicTo(229, 90, 241, 160, 245, 232);
    path.cubicTo(249, 298, 235, 343, 200, 358);
    path.cubicTo(176, 367, 152, 366, kCentre, 366);
    path.cubicTo(108, 366, 84, 367, 60, 358);
    path.cubicTo(25, 343, 11, 298, 15, 232);
    path.cubicTo(19, 160, 31, 90, 47, 48);
    path.cubicTo(58, 20, 84, 6, kCentre, 6);
    path.closeSubpath();
    return path;
}

// Where the buttons end and the palm begins.
QPainterPath PalmLine() {
    QPainterPath path;
    path.moveTo(18, 160);
    path.cubicTo(60, 168, 100, 172, kCentre, 172);
    path.cubicTo(160, 172, 200, 168, 242, 160);
    return path;
}

QPainterPath ButtonsArea() {
    QPainterPath top;
    top.moveTo(0, 0);
    top.lineTo(kWidth, 0);
    top.lineTo(kWidth, 160);
    top.cubicTo(200, 168, 160, 172, kCentre, 172);
    top.cubicTo(100, 172, 60, 168, 0, 160);
    top.closeSubpath();
    return Body().intersected(top);
}

}  // namespace

QImage DrawMousePicture() {
    QImage image = NewImage(int(kWidth), int(kHeight));
    QPainter painter(&image);
    Prepare(painter);
    const QColor accent = Argb(PeliskUI::Theme::kAccent);
    const QPainterPath body = Body();

    // Side buttons first, so the body overlaps their inner edge.
    for (const QRectF& side : {QRectF(5, 178, 18, 46), QRectF(4, 262, 18, 46)}) {
        GradientPanel(painter, side, 6, QColor(0x3A, 0x4E, 0x62), QColor(0x22, 0x31, 0x3F),
                      QColor(0x55, 0x70, 0x8A), 1.0);
    }

    // Body: dark shell with a soft light from the front.
    QLinearGradient shell(0, 0, 0, kHeight);
    shell.setColorAt(0, QColor(0x24, 0x33, 0x42));
    shell.setColorAt(0.45, QColor(0x17, 0x22, 0x2D));
    shell.setColorAt(1, QColor(0x0E, 0x15, 0x1C));
    painter.setPen(Qt::NoPen);
    painter.setBrush(shell);
    painter.drawPath(body);

    // Side grips: fine lines along both flanks of the palm.
    painter.save();
    painter.setClipPath(body);
    painter.setPen(QPen(QColor(255, 255, 255, 10), 1.0));
    for (int y = 186; y < 330; y += 5) {
        painter.drawLine(QPointF(14, y), QPointF(38, y + 6));
        painter.drawLine(QPointF(kWidth - 14, y), QPointF(kWidth - 38, y + 6));
    }
    painter.restore();

    // Buttons: a lighter, glossy top with a highlight towards the front.
    const QPainterPath buttons = ButtonsArea();
    QLinearGradient gloss(0, 0, 0, 175);
    gloss.setColorAt(0, QColor(0x33, 0x47, 0x5A));
    gloss.setColorAt(0.5, QColor(0x22, 0x31, 0x3F));
    gloss.setColorAt(1, QColor(0x1A, 0x26, 0x31));
    painter.setBrush(gloss);
    painter.drawPath(buttons);
    painter.save();
    painter.setClipPath(buttons);
    QRadialGradient sheen(QPointF(kCentre, 10), 150);
    sheen.setColorAt(0, QColor(255, 255, 255, 34));
    sheen.setColorAt(1, QColor(255, 255, 255, 0));
    painter.setBrush(sheen);
    painter.drawRect(QRectF(0, 0, kWidth, 175));
    painter.restore();

    // Seams: the split between the two buttons and the palm line.
    const QColor seam(0x06, 0x0A, 0x0E);
    painter.save();
    painter.setClipPath(body);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(seam, 2.2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(kCentre, 8), QPointF(kCentre, 40));
    painter.drawLine(QPointF(kCentre, 142), QPointF(kCentre, 171));
    painter.drawPath(PalmLine());
    painter.setPen(QPen(QColor(255, 255, 255, 18), 1.0));
    painter.translate(0, 1.5);
    painter.drawPath(PalmLine());
    painter.restore();

    // Wheel well, wheel with ribs, and the buttons above and below it.
    GradientPanel(painter, QRectF(112, 40, 36, 104), 16, QColor(0x09, 0x0E, 0x13),
                  QColor(0x0C, 0x12, 0x18), QColor(0x05, 0x08, 0x0B), 1.2);
    GradientPanel(painter, QRectF(123, 45, 14, 17), 5, QColor(0x3C, 0x51, 0x66),
                  QColor(0x26, 0x36, 0x45), QColor(0x4F, 0x69, 0x82), 1.0);
    QLinearGradient rubber(120, 0, 140, 0);
    rubber.setColorAt(0, QColor(0x1B, 0x25, 0x2F));
    rubber.setColorAt(0.5, QColor(0x3B, 0x4E, 0x61));
    rubber.setColorAt(1, QColor(0x1B, 0x25, 0x2F));
    painter.setPen(QPen(QColor(0x07, 0x0B, 0x0F), 1.0));
    painter.setBrush(rubber);
    painter.drawRoundedRect(QRectF(120.5, 68.5, 19, 45), 9, 9);
    painter.setPen(QPen(QColor(0x0A, 0x10, 0x15, 200), 1.2));
    for (int y = 74; y <= 108; y += 4) {
        painter.drawLine(QPointF(123, y), QPointF(137, y));
    }
    // The accent light under the wheel.
    QPainterPath wheelLight;
    wheelLight.addRoundedRect(QRectF(119, 67, 22, 48), 10, 10);
    Glow(painter, wheelLight, WithAlpha(accent, 90), 4);
    GradientPanel(painter, QRectF(123, 118, 14, 20), 5, QColor(0x3C, 0x51, 0x66),
                  QColor(0x26, 0x36, 0x45), QColor(0x4F, 0x69, 0x82), 1.0);
    painter.setPen(Qt::NoPen);
    painter.setBrush(accent);
    painter.drawRoundedRect(QRectF(127, 123, 6, 2.4), 1.2, 1.2);
    painter.drawRoundedRect(QRectF(127, 127.5, 6, 2.4), 1.2, 1.2);

    // Light strips along both flanks, accent fading to violet towards the back.
    for (const bool left : {true, false}) {
        const auto x = [left](qreal value) { return left ? value : kWidth - value; };
        QPainterPath strip;
        strip.moveTo(x(31), 196);
        strip.cubicTo(x(27), 238, x(28), 288, x(41), 324);
        QLinearGradient stripColour(0, 196, 0, 324);
        stripColour.setColorAt(0, accent);
        stripColour.setColorAt(1, QColor(0x8A, 0x5C, 0xFF));
        Glow(painter, strip, WithAlpha(accent, 140), 5);
        painter.setPen(QPen(QBrush(stripColour), 2.4, Qt::SolidLine, Qt::RoundCap));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(strip);
    }

    // The maker's mark on the palm: a V of two strokes.
    QPainterPath mark;
    mark.moveTo(117, 226);
    mark.lineTo(kCentre, 248);
    mark.lineTo(143, 226);
    Glow(painter, mark, WithAlpha(accent, 110), 4);
    painter.setPen(QPen(accent.lighter(115), 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(mark);

    // Rim: a hairline edge with a cool light.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0x5B, 0x78, 0x94, 200), 1.4));
    painter.drawPath(body);
    return image;
}

QImage DrawMouseGlyph(int side, const QColor& colour) {
    QImage image = NewImage(side, side);
    QPainter painter(&image);
    Prepare(painter);
    const qreal scale = side / kHeight * 0.9;
    painter.translate((side - kWidth * scale) / 2, side * 0.05);
    painter.scale(scale, scale);
    painter.setPen(QPen(colour, 2.0 / scale * side / 48.0 * 1.1));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(Body());
    painter.drawLine(QPointF(kCentre, 8), QPointF(kCentre, 60));
    painter.drawPath(PalmLine());
    painter.setBrush(colour);
    painter.drawRoundedRect(QRectF(118, 70, 24, 60), 12, 12);
    return image;
}

}  // namespace skins
