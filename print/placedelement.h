#pragma once
// One phrase of a card page as it lands on a surface: its box in device
// pixels after every placement rule, and what is drawn there. Computed
// apart from painting so that the geometry can be checked on its own.

#include "phrasefont.h"
#include "pixelbox.h"
#include "textbox.h"

#include <QImage>
#include <QString>

#include <cstddef>
#include <vector>

namespace wykazki {

enum class ElementKind { Text, Picture };

struct PlacedElement {
    std::size_t phrase = 0;  // position in the phrase list
    ElementKind kind = ElementKind::Text;
    PixelBox box;

    // Text and grade phrases.
    QString text;
    PhraseFont font;              // size already scaled
    int flags = 0;                // textBoxFlags()
    double lineSpacingMm = 0.0;   // V-Korekta; 0 = Qt wraps the whole text
    std::vector<TextLine> lines;  // the line-by-line layout when lineSpacingMm != 0

    // Picture phrases: the shared image of the job's picture cache,
    // stretched into the box.
    QImage picture;
};

}  // namespace wykazki
