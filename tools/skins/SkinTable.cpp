#include "SkinTable.h"

#include <QConicalGradient>
#include <QDir>
#include <QFont>
#include <QLinearGradient>
#include <QRadialGradient>
#include <QtMath>
#include <vector>

#include "GifWriter.h"
#include "MousePicture.h"
#include "SkinPainting.h"

namespace skins {

namespace {

using namespace PeliskUI;

const QColor kAccent = Argb(Theme::kAccent);
const QColor kAccentDeep = Argb(Theme::kAccentDeep);
const QColor kText = Argb(Theme::kText);
const QColor kTextDim = Argb(Theme::kTextDim);
const QColor kDisabled = Argb(Theme::kTextDisabled);
const QColor kBorder = Argb(Theme::kBorder);
const QColor kBorderHigh = Argb(Theme::kBorderHigh);
const QColor kField = Argb(Theme::kField);
const QColor kFieldHigh = Argb(Theme::kFieldHigh);

// The four button states: normal, hover, pressed, disabled.
enum { kNormal = 0, kHover = 1, kPressed = 2, kOff = 3 };

// --- Window ground ----------------------------------------------------------------------------

QImage Background() {
    const int w = 1121, h = 780;
    QImage image = NewImage(w, h);
    QPainter p(&image);
    Prepare(p);
    QLinearGradient ground(0, 0, 0, h);
    ground.setColorAt(0, QColor(0x13, 0x1D, 0x27));
    ground.setColorAt(0.16, QColor(0x0F, 0x17, 0x20));
    ground.setColorAt(1, QColor(0x09, 0x0E, 0x13));
    p.fillRect(image.rect(), ground);

    // Two soft lights: cool accent at the top left, violet at the bottom right.
    QRadialGradient topLight(QPointF(150, -40), 520);
    topLight.setColorAt(0, WithAlpha(kAccent, 40));
    topLight.setColorAt(1, WithAlpha(kAccent, 0));
    p.fillRect(image.rect(), topLight);
    QRadialGradient lowLight(QPointF(w + 60, h + 80), 560);
    lowLight.setColorAt(0, QColor(0x8A, 0x5C, 0xFF, 26));
    lowLight.setColorAt(1, QColor(0x8A, 0x5C, 0xFF, 0));
    p.fillRect(image.rect(), lowLight);

    // A fine dot grid, fading towards the bottom.
    for (int y = 120; y < h; y += 24) {
        const int alpha = std::max(0, 16 - (y - 120) / 45);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x9F, 0xC4, 0xE8, alpha));
        for (int x = 12; x < w; x += 24) {
            p.drawEllipse(QPointF(x, y), 0.8, 0.8);
        }
    }

    // Header: a slightly darker band with a hairline that fades at both ends.
    QLinearGradient header(0, 0, 0, 104);
    header.setColorAt(0, QColor(0x0B, 0x11, 0x17, 120));
    header.setColorAt(1, QColor(0x0B, 0x11, 0x17, 40));
    p.fillRect(QRect(0, 0, w, 104), header);
    QLinearGradient rule(0, 0, w, 0);
    rule.setColorAt(0, WithAlpha(kBorderHigh, 0));
    rule.setColorAt(0.25, WithAlpha(kBorderHigh, 150));
    rule.setColorAt(0.5, WithAlpha(kAccent, 120));
    rule.setColorAt(0.75, WithAlpha(kBorderHigh, 150));
    rule.setColorAt(1, WithAlpha(kBorderHigh, 0));
    p.fillRect(QRectF(0, 104, w, 1), rule);

    // A thin accent edge along the top of the window.
    QLinearGradient edge(0, 0, w, 0);
    edge.setColorAt(0, WithAlpha(kAccent, 0));
    edge.setColorAt(0.5, WithAlpha(kAccent, 160));
    edge.setColorAt(1, WithAlpha(kAccent, 0));
    p.fillRect(QRectF(0, 0, w, 1.5), edge);

    // Outer rim.
    p.setPen(QPen(QColor(0x2C, 0x3E, 0x4F), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, w - 1, h - 1));
    return image;
}

// --- Title bar buttons ------------------------------------------------------------------------

QImage SystemButton(bool close) {
    return Strip(20, 20, 4, [close](QPainter& p, const QRectF& r, int state) {
        if (state == kHover || state == kPressed) {
            QColor fill = close ? Argb(Theme::kDanger) : QColor(255, 255, 255, 40);
            if (state == kPressed) {
                fill = close ? fill.darker(125) : QColor(255, 255, 255, 24);
            }
            p.setPen(Qt::NoPen);
            p.setBrush(fill);
            p.drawEllipse(r.adjusted(0.5, 0.5, -0.5, -0.5));
        }
        QColor mark =
            state == kOff ? kDisabled : (state == kNormal ? kText : QColor(255, 255, 255));
        p.setPen(QPen(mark, 1.6, Qt::SolidLine, Qt::RoundCap));
        const QPointF c = r.center();
        if (close) {
            p.drawLine(c + QPointF(-4, -4), c + QPointF(4, 4));
            p.drawLine(c + QPointF(-4, 4), c + QPointF(4, -4));
        } else {
            p.drawLine(c + QPointF(-4.5, 0.5), c + QPointF(4.5, 0.5));
        }
    });
}

// --- Battery and connection indicators --------------------------------------------------------

QImage BatteryOutline() {
    QImage image = NewImage(26, 14);
    QPainter p(&image);
    Prepare(p);
    p.setPen(QPen(kTextDim, 1.3));
    p.setBrush(QColor(0x0B, 0x11, 0x17, 160));
    p.drawRoundedRect(QRectF(0.65, 0.65, 22.2, 12.7), 3, 3);
    p.setPen(Qt::NoPen);
    p.setBrush(kTextDim);
    p.drawRoundedRect(QRectF(23.4, 4.2, 2.4, 5.6), 1, 1);
    return image;
}

QImage BatteryFill() {
    QImage image = NewImage(26, 14);
    QPainter p(&image);
    Prepare(p);
    QLinearGradient fill(0, 0, 22, 0);
    fill.setColorAt(0, QColor(0x2F, 0xB8, 0x77));
    fill.setColorAt(1, Argb(Theme::kGood));
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(2.6, 2.6, 18.2, 8.8), 1.5, 1.5);
    return image;
}

QImage ChargeMark() {
    QImage image = NewImage(10, 14);
    QPainter p(&image);
    Prepare(p);
    QPolygonF bolt;
    bolt << QPointF(6.2, 0.5) << QPointF(1.0, 8.0) << QPointF(4.6, 8.0) << QPointF(3.6, 13.5)
         << QPointF(9.0, 5.6) << QPointF(5.4, 5.6);
    p.setPen(QPen(QColor(0x0B, 0x11, 0x17), 1.0));
    p.setBrush(QColor(0xFF, 0xD6, 0x0A));
    p.drawPolygon(bolt);
    return image;
}

// Frames: no device, cable, receiver, Bluetooth.
QImage StateMarks() {
    return Strip(16, 16, 4, [](QPainter& p, const QRectF& r, int state) {
        const QColor colours[] = {kDisabled, Argb(Theme::kGood), kAccent, QColor(0x6E, 0x8B, 0xFF)};
        const QColor colour = colours[state];
        const QPointF c = r.center();
        if (state != 0) {
            QRadialGradient halo(c, 8);
            halo.setColorAt(0, WithAlpha(colour, 110));
            halo.setColorAt(1, WithAlpha(colour, 0));
            p.setPen(Qt::NoPen);
            p.setBrush(halo);
            p.drawEllipse(c, 8, 8);
        }
        p.setPen(state == 0 ? QPen(colour, 1.4) : Qt::NoPen);
        p.setBrush(state == 0 ? QBrush(Qt::NoBrush) : QBrush(colour));
        p.drawEllipse(c, 3.6, 3.6);
    });
}

// --- Buttons, fields, boxes -------------------------------------------------------------------

void ButtonFace(QPainter& p, const QRectF& r, int state) {
    const qreal radius = 7;
    switch (state) {
        case kNormal:
            GradientPanel(p, r, radius, QColor(0x25, 0x36, 0x47), QColor(0x1B, 0x29, 0x36),
                          QColor(0x3A, 0x52, 0x69));
            break;
        case kHover:
            GradientPanel(p, r, radius, QColor(0x21, 0x52, 0x73), QColor(0x18, 0x3B, 0x56),
                          kAccent);
            break;
        case kPressed:
            GradientPanel(p, r, radius, QColor(0x12, 0x3A, 0x56), QColor(0x15, 0x45, 0x66),
                          kAccentDeep.lighter(130));
            break;
        default:
            GradientPanel(p, r, radius, QColor(0x18, 0x22, 0x2C), QColor(0x15, 0x1E, 0x27),
                          QColor(0x24, 0x32, 0x3F));
            break;
    }
    if (state != kOff && state != kPressed) {
        // A faint top light.
        p.setPen(QPen(QColor(255, 255, 255, state == kHover ? 40 : 22), 1));
        p.drawLine(QPointF(r.left() + radius, r.top() + 1.5),
                   QPointF(r.right() - radius, r.top() + 1.5));
    }
}

QImage ButtonSkin() {
    return Strip(100, 30, 4, ButtonFace);
}

void FieldFace(QPainter& p, const QRectF& r, int state) {
    QColor edge =
        state == kHover ? kAccent : (state == kPressed ? kAccent.lighter(115) : kBorderHigh);
    QColor top = state == kHover ? kFieldHigh : kField;
    if (state == kOff) {
        edge = QColor(0x22, 0x2F, 0x3B);
        top = QColor(0x14, 0x1C, 0x24);
    }
    GradientPanel(p, r, 6, top, top.darker(112), edge);
}

QImage ComboSkin() {
    return Strip(180, 40, 4, FieldFace);
}
QImage EditSkin() {
    return Strip(120, 30, 4, FieldFace);
}

QImage CheckBoxes(bool round) {
    return Strip(18, 18, 8, [round](QPainter& p, const QRectF& r, int frame) {
        const bool checked = frame >= 4;
        const int state = frame % 4;
        const QRectF box = r.adjusted(1.5, 1.5, -1.5, -1.5);
        QColor edge = checked ? kAccent : (state == kHover ? kAccent : kBorderHigh);
        QColor fill = checked ? (state == kPressed ? kAccentDeep : kAccent) : kField;
        if (state == kHover && checked) {
            fill = kAccent.lighter(112);
        }
        if (state == kOff) {
            edge = QColor(0x2A, 0x3A, 0x48);
            fill = checked ? QColor(0x2A, 0x3A, 0x48) : QColor(0x14, 0x1C, 0x24);
        }
        if (round) {
            p.setPen(QPen(edge, 1.4));
            p.setBrush(kField);
            p.drawEllipse(box);
            if (checked) {
                p.setPen(Qt::NoPen);
                p.setBrush(fill);
                p.drawEllipse(box.center(), 4.2, 4.2);
            }
        } else {
            p.setPen(QPen(edge, 1.3));
            p.setBrush(fill);
            p.drawRoundedRect(box, 4, 4);
            if (checked) {
                QPainterPath tick;
                tick.moveTo(box.left() + 3.5, box.center().y() + 0.5);
                tick.lineTo(box.left() + 6.5, box.bottom() - 4);
                tick.lineTo(box.right() - 3.5, box.top() + 4);
                p.setPen(QPen(state == kOff ? kDisabled : QColor(0x06, 0x12, 0x1C), 2.0,
                              Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
                p.setBrush(Qt::NoBrush);
                p.drawPath(tick);
            }
        }
    });
}

QImage MoreButton() {
    return Strip(20, 20, 4, [](QPainter& p, const QRectF& r, int state) {
        if (state == kHover || state == kPressed) {
            p.setPen(Qt::NoPen);
            p.setBrush(WithAlpha(kAccent, state == kHover ? 60 : 90));
            p.drawRoundedRect(r.adjusted(1, 1, -1, -1), 5, 5);
        }
        const QColor dot =
            state == kOff ? kDisabled : (state == kNormal ? kText : QColor(255, 255, 255));
        p.setPen(Qt::NoPen);
        p.setBrush(dot);
        for (int i = -1; i <= 1; ++i) {
            p.drawEllipse(QPointF(r.center().x() + i * 4.5, r.center().y()), 1.6, 1.6);
        }
    });
}

QImage HelpMark() {
    return Strip(16, 16, 4, [](QPainter& p, const QRectF& r, int state) {
        const QColor colour = state == kOff ? kDisabled : (state == kNormal ? kTextDim : kAccent);
        if (state == kHover || state == kPressed) {
            p.setPen(Qt::NoPen);
            p.setBrush(WithAlpha(kAccent, 40));
            p.drawEllipse(r.adjusted(0.5, 0.5, -0.5, -0.5));
        }
        p.setPen(QPen(colour, 1.2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(r.adjusted(1, 1, -1, -1));
        QFont font(QStringLiteral("Open Sans"));
        font.setPixelSize(11);
        font.setWeight(QFont::Bold);
        p.setFont(font);
        p.drawText(r.adjusted(0, 0, 0, 0), Qt::AlignCenter, QStringLiteral("?"));
    });
}

QImage ResetMark() {
    return Strip(16, 16, 4, [](QPainter& p, const QRectF& r, int state) {
        const QColor colour = state == kOff ? kDisabled : (state == kNormal ? kText : kAccent);
        const QRectF ring = r.adjusted(2.5, 2.5, -2.5, -2.5);
        p.setPen(QPen(colour, 1.6, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(ring, 60 * 16, 280 * 16);
        // Arrow head at the arc's start.
        const qreal a = qDegreesToRadians(60.0);
        const QPointF tip(ring.center().x() + ring.width() / 2 * std::cos(a),
                          ring.center().y() - ring.height() / 2 * std::sin(a));
        QPolygonF head;
        head << tip + QPointF(-4.2, -1.2) << tip + QPointF(0.8, -3.4) << tip + QPointF(0.6, 1.8);
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        p.drawPolygon(head);
    });
}

QImage StepButton(bool plus) {
    return Strip(20, 15, 4, [plus](QPainter& p, const QRectF& r, int state) {
        ButtonFace(p, r, state);
        const QColor mark =
            state == kOff ? kDisabled : (state == kNormal ? kText : QColor(255, 255, 255));
        p.setPen(QPen(mark, 1.5, Qt::SolidLine, Qt::RoundCap));
        const QPointF c = r.center();
        p.drawLine(c + QPointF(-3.5, 0), c + QPointF(3.5, 0));
        if (plus) {
            p.drawLine(c + QPointF(0, -3.5), c + QPointF(0, 3.5));
        }
    });
}

QImage ArrowButton(bool up) {
    return Strip(26, 26, 4, [up](QPainter& p, const QRectF& r, int state) {
        ButtonFace(p, r.adjusted(0.5, 0.5, -0.5, -0.5), state);
        const QColor mark =
            state == kOff ? kDisabled : (state == kNormal ? kText : QColor(255, 255, 255));
        p.setPen(QPen(mark, 1.7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        const QPointF c = r.center();
        QPainterPath chevron;
        chevron.moveTo(c + QPointF(-4.5, up ? 2 : -2));
        chevron.lineTo(c + QPointF(0, up ? -2.5 : 2.5));
        chevron.lineTo(c + QPointF(4.5, up ? 2 : -2));
        p.drawPath(chevron);
    });
}

QImage Switch(bool on) {
    return Strip(50, 28, 4, [on](QPainter& p, const QRectF& r, int state) {
        const QRectF track = r.adjusted(1, 2, -1, -2);
        const qreal radius = track.height() / 2;
        QColor fill = on ? kAccent : kField;
        QColor edge = on ? kAccent : (state == kHover ? kAccent : kBorderHigh);
        if (state == kHover && on) {
            fill = kAccent.lighter(110);
        }
        if (state == kPressed) {
            fill = on ? kAccentDeep : kFieldHigh;
        }
        if (state == kOff) {
            fill = on ? QColor(0x1F, 0x4A, 0x66) : QColor(0x14, 0x1C, 0x24);
            edge = QColor(0x2A, 0x3A, 0x48);
        }
        if (on && state != kOff) {
            QPainterPath shape;
            shape.addRoundedRect(track, radius, radius);
            Glow(p, shape, WithAlpha(kAccent, 120), 2);
        }
        p.setPen(QPen(edge, 1.0));
        p.setBrush(fill);
        p.drawRoundedRect(track, radius, radius);
        const qreal knob = track.height() - 6;
        const QRectF knobRect(on ? track.right() - 3 - knob : track.left() + 3, track.top() + 3,
                              knob, knob);
        p.setPen(Qt::NoPen);
        p.setBrush(state == kOff ? kDisabled : (on ? QColor(255, 255, 255) : kText));
        p.drawEllipse(knobRect);
    });
}

// --- Panels -----------------------------------------------------------------------------------

QImage BannerPanel() {
    QImage image = NewImage(120, 60);
    QPainter p(&image);
    Prepare(p);
    GradientPanel(p, QRectF(0, 0, 120, 60), 10, QColor(0x1A, 0x27, 0x33, 240),
                  QColor(0x13, 0x1D, 0x27, 240), WithAlpha(kAccent, 140), 1.2);
    return image;
}

QImage ContentPanel() {
    QImage image = NewImage(60, 60);
    QPainter p(&image);
    Prepare(p);
    GradientPanel(p, QRectF(0, 0, 60, 60), 10, QColor(0x21, 0x30, 0x3D, 235),
                  QColor(0x1B, 0x28, 0x33, 235), QColor(0x34, 0x4A, 0x5F), 1.0);
    return image;
}

QImage SliderPanel() {
    QImage image = NewImage(60, 60);
    QPainter p(&image);
    Prepare(p);
    GradientPanel(p, QRectF(0, 0, 60, 60), 10, QColor(0x14, 0x1E, 0x28, 150),
                  QColor(0x10, 0x18, 0x20, 150), QColor(0x2C, 0x3E, 0x4F, 160), 1.0);
    return image;
}

QImage DpiBar() {
    QImage image = NewImage(600, 6);
    QPainter p(&image);
    Prepare(p);
    QLinearGradient fill(0, 0, 600, 0);
    fill.setColorAt(0, QColor(0x8A, 0x5C, 0xFF));
    fill.setColorAt(0.55, kAccent);
    fill.setColorAt(1, QColor(0x5E, 0xE6, 0xFF));
    p.fillRect(image.rect(), fill);
    return image;
}

QImage KeyCallout() {
    return Strip(100, 26, 2, [](QPainter& p, const QRectF& r, int state) {
        const QRectF pill = r.adjusted(0.5, 0.5, -0.5, -0.5);
        if (state == 0) {
            GradientPanel(p, pill, 13, QColor(0x1E, 0x2C, 0x39, 240), QColor(0x17, 0x22, 0x2D, 240),
                          QColor(0x3A, 0x52, 0x69));
        } else {
            GradientPanel(p, pill, 13, QColor(0x1B, 0x4A, 0x6B), QColor(0x14, 0x36, 0x50), kAccent,
                          1.2);
        }
    });
}

QImage PromptBackground() {
    const int w = 430, h = 230;
    QImage image = NewImage(w, h);
    QPainter p(&image);
    Prepare(p);
    const QRectF body(1, 1, w - 2, h - 2);
    GradientPanel(p, body, 14, QColor(0x1A, 0x26, 0x32, 250), QColor(0x10, 0x18, 0x20, 250),
                  QColor(0x3A, 0x52, 0x69), 1.0);
    // Accent line along the top edge and a soft light behind the caption.
    QRadialGradient light(QPointF(w / 2.0, 0), 220);
    light.setColorAt(0, WithAlpha(kAccent, 36));
    light.setColorAt(1, WithAlpha(kAccent, 0));
    QPainterPath clip;
    clip.addRoundedRect(body, 14, 14);
    p.setClipPath(clip);
    p.fillRect(QRectF(0, 0, w, 90), light);
    QLinearGradient edge(0, 0, w, 0);
    edge.setColorAt(0, WithAlpha(kAccent, 0));
    edge.setColorAt(0.5, kAccent);
    edge.setColorAt(1, WithAlpha(kAccent, 0));
    p.fillRect(QRectF(0, 1, w, 2), edge);
    // A hairline under the caption.
    QLinearGradient rule(0, 0, w, 0);
    rule.setColorAt(0, WithAlpha(kBorderHigh, 0));
    rule.setColorAt(0.5, WithAlpha(kBorderHigh, 200));
    rule.setColorAt(1, WithAlpha(kBorderHigh, 0));
    p.fillRect(QRectF(40, 48, w - 80, 1), rule);
    return image;
}

// --- Icons ------------------------------------------------------------------------------------

// A 48 x 48 white icon drawn by `draw` with a 3-pixel pen; the tab strip tints it.
QImage TabIcon(const std::function<void(QPainter&)>& draw) {
    QImage image = NewImage(48, 48);
    QPainter p(&image);
    Prepare(p);
    p.setPen(QPen(Qt::white, 3.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    draw(p);
    return image;
}

QImage HomeIcon() {
    return TabIcon([](QPainter& p) {
        QPainterPath roof;
        roof.moveTo(6, 23);
        roof.lineTo(24, 7);
        roof.lineTo(42, 23);
        p.drawPath(roof);
        QPainterPath house;
        house.moveTo(11, 19);
        house.lineTo(11, 40);
        house.lineTo(37, 40);
        house.lineTo(37, 19);
        p.drawPath(house);
        p.drawRoundedRect(QRectF(20, 27, 8, 13), 1.5, 1.5);
    });
}

QImage KeyIcon() {
    QImage image = DrawMouseGlyph(48, Qt::white);
    return image;
}

QImage DpiIcon() {
    return TabIcon([](QPainter& p) {
        p.drawArc(QRectF(6, 8, 36, 36), 200 * 16, -220 * 16);
        p.drawLine(QPointF(24, 26), QPointF(33, 16));
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(24, 26), 3.2, 3.2);
        p.setBrush(Qt::NoBrush);
        p.drawLine(QPointF(15, 40), QPointF(33, 40));
    });
}

QImage MacroIcon() {
    return TabIcon([](QPainter& p) {
        p.drawRoundedRect(QRectF(5, 11, 38, 26), 5, 5);
        p.setPen(QPen(Qt::white, 2.6, Qt::SolidLine, Qt::RoundCap));
        for (int x = 12; x <= 36; x += 8) {
            p.drawPoint(QPointF(x, 19));
        }
        for (int x = 16; x <= 32; x += 8) {
            p.drawPoint(QPointF(x, 25));
        }
        p.drawLine(QPointF(16, 31), QPointF(32, 31));
    });
}

QImage SettingsIcon() {
    return TabIcon([](QPainter& p) {
        QPainterPath gear;
        const QPointF c(24, 24);
        const int teeth = 8;
        for (int i = 0; i < teeth * 2; ++i) {
            const qreal angle = M_PI * 2 * i / (teeth * 2);
            const qreal radius = i % 2 == 0 ? 18.0 : 14.0;
            for (int k = 0; k < 2; ++k) {
                const qreal a = angle + (k == 0 ? -0.16 : 0.16);
                const QPointF point(c.x() + radius * std::cos(a), c.y() + radius * std::sin(a));
                if (i == 0 && k == 0) {
                    gear.moveTo(point);
                } else {
                    gear.lineTo(point);
                }
            }
        }
        gear.closeSubpath();
        p.setPen(QPen(Qt::white, 2.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(gear);
        p.drawEllipse(c, 6, 6);
    });
}

QImage AppIcon() {
    QImage image = NewImage(64, 64);
    QPainter p(&image);
    Prepare(p);
    GradientPanel(p, QRectF(2, 2, 60, 60), 14, QColor(0x1B, 0x2A, 0x38), QColor(0x0C, 0x13, 0x1A),
                  kAccent, 1.5);
    const QImage glyph = DrawMouseGlyph(44, kAccent);
    p.drawImage(QPointF(10, 10), glyph);
    return image;
}

// Frames: delay, key press, key release, mouse press, mouse release, move.
QImage RecordIcons() {
    return Strip(18, 18, 6, [](QPainter& p, const QRectF& r, int kind) {
        const QColor colours[] = {QColor(0xFF, 0xB0, 0x3B), kAccent,
                                  QColor(0x5E, 0xA8, 0xD8), Argb(Theme::kGood),
                                  QColor(0x4F, 0xA8, 0x80), QColor(0xB0, 0x8C, 0xFF)};
        const QColor colour = colours[kind];
        const QPointF c = r.center();
        p.setPen(QPen(colour, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        switch (kind) {
            case 0:  // clock
                p.drawEllipse(c, 6.5, 6.5);
                p.drawLine(c, c + QPointF(0, -4));
                p.drawLine(c, c + QPointF(3, 1.5));
                break;
            case 1:    // key pressed: key cap with a down arrow
            case 2: {  // key released: up arrow
                p.drawRoundedRect(QRectF(2.5, 3.5, 13, 11), 2.5, 2.5);
                const bool down = kind == 1;
                p.drawLine(QPointF(9, 6), QPointF(9, 12));
                p.drawLine(QPointF(9, down ? 12 : 6), QPointF(6.5, down ? 9.5 : 8.5));
                p.drawLine(QPointF(9, down ? 12 : 6), QPointF(11.5, down ? 9.5 : 8.5));
                break;
            }
            case 3:  // mouse button pressed: filled left button
            case 4: {
                p.drawRoundedRect(QRectF(4.5, 2, 9, 14), 4.5, 4.5);
                p.drawLine(QPointF(9, 2.5), QPointF(9, 7));
                if (kind == 3) {
                    QPainterPath button;
                    button.moveTo(9, 2.2);
                    button.arcTo(QRectF(4.5, 2, 9, 9), 90, 90);
                    button.lineTo(4.5, 7);
                    button.lineTo(9, 7);
                    button.closeSubpath();
                    p.setBrush(colour);
                    p.drawPath(button);
                }
                break;
            }
            default: {  // move: four arrows
                p.drawLine(QPointF(9, 2.5), QPointF(9, 15.5));
                p.drawLine(QPointF(2.5, 9), QPointF(15.5, 9));
                for (const QPointF& tip :
                     {QPointF(9, 2.5), QPointF(9, 15.5), QPointF(2.5, 9), QPointF(15.5, 9)}) {
                    const QPointF in = (c - tip) / 4.5;
                    const QPointF side(in.y(), -in.x());
                    p.drawLine(tip, tip + in * 2.2 + side * 2.2);
                    p.drawLine(tip, tip + in * 2.2 - side * 2.2);
                }
                break;
            }
        }
    });
}

QImage RecordMark(bool stop) {
    QImage image = NewImage(16, 16);
    QPainter p(&image);
    Prepare(p);
    const QColor red = Argb(Theme::kDanger);
    QRadialGradient halo(QPointF(8, 8), 8);
    halo.setColorAt(0, WithAlpha(red, 120));
    halo.setColorAt(1, WithAlpha(red, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(halo);
    p.drawEllipse(QPointF(8, 8), 8, 8);
    p.setBrush(red);
    if (stop) {
        p.drawRoundedRect(QRectF(3.5, 3.5, 9, 9), 2, 2);
    } else {
        p.drawEllipse(QPointF(8, 8), 4.8, 4.8);
    }
    return image;
}

}  // namespace

const std::vector<SkinEntry>& SkinTable() {
    static const std::vector<SkinEntry> table = {
        {"background.png", Background},
        {"sysbtn_close.png", [] { return SystemButton(true); }},
        {"sysbtn_min.png", [] { return SystemButton(false); }},
        {"icon\\icon_battery_bkg.png", BatteryOutline},
        {"icon\\icon_batteryvalue.png", BatteryFill},
        {"icon\\icon_charge.png", ChargeMark},
        {"img_state.png", StateMarks},
        {"img_button.png", ButtonSkin},
        {"icon\\tab_home.png", HomeIcon},
        {"icon\\tab_key.png", KeyIcon},
        {"icon\\tab_dpi.png", DpiIcon},
        {"icon\\tab_macro.png", MacroIcon},
        {"icon\\tab_set.png", SettingsIcon},
        {"icon\\app_icon.png", AppIcon},
        {"device\\img_mouse.png", DrawMousePicture},
        {"img_area3.png", BannerPanel},
        {"img_combobox.png", ComboSkin},
        {"img_key_bkg.png", KeyCallout},
        {"img_edit.png", EditSkin},
        {"btn_checkbox.png", [] { return CheckBoxes(false); }},
        {"btn_radiobox.png", [] { return CheckBoxes(true); }},
        {"btn_more.png", MoreButton},
        {"img_area_content.png", ContentPanel},
        {"icon\\icon_record.png", RecordIcons},
        {"icon\\icon_rec.png", [] { return RecordMark(false); }},
        {"icon\\icon_stop_rec.png", [] { return RecordMark(true); }},
        {"img_recorditem_up.png", [] { return ArrowButton(true); }},
        {"img_recorditem_down.png", [] { return ArrowButton(false); }},
        {"bk_prompt.png", PromptBackground},
        {"img_help.png", HelpMark},
        {"btn_reset.png", ResetMark},
        {"img_dpi_bar.png", DpiBar},
        {"img_area2.png", SliderPanel},
        {"img_btn_addvalue.png", [] { return StepButton(true); }},
        {"img_btn_subtract.png", [] { return StepButton(false); }},
        {"img_switch_btn_on.png", [] { return Switch(true); }},
        {"img_switch_btn_off.png", [] { return Switch(false); }},
    };
    return table;
}

bool WriteLoadingAnimation(const QString& folder) {
    // A ring of twelve bars whose brightness runs round once a second, round a small mouse.
    const QColor background(0x33, 0x33, 0x33);
    GifWriter gif(background, kAccent);
    constexpr int kFrames = 24;
    constexpr int kBars = 12;
    const QImage glyph = DrawMouseGlyph(30, WithAlpha(kText, 200));
    for (int f = 0; f < kFrames; ++f) {
        QImage frame(100, 100, QImage::Format_ARGB32_Premultiplied);
        frame.fill(background);
        QPainter p(&frame);
        Prepare(p);
        const QPointF c(50, 50);
        const qreal head = qreal(f) / kFrames * kBars;
        for (int i = 0; i < kBars; ++i) {
            qreal behind = head - i;
            while (behind < 0) {
                behind += kBars;
            }
            const qreal strength = std::max(0.18, 1.0 - behind / (kBars * 0.75));
            const qreal angle = 2 * M_PI * i / kBars - M_PI / 2;
            const QPointF dir(std::cos(angle), std::sin(angle));
            QColor colour = background;
            colour.setRedF(background.redF() + (kAccent.redF() - background.redF()) * strength);
            colour.setGreenF(background.greenF() +
                             (kAccent.greenF() - background.greenF()) * strength);
            colour.setBlueF(background.blueF() + (kAccent.blueF() - background.blueF()) * strength);
            p.setPen(QPen(colour, 5.0, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(c + dir * 26, c + dir * 38);
        }
        p.drawImage(QPointF(35, 35), glyph);
        p.end();
        gif.AddFrame(frame, 1000 / kFrames);
    }
    return gif.Save(QDir(folder).filePath(QStringLiteral("loading.gif")));
}

}  // namespace skins
