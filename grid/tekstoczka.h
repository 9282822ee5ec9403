#pragma once
// The cell-text record an owner fills for one cell or header while the grid
// paints it, plus the alignment and colour types the grid speaks.

#include <array>
#include <cstdint>
#include <string>

namespace wykazki {

// A colour laid out 0x00BBGGRR (red in the low byte).
using TKolor = std::uint32_t;

// Alignment of a cell part. Stored as one byte; a value outside the three
// named ones is drawn left-aligned.
enum class TJustTyp : std::uint8_t {
    Lewo = 0,
    Centralnie = 1,
    Prawo = 2,
};

struct TTekstOczka {
    static constexpr int kMostParts = 10;

    int ile = 1;                                  // parts side by side, 1..10
    std::array<TJustTyp, kMostParts> just{};      // alignment of each part
    std::array<std::string, kMostParts> tekst{};  // Windows-1250 text of each part
    std::uint8_t liniaLewa = 0;                   // black left edge pen width, 0 = none
    std::uint8_t liniaGorna = 0;                  // black top edge pen width, 0 = none
    TKolor kolor = 0xFFFFFF;                      // the cell's colour

    TTekstOczka() = default;
    // One part, every part aligned by jst, no edge lines, empty texts.
    TTekstOczka(TKolor kol, TJustTyp jst) : kolor(kol) { just.fill(jst); }

    // ile clamped into 1..10: owners never produce other values, but the
    // grid must not index outside the arrays if one did.
    int partCount() const { return ile < 1 ? 1 : (ile > kMostParts ? kMostParts : ile); }
};

}  // namespace wykazki
