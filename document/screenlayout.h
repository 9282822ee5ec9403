#pragma once
// What a class file carries besides the document: the window rectangles and
// the appearance of the two grids. Plain data; the windows apply it.

#include "storagelimits.h"

#include <cstdint>
#include <string>
#include <vector>

namespace wykazki {

struct WindowRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    bool isNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    bool operator==(const WindowRect&) const = default;
};

// A grid's layout block. Widths and heights include the header column/row.
struct GridLayout {
    static constexpr std::size_t kMaxCount = 5000;  // grid columns or rows

    std::string fontName;
    std::int32_t fontSize = 8;
    std::uint8_t bold = 0;
    std::uint8_t italic = 0;
    std::uint8_t underline = 0;
    std::uint8_t strikeout = 0;
    std::uint32_t fontColor = 0;
    std::int32_t cellWidth = 100;          // DefaultSzerIo
    std::int32_t cellHeight = 14;          // DefaultWysIo
    std::uint32_t headerColor = 0xC0C0C0;  // InfoKolor
    std::uint32_t cellColor = 0x00FFFF;    // OczkoKolor
    std::uint8_t align = 0;                // DefaultJust
    std::vector<std::int32_t> columnWidths = {100, 100};
    std::vector<std::int32_t> rowHeights = {14, 14};

    bool operator==(const GridLayout&) const = default;
};

struct ScreenLayout {
    WindowRect main;
    WindowRect phraseEditor;
    WindowRect tablePrint;
    WindowRect preview;
    WindowRect printOptions;
    GridLayout pupilGrid;
    GridLayout phraseGrid;

    bool operator==(const ScreenLayout&) const = default;
};

}  // namespace wykazki
