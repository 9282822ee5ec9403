#include "startup.h"

#include "windows/closa.h"
#include "windows/ffwmain.h"
#include "windows/programcontext.h"

#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

const char* const kWykazkiUsage =
    "Usage: wykazki [FILE.wkz]\n"
    "  Starts with the class file FILE.wkz, or with the sample class Przyklad.wkz\n"
    "  from the program folder when no file is given.\n";

namespace {

bool isSet(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

bool platformChosen(int argc, char** argv)
{
    if (isSet("QT_QPA_PLATFORM"))
        return true;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            return true;
    }
    return false;
}

// The guard's state: Qt's message handler is a plain function, so the
// messages it holds back cannot live in the guard.
struct HeldMessage {
    QtMsgType type;
    QString text;
};
std::vector<HeldMessage> heldMessages;
QtMessageHandler previousHandler = nullptr;

void holdOrFail(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type == QtFatalMsg) {
        std::fputs("wykazki: cannot open a window: the window system did not start "
                   "(check DISPLAY, WAYLAND_DISPLAY and QT_QPA_PLATFORM)\n",
                   stderr);
        std::_Exit(1);
    }
    heldMessages.push_back({type, text});
}

}  // namespace

bool wantsHelp(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0)
            return false;
        if (std::strcmp(argv[i], "-h") == 0 || std::strcmp(argv[i], "--help") == 0)
            return true;
    }
    return false;
}

std::string missingDisplay(int argc, char** argv)
{
    if (platformChosen(argc, argv) || isSet("DISPLAY") || isSet("WAYLAND_DISPLAY"))
        return {};
    return "wykazki: no display to open a window on (neither DISPLAY nor WAYLAND_DISPLAY is set)";
}

PlatformStartGuard::PlatformStartGuard()
{
    heldMessages.clear();
    previousHandler = qInstallMessageHandler(holdOrFail);
}

PlatformStartGuard::~PlatformStartGuard()
{
    release();
}

void PlatformStartGuard::release()
{
    if (!active_)
        return;
    active_ = false;
    qInstallMessageHandler(previousHandler);
    std::vector<HeldMessage> held;
    held.swap(heldMessages);
    const QMessageLogContext noContext;
    for (const HeldMessage& message : held)
        qt_message_output(message.type, noContext, message.text);
}

CommandLine parseCommandLine(const QStringList& arguments)
{
    CommandLine line;
    bool optionsEnded = false;
    QStringList files;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (!optionsEnded && argument == QLatin1String("--")) {
            optionsEnded = true;
        } else if (!optionsEnded && argument.startsWith(QLatin1Char('-')) && argument.size() > 1) {
            line.problem = QStringLiteral("unknown option '%1'").arg(argument);
            return line;
        } else {
            files << argument;
        }
    }
    if (files.size() > 1) {
        line.problem = QStringLiteral("one class file at a time (%1 were given)").arg(files.size());
        return line;
    }
    if (files.size() == 1) {
        QString name = files.front();
        if (name.startsWith(QLatin1String("file:"), Qt::CaseInsensitive))
            name = QUrl(name).toLocalFile();
        if (name.isEmpty()) {
            line.problem = QStringLiteral("'%1' names no file").arg(files.front());
            return line;
        }
        line.classFile = QFileInfo(name).absoluteFilePath();
    }
    return line;
}

void startProgram(ProgramContext& context, const CommandLine& commandLine)
{
    context.closa().setStartFile(commandLine.classFile);
    context.mainWindow().show();
    // The keyboard belongs to the program from the start, also where no
    // window manager hands it to a new window.
    context.mainWindow().activateWindow();
}
