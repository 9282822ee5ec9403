#pragma once
// A sizeable window's rectangle as the class file carries it: applied after
// a read, taken before a save; and the centring of the program's small
// windows on the screen.

#include "document/screenlayout.h"

class QRect;
class QWidget;

namespace wykazki {

// Resizes window to the stored rectangle and moves it there when that
// position lies on a screen of this computer; an empty rectangle changes
// nothing.
void applyWindowRect(QWidget& window, const WindowRect& rect);
// The frame's position with the client area's size: what applyWindowRect sets.
WindowRect windowRectOf(const QWidget& window);

// Moves window so that its frame's centre is the centre of area.
void centreOn(QWidget& window, const QRect& area);
// Centres window on the primary screen's available area (without panels).
void centreOnPrimaryScreen(QWidget& window);

}  // namespace wykazki
