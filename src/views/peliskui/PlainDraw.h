#pragma once

#include <QColor>
#include <QRectF>

class QPainter;

// The plain look every control falls back to when its skin image is missing: the same shapes
// and colours as the skin images, drawn directly.
namespace PeliskUI::PlainDraw {

// A rounded rectangle filled with `fill`, with an optional 1-pixel outline.
void Panel(QPainter& painter, const QRectF& rect, const QColor& fill, qreal radius,
           const QColor& outline = QColor());

// A push button in state 0 normal, 1 hover, 2 pressed, 3 disabled. `accent` draws the filled
// accent button used for primary actions.
void Button(QPainter& painter, const QRectF& rect, int state, bool accent = false);

// An edit or list field; `focused` draws the accent outline.
void Field(QPainter& painter, const QRectF& rect, int state, bool focused);

// A chevron pointing down (or up) centred in `rect`.
void Chevron(QPainter& painter, const QRectF& rect, const QColor& color, bool up = false);

// A square check box and a round option box, checked or not, in a state as above.
void CheckBox(QPainter& painter, const QRectF& rect, bool checked, int state);
void RadioBox(QPainter& painter, const QRectF& rect, bool checked, int state);

// A thin vertical scroll bar: `position` 0...1 of the content shown, `fraction` of it visible.
void ScrollBar(QPainter& painter, const QRectF& track, qreal position, qreal fraction, bool hot);

}  // namespace PeliskUI::PlainDraw
