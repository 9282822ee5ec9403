#include "previewgeometry.h"

#include "print/units.h"

namespace wykazki {

namespace {

constexpr int kScreenMarginPx = 50;

}  // namespace

PreviewGeometry previewGeometry(int sheetWidthMm, int sheetHeightMm, int dpi, QSize screen)
{
    int widthPx = mmToPixels(dpi, sheetWidthMm);
    int heightPx = mmToPixels(dpi, sheetHeightMm);
    const int fullHeightPx = heightPx;
    if (widthPx <= 0 || heightPx <= 0)
        return {QSize(1, 1), 1.0};  // no sheet to speak of (a damaged class file)
    const double aspect = double(widthPx) / heightPx;

    if (widthPx > screen.width() - kScreenMarginPx) {
        widthPx = screen.width() - kScreenMarginPx;
        heightPx = static_cast<int>(widthPx / aspect);
    }
    if (heightPx > screen.height() - kScreenMarginPx) {
        heightPx = screen.height() - kScreenMarginPx;
        widthPx = static_cast<int>(aspect * heightPx);
    }
    // A screen smaller than its margin leaves no room; keep one pixel.
    if (widthPx < 1)
        widthPx = 1;
    if (heightPx < 1)
        heightPx = 1;
    return {QSize(widthPx, heightPx), double(heightPx) / fullHeightPx};
}

}  // namespace wykazki
