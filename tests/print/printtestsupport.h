#pragma once
// Shared helpers of the renderer tests: surfaces of a fixed resolution and
// small classes built in code.

#include "document/tdokumenty.h"
#include "document/tfra.h"
#include "document/topcje.h"

#include <QImage>

#include <string>

namespace wykazki {

// 254 dpi: exactly 10 pixels to the millimetre.
inline constexpr int kTestDpi = 254;

// A white image of the given size in pixels at dpi (set through its dots
// per metre, so the screen's resolution never counts).
QImage whiteSurface(int widthPx, int heightPx, int dpi = kTestDpi);

// A phrase definition on page `page` at x0, y0 with box Szer × Wys.
TFra phraseAt(PhraseKind kind, int x0Mm, float y0Mm, int widthMm = 0, int heightMm = 0,
              int page = 0);

// A class of the given phrases and one pupil whose values are all default
// records; set the values through pupils.value(0, j).
struct TestClass {
    TFrazy phrases;
    TDokumenty pupils;
    TOpcje options;

    std::size_t add(const TFra& phrase);  // index of the new phrase; every pupil gets a value
    explicit TestClass(std::size_t pupilCount = 1);
};

// Windows-1250 bytes from UTF-8 text (test data is written in UTF-8).
std::string cp(const char* utf8);

// The bounding box of the pixels that are not white inside `within`
// (the whole image when null); a null QRect when there are none.
QRect inkBounds(const QImage& image, QRect within = QRect());

}  // namespace wykazki
