#pragma once

#include <QImage>

namespace skins {

// The top view of the mouse (260 x 370): two main buttons split by the wheel, a button above
// and one below the wheel, two side buttons on the left, a lit strip round the palm. The button
// callouts of the key page point at these places, in picture coordinates: left button (70, 50),
// right button (180, 20), wheel (136, 90), button above the wheel (136, 60), button below the
// wheel (136, 120), side buttons (10, 200) and (10, 285).
QImage DrawMousePicture();

// A small mouse glyph for icons, in one colour, fitting `side` x `side`.
QImage DrawMouseGlyph(int side, const QColor& colour);

}  // namespace skins
