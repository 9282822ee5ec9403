#pragma once
// The preview's millimetre grid: a line every 10 mm, every 50 mm darker.

class QPainter;

namespace wykazki {

// Vertical lines from the top edge to heightPx at x = truncate(pixels(10·k mm)
// × scale), k = 1, 2, ... while x is inside widthPx, then horizontal lines
// the same way; pixels at the painter's device's pixels per inch. Lines at
// multiples of 50 mm are grey (128,128,128), the others light grey
// (192,192,192). Nothing is drawn in a direction whose size is below 1.
void drawMillimetreGrid(QPainter& painter, int widthPx, int heightPx, double scale);

}  // namespace wykazki
