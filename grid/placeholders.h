#pragma once
// The two texts owners put into a cell that has nothing to show.

#include "grid/tekstoczka.h"

// "........": a missing row or missing data.
void wypelnijKropki(TTekstOczka& ato);
// "???" on white: an empty name or file.
void wypelnijPytajniki(TTekstOczka& ato);
