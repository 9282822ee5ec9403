#pragma once
// A trace of the start, for measuring it: with WYKAZKI_START_TRACE set, each
// step prints its wall-clock time (nanoseconds since the epoch, to compare
// with the moment a script launched the program) on standard error; set to
// "quit", the program ends once the main window's first frame is painted.

#include <QElapsedTimer>

class QWidget;

namespace wykazki {

namespace starttrace {

bool enabled();
void step(const char* what);
// Prints "first frame" when window is first painted; quits then if asked.
void watchFirstFrame(QWidget& window);

}  // namespace starttrace

}  // namespace wykazki
