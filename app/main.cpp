// Wykazki: creates the application, the program context with its windows,
// shows the main window and runs the message loop until it closes.

#include "windows/ffwerr.h"
#include "windows/ffwmain.h"
#include "windows/programcontext.h"
#include "windows/qtdialogs.h"
#include "windows/wykazkiapplication.h"

#include "document/ekolmoerror.h"

#include <cstdio>
#include <memory>
#include <new>

int main(int argc, char** argv)
{
    WykazkiApplication app(argc, argv);
    try {
        ProgramContext context(ProgramContext::applicationFolder(), std::make_unique<QtDialogs>());
        app.setErrorReporter([&context](int code) { context.reportError(code); });
        context.mainWindow().show();
        app.exec();
        app.setErrorReporter(nullptr);
    } catch (const std::bad_alloc&) {
        std::fputs("out of memory\n", stderr);
        return 1;
    } catch (...) {
        // Starting failed before the windows existed, or while tearing them
        // down: a window of its own for the message.
        QtDialogs dialogs;
        Tffwerr errorWindow(dialogs);
        errorWindow.report(kBladNieznany);
    }
    return 0;
}
