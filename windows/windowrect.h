#pragma once
// A sizeable window's rectangle as the class file carries it: applied after
// a read, taken before a save.

#include "document/screenlayout.h"

class QWidget;

// Resizes window to the stored rectangle and moves it there when that
// position lies on a screen of this computer; an empty rectangle changes
// nothing.
void applyWindowRect(QWidget& window, const WindowRect& rect);
// The frame's position with the client area's size: what applyWindowRect sets.
WindowRect windowRectOf(const QWidget& window);
