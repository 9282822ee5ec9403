#pragma once
// The label a column header shows when its owner gives none.

#include <string>

namespace wykazki {

// Two characters for data column x: a space or the letter of x div 26
// (64 + q, taken as a byte), then the letter of x mod 26: " A" ... " Z",
// "AA" ... "AZ", "BA", ...
std::string columnLabel(int x);

}  // namespace wykazki
