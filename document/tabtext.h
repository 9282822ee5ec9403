#pragma once
// Tab-separated text as spreadsheets exchange it: how grid cells travel on
// the clipboard, into text files and out of `wkz grid`. A cell holding a
// line break, a TAB or a leading double quote is written in double quotes
// with inner quotes doubled and each line break as one LF; reading takes
// such a quoted field as one cell again. Works on bytes (Windows-1250 or
// UTF-8 alike: every byte that matters here is ASCII).

#include <functional>
#include <string>
#include <string_view>

namespace wykazki {

// Appends one cell as it travels, quoted when it must be.
void appendTabCell(std::string& text, std::string_view cell);

// Splits text into cells at TAB and line ends (LF, CR LF or CR) and calls
// deliver(i, j, cell) for each: i counts cells in a row, j rows. A quoted
// field is one cell, its line breaks turned into CR LF (the line end of
// stored texts); a field whose leading quote does not close it (as in
// "cytat" na początku) is taken as it stands. The text after the last TAB or line end is a cell too; an
// empty last line is none. A TAB right before a line end ends the row.
void walkTabText(std::string_view text,
                 const std::function<void(int i, int j, std::string& cell)>& deliver);

}  // namespace wykazki
