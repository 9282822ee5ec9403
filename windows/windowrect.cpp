#include "windowrect.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace wykazki {

void applyWindowRect(QWidget& window, const WindowRect& rect)
{
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return;
    window.resize(width, height);
    // A position from another computer's screen could hide the window.
    const QPoint topLeft(rect.left, rect.top);
    if (QGuiApplication::screenAt(topLeft) != nullptr)
        window.move(topLeft);
}

WindowRect windowRectOf(const QWidget& window)
{
    const QPoint topLeft = window.pos();
    return {topLeft.x(), topLeft.y(), topLeft.x() + window.width(), topLeft.y() + window.height()};
}

void centreOn(QWidget& window, const QRect& area)
{
    QRect frame = window.frameGeometry();
    frame.moveCenter(area.center());
    window.move(frame.topLeft());
}

void centreOnPrimaryScreen(QWidget& window)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        centreOn(window, screen->availableGeometry());
}

}  // namespace wykazki
