#pragma once
// What the pupil grid shows, apart from any widget: header and cell texts
// and colours for pupils as columns and phrases as rows, with the averages
// in the extra last column and row. Used by the main window and by wkz.

#include "document.h"

#include <cstdint>
#include <optional>
#include <string>

namespace wykazki {

// Cell colours, 0x00BBGGRR.
inline constexpr std::uint32_t kColorRed = 0x0000FF;
inline constexpr std::uint32_t kColorAqua = 0xFFFF00;
inline constexpr std::uint32_t kColorBlue = 0xFF0000;
inline constexpr std::uint32_t kColorLime = 0x00FF00;
inline constexpr std::uint32_t kColorWhite = 0xFFFFFF;

struct PupilGridText {
    std::string text;                    // Windows-1250
    std::optional<std::uint32_t> color;  // nothing: the grid's default
};

// The grid-size rule: P + 1 data columns (1 without pupils), F + 1 data rows
// (1 without phrases).
int pupilGridColumns(const Document& doc);
int pupilGridRows(const Document& doc);

PupilGridText pupilGridColumnHeader(const Document& doc, int x);
// Phrases printed on chosenPage (0..3) get a red header.
PupilGridText pupilGridRowHeader(const Document& doc, int y, int chosenPage);
PupilGridText pupilGridCell(const Document& doc, int x, int y);

}  // namespace wykazki
