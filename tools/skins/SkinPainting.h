#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>
#include <functional>

#include "views/peliskui/Theme.h"

// Small drawing helpers of the skin program.
namespace skins {

using PeliskUI::Theme::Argb;

// A transparent picture ready to paint on.
QImage NewImage(int width, int height);

// `states` frames of `width` x `height`, side by side, each drawn by `draw(painter, frame,
// state)` with the painter's origin at the frame's top left.
QImage Strip(int width, int height, int states,
             const std::function<void(QPainter&, const QRectF&, int)>& draw);

// A painter with anti-aliasing on.
void Prepare(QPainter& painter);

// A rounded rectangle with a vertical gradient fill and an optional outline.
void GradientPanel(QPainter& painter, const QRectF& rect, qreal radius, const QColor& top,
                   const QColor& bottom, const QColor& outline = QColor(),
                   qreal outlineWidth = 1.0);

// A soft glow: a blurred-looking halo made of concentric translucent shapes.
void Glow(QPainter& painter, const QPainterPath& shape, const QColor& colour, int spread);

// The colour with another alpha.
QColor WithAlpha(QColor colour, int alpha);

// Saves a picture under `folder` + `name` (a "\"-separated skin name), making folders.
bool SavePicture(const QImage& image, const QString& folder, const QString& name);

}  // namespace skins
