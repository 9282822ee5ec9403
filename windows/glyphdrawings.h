#pragma once
// The toolbar glyphs' drawings by name ("ZAPISZ", "KONIEC", ...), each on a
// 32 x 32 design square.

#include <string_view>

class QPainter;

namespace wykazki {

using GlyphDrawing = void (*)(QPainter&);

// The drawing of that name, or nullptr.
GlyphDrawing glyphDrawing(std::string_view name);

}  // namespace wykazki
