#include "startup.h"

#include "windows/closa.h"
#include "windows/ffwmain.h"
#include "windows/programcontext.h"

#include "qtbridge/classfilelock.h"

#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

namespace wykazki {

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

namespace {

// The bytes of a file named on the command line: the raw argument Qt
// decoded into name, or name's UTF-8 when none is found.
std::string argumentBytes(const QString& name, const std::vector<std::string>& rawArguments)
{
    for (const std::string& raw : rawArguments) {
        if (QFile::decodeName(QByteArray::fromStdString(raw)) == name)
            return raw;
    }
    return QFile::encodeName(name).toStdString();
}

// "file:///a/%B6.wkz" or "file://localhost/a/..": the local path's bytes,
// every %XX the byte it stands for.
std::string localFileOfUrl(const std::string& url)
{
    std::string rest = url.substr(5);
    if (rest.rfind("//", 0) == 0) {
        const std::size_t slash = rest.find('/', 2);
        if (slash == std::string::npos)
            return {};
        const std::string host = rest.substr(2, slash - 2);
        if (!host.empty() && host != "localhost")
            return {};
        rest = rest.substr(slash);
    }
    return QByteArray::fromPercentEncoding(QByteArray::fromStdString(rest)).toStdString();
}

}  // namespace

CommandLine parseCommandLine(const QStringList& arguments,
                             const std::vector<std::string>& rawArguments)
{
    CommandLine line;
    // The program takes no options of its own (--help is answered before
    // the application exists); anything after "--" is a file name.
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("FILE.wkz"), QStringLiteral("the class file"));
    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        const auto given =
            std::find_if(arguments.begin() + 1, arguments.end(), [](const QString& a) {
                return a.startsWith(QLatin1Char('-')) && a.size() > 1;
            });
        line.problem = QStringLiteral("unknown option '%1'")
                           .arg(given != arguments.end() ? *given
                                : unknown.isEmpty()      ? parser.errorText()
                                                         : unknown.front());
        return line;
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        line.problem = QStringLiteral("one class file at a time (%1 were given)").arg(files.size());
        return line;
    }
    if (files.size() == 1) {
        std::string name = argumentBytes(files.front(), rawArguments);
        if (files.front().startsWith(QLatin1String("file:"), Qt::CaseInsensitive))
            name = localFileOfUrl(name);
        if (name.empty()) {
            line.problem = QStringLiteral("'%1' names no file").arg(files.front());
            return line;
        }
        std::error_code ec;
        const std::filesystem::path absolute = std::filesystem::absolute(name, ec);
        line.classFile = ec ? name : absolute.native();
    }
    return line;
}

void startProgram(ProgramContext& context, const CommandLine& commandLine)
{
    startProgram(context, commandLine, nullptr);
}

void startProgram(ProgramContext& context, const CommandLine& commandLine,
                  std::unique_ptr<PendingClassFileLock> lockAhead)
{
    context.closa().setStartFile(commandLine.classFile, std::move(lockAhead));
    context.mainWindow().show();
    // The keyboard belongs to the program from the start, also where no
    // window manager hands it to a new window.
    context.mainWindow().activateWindow();
}

}  // namespace wykazki
