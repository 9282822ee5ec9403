#pragma once
// The two texts owners put into a cell that has nothing to show.

#include "grid/tekstoczka.h"

namespace wykazki {

// "........": a missing row or missing data.
void markMissing(TTekstOczka& ato);
// "???" on white: an empty name or file name.
void markUnnamed(TTekstOczka& ato);

}  // namespace wykazki
