#pragma once

#include <QRect>

namespace PeliskUI {

// A rectangle given by its edges, as the window and control calls take it: left, top, right,
// bottom, with right and bottom outside the rectangle.
struct MRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    QRect ToQRect() const { return QRect(left, top, Width(), Height()); }
    static MRect FromQRect(const QRect& r) {
        return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
    }
    bool operator==(const MRect&) const = default;
};

}  // namespace PeliskUI
