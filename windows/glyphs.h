#pragma once
// Toolbar glyphs by name ("ZAPISZ", "KONIEC", ...), drawn at the size shown.

#include <QIcon>

class QAbstractButton;

namespace wykazki {

QIcon glyph(const char* name);
// A 32 x 32 tool button look: the glyph, the hint as tooltip, no text.
void setGlyph(QAbstractButton& button, const char* name, const QString& hint);

}  // namespace wykazki
