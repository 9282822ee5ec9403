#pragma once
// The preview window's size and scale: the sheet at the screen's pixels
// per inch, shrunk to fit the screen with its proportions kept.

#include <QSize>

namespace wykazki {

struct PreviewGeometry {
    QSize clientSize;    // pixels of the preview's client area
    double scale = 1.0;  // client height / full sheet height; exactly 1.0 when it fits
};

// The sheet (millimetres) converted at dpi with the renderer's truncation;
// wider than the screen width − 50 it is narrowed to that, then taller than
// the screen height − 50 it is lowered to that, each time keeping the
// sheet's aspect. A sheet that converts to nothing gives a 1 × 1 client
// at scale 1.0.
PreviewGeometry previewGeometry(int sheetWidthMm, int sheetHeightMm, int dpi, QSize screen);

}  // namespace wykazki
