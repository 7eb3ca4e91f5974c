#include "SkinPainting.h"

#include <QDir>
#include <QFileInfo>
#include <QLinearGradient>

namespace skins {

QImage NewImage(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void Prepare(QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::TextAntialiasing);
}

QImage Strip(int width, int height, int states,
             const std::function<void(QPainter&, const QRectF&, int)>& draw) {
    QImage image = NewImage(width * states, height);
    QPainter painter(&image);
    Prepare(painter);
    for (int state = 0; state < states; ++state) {
        painter.save();
        painter.translate(width * state, 0);
        painter.setClipRect(QRect(0, 0, width, height));
        draw(painter, QRectF(0, 0, width, height), state);
        painter.restore();
    }
    return image;
}

void GradientPanel(QPainter& painter, const QRectF& rect, qreal radius, const QColor& top,
                   const QColor& bottom, const QColor& outline, qreal outlineWidth) {
    painter.save();
    QLinearGradient fill(rect.topLeft(), rect.bottomLeft());
    fill.setColorAt(0, top);
    fill.setColorAt(1, bottom);
    const qreal inset = outline.isValid() ? outlineWidth / 2 : 0;
    painter.setPen(outline.isValid() ? QPen(outline, outlineWidth) : Qt::NoPen);
    painter.setBrush(fill);
    painter.drawRoundedRect(rect.adjusted(inset, inset, -inset, -inset), radius, radius);
    painter.restore();
}

void Glow(QPainter& painter, const QPainterPath& shape, const QColor& colour, int spread) {
    painter.save();
    painter.setBrush(Qt::NoBrush);
    for (int i = spread; i >= 1; --i) {
        QColor ring = colour;
        ring.setAlphaF(colour.alphaF() * (1.0 - qreal(i) / (spread + 1)) / spread * 2.2);
        painter.setPen(QPen(ring, i * 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPath(shape);
    }
    painter.restore();
}

QColor WithAlpha(QColor colour, int alpha) {
    colour.setAlpha(alpha);
    return colour;
}

bool SavePicture(const QImage& image, const QString& folder, const QString& name) {
    QString relative = name;
    relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QString path = QDir(folder).filePath(relative);
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        return false;
    }
    return image.save(path, "PNG");
}

}  // namespace skins
