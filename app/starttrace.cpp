#include "starttrace.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

#include <chrono>
#include <cstdio>

namespace wykazki {

namespace starttrace {

namespace {

// The first paint of the window or any widget in it.
class FirstFrame : public QObject {
public:
    explicit FirstFrame(QWidget& window) : QObject(&window), window_(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Paint || !watched->isWidgetType())
            return false;
        auto* widget = static_cast<QWidget*>(watched);
        if (widget == &window_ || window_.isAncestorOf(widget)) {
            QCoreApplication::instance()->removeEventFilter(this);
            step("first frame");
            if (qgetenv("WYKAZKI_START_TRACE") == "quit")
                QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                                          Qt::QueuedConnection);
            deleteLater();
        }
        return false;
    }

private:
    QWidget& window_;
};

}  // namespace

bool enabled()
{
    static const bool on = qEnvironmentVariableIsSet("WYKAZKI_START_TRACE");
    return on;
}

void step(const char* what)
{
    if (!enabled())
        return;
    const auto now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                         std::chrono::system_clock::now().time_since_epoch())
                         .count();
    std::fprintf(stderr, "start %lld %s\n", static_cast<long long>(now), what);
}

void watchFirstFrame(QWidget& window)
{
    if (enabled())
        QCoreApplication::instance()->installEventFilter(new FirstFrame(window));
}

}  // namespace starttrace

}  // namespace wykazki
