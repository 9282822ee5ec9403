#pragma once
// The phrase editor's ten columns, apart from any widget: what each shows
// of a phrase, the number rule each column edits with, and how a pasted
// text is read into it. Texts are Windows-1250 bytes.

#include "tfra.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace wykazki {

enum PhraseEditorColumn : int {
    kColumnName = 0,         // "Nazwa frazy"
    kColumnKind = 1,         // "Rodzaj"
    kColumnX0 = 2,           // "x0"
    kColumnY0 = 3,           // "y0"
    kColumnWidth = 4,        // "Szer"
    kColumnHeight = 5,       // "Wys"
    kColumnAlignment = 6,    // "Poz"
    kColumnFont = 7,         // "Font/plik"
    kColumnLineSpacing = 8,  // "V-Korekta"
    kColumnPage = 9,         // "Strona"
    kPhraseEditorColumns = 10,
};

// The longest name typed into "Nazwa frazy".
inline constexpr std::size_t kPhraseNameLimit = 20;
// Highest page of the form (shown as 4).
inline constexpr std::int16_t kLastPage = 3;

// Row colours, 0x00BBGGRR.
inline constexpr std::uint32_t kGradeRowColor = 0xFFFF00;    // aqua
inline constexpr std::uint32_t kPictureRowColor = 0x00FF00;  // lime
inline constexpr std::uint32_t kEmptyNameColor = 0xFFFFFF;   // white under "???"

// Column widths when the window is made, in pixels.
inline constexpr int kPhraseColumnWidths[kPhraseEditorColumns] = {100, 50, 30, 30, 30,
                                                                  30,  30, 50, 50, 40};

const char* phraseColumnHeader(int column);

struct PhraseCellText {
    std::string text;
    std::optional<std::uint32_t> color;  // nothing: the grid's cell colour
};
// What column shows of phrase; a column outside 0..9 shows nothing.
PhraseCellText phraseCellText(const TFra& phrase, int column);

// The number rule of a number column: step, bounds, decimals.
struct NumberRule {
    double step;
    double lower;
    double upper;
    int decimals;
};
// Nothing for a column that is not a number column.
std::optional<NumberRule> phraseNumberRule(int column);
double phraseNumber(const TFra& phrase, int column);
// Stores an accepted value: integer fields take it truncated toward zero.
void setPhraseNumber(TFra& phrase, int column, double value);

// Whether Poz and V-Korekta mean anything for this phrase.
bool hasAlignment(const TFra& phrase);

// A whole number as pasted: leading blanks skipped, an optional sign, the
// digits up to the first other character (none give 0), clamped to
// lower..upper.
long readWholeNumber(std::string_view text, long lower, long upper);
// A decimal number with its sign, clamped to lower..upper, rounded.
double readSignedNumber(std::string_view text, double lower, double upper, int decimals);

// Reads a pasted text into the column of phrase. "Font/plik" takes
// nothing; a placeholder "........" in "Poz" leaves the alignment, so that
// a copied layout pastes back unchanged.
void pastePhraseCell(TFra& phrase, int column, std::string_view text);

}  // namespace wykazki
