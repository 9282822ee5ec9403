#pragma once
// Whether a placed text fits its phrase's box on paper: measured with the
// fonts and wrapping rules the renderer draws with, on the surface it was
// placed for, and bounded by the box, so a huge text costs no more than
// one that just fills it.

#include "placedelement.h"

#include <QImage>
#include <QString>

class QPaintDevice;

namespace wykazki {

struct TFra;

enum class TextOverflow {
    None,
    TooTall,      // its lines need more height than the box (Wys > 0)
    WordTooWide,  // one word is wider than the box (Szer > 0)
};

struct TextFit {
    TextOverflow overflow = TextOverflow::None;
    QString word;  // the word too wide
};

TextFit measureTextFit(const QPaintDevice& device, const TFra& phrase, const PlacedElement& e);

// A surface that measures as the printed PDF does: no pixels, its
// resolution that of the print.
QImage measuringSurface(int dotsPerInch);

}  // namespace wykazki
