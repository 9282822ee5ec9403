#pragma once
// "draw text box": a text drawn into a box with word break and the
// phrase's alignment; with a line-spacing correction (V-Korekta) the text is
// laid out line by line with the extra spacing between the lines.

#include "pixelbox.h"

#include <QString>

#include <vector>

class QFontMetrics;
class QPainter;

namespace wykazki {

struct TextLine {
    QString text;
    PixelBox box;  // the element's box with its top moved down to this line
};

// Qt::TextWordWrap | Qt::AlignTop plus the horizontal alignment.
int textBoxFlags(int alignment, bool hasWidth);

// The line-by-line layout used when lineSpacingMm is not 0: each line takes
// as many characters as fit on one line of the box, broken at the last
// blank; the next line's top is line height + extra lower, extra being the
// correction in pixels at pixelsPerInch (negative draws the lines closer).
// Lines wholly below the box are left out. Empty without a correction
// and for an empty box.
std::vector<TextLine> layoutTextLines(const QFontMetrics& metrics, int pixelsPerInch,
                                      const QString& text, const PixelBox& box, int flags,
                                      double lineSpacingMm);

// Draws with the painter's font and pen. Without a correction the whole
// text goes to Qt's formatted drawing, which wraps and clips to the box.
void drawTextBox(QPainter& painter, const QString& text, const PixelBox& box, int flags,
                 double lineSpacingMm);
// The same with the lines already laid out.
void drawTextLines(QPainter& painter, const std::vector<TextLine>& lines, int flags);

}  // namespace wykazki
