// Wykazki: creates the application, the program context with its windows,
// shows the main window and runs the message loop until it closes.

#include "starttrace.h"
#include "startup.h"

#include "windows/closa.h"
#include "windows/ffwerr.h"
#include "windows/ffwmain.h"
#include "windows/programcontext.h"
#include "windows/programfolder.h"
#include "windows/qtdialogs.h"
#include "windows/wykazkiapplication.h"

#include "document/ekolmoerror.h"
#include "document/platformfile.h"
#include "qtbridge/classfilelock.h"

#include <QFile>

#include <cstdio>
#include <memory>
#include <new>
#include <string>
#include <vector>

using namespace wykazki;

int main(int argc, char** argv)
{
    // A save cut short by a file-size limit fails with the program's
    // message and leaves the old file, instead of ending the program.
    platformfile::ignoreFileSizeSignal();
    if (wantsHelp(argc, argv)) {
        std::fputs(kWykazkiUsage, stdout);
        return 0;
    }
    // Qt would abort with a long story about platform plugins.
    if (const std::string problem = missingDisplay(argc, argv); !problem.empty()) {
        std::fprintf(stderr, "%s\n", problem.c_str());
        return 1;
    }
    starttrace::step("main");
    PlatformStartGuard platformGuard;
    WykazkiApplication app(argc, argv);
    platformGuard.release();
    starttrace::step("application");

    const CommandLine commandLine =
        parseCommandLine(app.arguments(), std::vector<std::string>(argv + 1, argv + argc));
    if (!commandLine.problem.isEmpty()) {
        std::fprintf(stderr, "wykazki: %s\n%s", QFile::encodeName(commandLine.problem).constData(),
                     kWykazkiUsage);
        return 2;
    }
    int status = 0;
    try {
        const std::string folder = programfolder::forRunningProgram();
        // Locking the file the start reads waits for the disk: it is done
        // while the windows are made.
        auto lockAhead = std::make_unique<PendingClassFileLock>(
            Tclosa::startPath(folder, commandLine.classFile));
        ProgramContext context(folder, std::make_unique<QtDialogs>());
        starttrace::step("windows");
        app.setErrorReporter([&context](ErrorCode code) { context.reportError(code); });
        starttrace::watchFirstFrame(context.mainWindow());
        startProgram(context, commandLine, std::move(lockAhead));
        starttrace::step("shown");
        status = app.exec();
        app.setErrorReporter(nullptr);
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "%s\n", errorMessage(ErrorCode::OutOfMemory));
        return 1;
    } catch (...) {
        // Starting failed before the windows existed, or while tearing them
        // down: a window of its own for the message.
        QtDialogs dialogs;
        Tffwerr errorWindow(dialogs);
        errorWindow.report(ErrorCode::Unknown);
    }
    return status;
}
