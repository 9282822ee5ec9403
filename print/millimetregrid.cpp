#include "millimetregrid.h"

#include "units.h"

#include <QPainter>
#include <QPen>

namespace wykazki {

namespace {

const QColor kGrey50mm(128, 128, 128);
const QColor kGrey10mm(192, 192, 192);

// Positions of the grid lines along one direction of sizePx pixels.
template <typename DrawLine>
void forEachLine(int pixelsPerInch, int sizePx, double scale, DrawLine drawLine)
{
    if (sizePx < 1 || scale <= 0.0 || pixelsPerInch <= 0)
        return;  // no line would ever reach the edge
    for (int k = 1;; ++k) {
        const int atPx = static_cast<int>(mmToPixels(pixelsPerInch, 10.0 * k) * scale);
        if (atPx >= sizePx)
            break;
        drawLine(atPx, k % 5 == 0);
    }
}

}  // namespace

void drawMillimetreGrid(QPainter& painter, int widthPx, int heightPx, double scale)
{
    if (widthPx < 1 || heightPx < 1)
        return;
    const int dpi = surfacePixelsPerInch(*painter.device());
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    QPen pen;
    pen.setWidth(0);  // one device pixel
    auto usePen = [&](bool every50mm) {
        pen.setColor(every50mm ? kGrey50mm : kGrey10mm);
        painter.setPen(pen);
    };
    forEachLine(dpi, widthPx, scale, [&](int xPx, bool every50mm) {
        usePen(every50mm);
        painter.drawLine(xPx, 0, xPx, heightPx - 1);
    });
    forEachLine(dpi, heightPx, scale, [&](int yPx, bool every50mm) {
        usePen(every50mm);
        painter.drawLine(0, yPx, widthPx - 1, yPx);
    });
    painter.restore();
}

}  // namespace wykazki
