#pragma once
// The hourglass for a long operation: made at its start, it shows the wait
// cursor; released at its end, also when the operation fails, it puts the
// previous cursor back. While no window of the program is on the screen
// (the sample class read on the way to the first frame) there is nobody to
// show it to, and making the cursor would only delay that frame.

#include <QGuiApplication>
#include <QWindow>

#include <algorithm>

namespace wykazki {

class KlepsydrKursor {
public:
    KlepsydrKursor() : shown_(anyWindowOnScreen())
    {
        if (shown_)
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~KlepsydrKursor()
    {
        if (shown_)
            QGuiApplication::restoreOverrideCursor();
    }

    KlepsydrKursor(const KlepsydrKursor&) = delete;
    KlepsydrKursor& operator=(const KlepsydrKursor&) = delete;

private:
    static bool anyWindowOnScreen()
    {
        const QWindowList windows = QGuiApplication::topLevelWindows();
        return std::any_of(windows.cbegin(), windows.cend(),
                           [](const QWindow* window) { return window->isExposed(); });
    }

    bool shown_;
};

}  // namespace wykazki
