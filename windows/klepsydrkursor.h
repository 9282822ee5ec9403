#pragma once
// The hourglass for a long operation: made at its start, it shows the wait
// cursor; released at its end, also when the operation fails, it puts the
// previous cursor back.

#include <QGuiApplication>

namespace wykazki {

class KlepsydrKursor {
public:
    KlepsydrKursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~KlepsydrKursor() { QGuiApplication::restoreOverrideCursor(); }

    KlepsydrKursor(const KlepsydrKursor&) = delete;
    KlepsydrKursor& operator=(const KlepsydrKursor&) = delete;
};

}  // namespace wykazki
