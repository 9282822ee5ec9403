#pragma once
// A phrase's font fields (name, size, colour, four style flags) as a Qt
// font and pen colour, and back. The surface's pixels per inch turn the
// point size into pixels when the font is used on a painter or measured.

#include <QColor>
#include <QFont>

#include <cstdint>
#include <string>

namespace wykazki {

struct TFra;

struct PhraseFont {
    QFont font;
    QColor color;
};

// The name (Windows-1250) is cut to kMaxFontNameBytes; a size below one point
// is drawn at one point, Qt having no font of size 0.
void setFontFromPhrase(PhraseFont& target, const std::string& name, int sizePt,
                       std::uint32_t colorref, bool bold, bool italic, bool underline,
                       bool strikeout);
// The font of a phrase, its size multiplied by scale and truncated when the
// scale is not 1.0 (the preview).
PhraseFont fontFromPhrase(const TFra& phrase, double scale = 1.0);

}  // namespace wykazki
