#pragma once
// How a grid's cells are coloured when painted, and what the table printing
// keeps in the grid between laying out a table and printing its pages.

#include <vector>

namespace wykazki {

enum class ColouringMode : int {
    BlackAndWhite = 0,  // black text on white
    AsOnScreen = 1,     // the cell's colour as background, the font's text colour
    TextOnly = 2,       // the cell's colour on the text, white background (saves ink)
};

struct GridPrintState {
    double scale = 1.0;
    bool leftHeaders = false;
    bool topHeaders = false;
    bool headersOnEveryPage = false;  // else only on the first page column / row
    ColouringMode colouring = ColouringMode::BlackAndWhite;
    // Device pixels per screen pixel of the last layout.
    double factor = 1.0;
    int pageColumns = 1;
    int pageRows = 1;
    // The first grid column (row) of every page column (row), then the end.
    std::vector<int> columnBreaks;
    std::vector<int> rowBreaks;
};

}  // namespace wykazki
