#pragma once
// A box on a drawing surface in device pixels, with the right and bottom
// edges exclusive, so width = rightPx − leftPx.

#include <QRect>

namespace wykazki {

struct PixelBox {
    int leftPx = 0;
    int topPx = 0;
    int rightPx = 0;
    int bottomPx = 0;

    int widthPx() const { return rightPx - leftPx; }
    int heightPx() const { return bottomPx - topPx; }
    bool isEmpty() const { return widthPx() <= 0 || heightPx() <= 0; }
    QRect rect() const { return QRect(leftPx, topPx, widthPx(), heightPx()); }

    bool operator==(const PixelBox&) const = default;
};

}  // namespace wykazki
