#include "wykazkiapplication.h"

#include "document/ekolmoerror.h"

#include <cstdio>
#include <cstdlib>
#include <new>

WykazkiApplication::WykazkiApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    // Only the name: a display name would be appended to every caption.
    setApplicationName(QStringLiteral("Wykazki"));
}

void WykazkiApplication::setErrorReporter(std::function<void(ErrorCode)> reporter)
{
    reporter_ = std::move(reporter);
}

bool WykazkiApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::bad_alloc&) {
        // The document lists could not grow: there is no safe way on.
        std::fprintf(stderr, "%s\n", errorMessage(ErrorCode::OutOfMemory));
        std::_Exit(1);
    } catch (const EKolmoError& e) {
        // A program error nobody caught closer to its source (a printer
        // failing mid-run): its own message.
        report(e.code());
    } catch (...) {
        reportUnexpected();
    }
    return false;
}

void WykazkiApplication::reportUnexpected()
{
    report(ErrorCode::Unknown);
}

void WykazkiApplication::report(ErrorCode code)
{
    if (reporting_)
        return;
    reporting_ = true;
    try {
        if (reporter_)
            reporter_(code);
        else
            std::fprintf(stderr, "%s\n", errorMessage(code));
    } catch (...) {
        // The error window itself failed; there is nobody left to tell.
    }
    reporting_ = false;
}
