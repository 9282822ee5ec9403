#pragma once
// Range text: how grid cells travel as tab-separated Windows-1250 text
// (clipboard and text files). One line per row ended by CR LF, TAB between
// cells, no header cells; a cell with line breaks travels quoted, as
// spreadsheets write it (document/tabtext.h).

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace wykazki {

// LibreOffice Calc's tab-separated clipboard form (UTF-8, quoted cells).
inline constexpr const char* kCalcTsvFormat = "application/x-libreoffice-tsvc";

// What a paste reads of the clipboard at most.
inline constexpr std::size_t kMaxPasteBytes = 1000000;

// Appends one cell and its TAB to the text being built.
void appendRangeCell(std::string& text, const std::string& cell);
// Ends a row: drops the one TAB the row's last cell left, adds CR LF.
void endRangeRow(std::string& text);

// How pasted rows and columns meet the grid's.
enum class PasteLayout { AsCopied, Transposed };

// Splits pasted bytes into cells (quoted fields as one cell, the text after
// the last TAB or line end as a cell too) and calls deliver(i, j, text) for
// every cell whose offsets lie below the limits; i counts the grid's
// columns, j its rows, so that Transposed delivers the n-th cell of a
// pasted line at row offset n.
void walkPastedText(std::string_view bytes, int columnLimit, int rowLimit,
                    const std::function<void(int i, int j, std::string& text)>& deliver,
                    PasteLayout layout = PasteLayout::AsCopied);

}  // namespace wykazki
