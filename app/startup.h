#pragma once
// The steps of starting the program that come before and around its
// windows: the command line (wykazki [FILE.wkz]) and the check for a
// display to open the windows on.

#include <QString>
#include <QStringList>

#include <memory>
#include <string>
#include <vector>

namespace wykazki {

class PendingClassFileLock;
class ProgramContext;

// What --help prints.
extern const char* const kWykazkiUsage;

// -h or --help anywhere on the command line: answered before anything else,
// so that it works without a display too.
bool wantsHelp(int argc, char** argv);

// One line saying why no window can be opened, or empty. Without a platform
// chosen (QT_QPA_PLATFORM or -platform) a window needs DISPLAY or
// WAYLAND_DISPLAY; with one chosen, Qt is left to try.
std::string missingDisplay(int argc, char** argv);

// Keeps Qt from aborting when its platform plugin cannot start (a DISPLAY
// naming no reachable server): while it lives, a fatal message from Qt
// prints one line and ends the program with status 1, and other messages
// are held back until release(), so a failed start says one thing only.
class PlatformStartGuard {
public:
    PlatformStartGuard();
    ~PlatformStartGuard();
    PlatformStartGuard(const PlatformStartGuard&) = delete;
    PlatformStartGuard& operator=(const PlatformStartGuard&) = delete;

    // The application object exists: Qt's messages go their usual way again,
    // the held-back ones first.
    void release();

private:
    bool active_ = true;
};

struct CommandLine {
    // Absolute, as the file system's bytes (a name need not be UTF-8);
    // empty: start with the sample class.
    std::string classFile;
    QString problem;  // a usage error, empty when the line is fine
};

// arguments as QCoreApplication::arguments() gives them (Qt's own options
// removed, the program's name first); rawArguments the command line's
// bytes as main() had them (argv), from which the file's own bytes are
// taken: Qt's decoding loses a byte that is not UTF-8. A "file:" URL, as
// some file managers pass, names its local file.
CommandLine parseCommandLine(const QStringList& arguments,
                             const std::vector<std::string>& rawArguments = {});

// Shows the main window, which opens the command line's class file, or the
// sample class from the program folder when none was given; lockAhead is
// that file's lock, tried meanwhile (none: the read tries it).
void startProgram(ProgramContext& context, const CommandLine& commandLine);
void startProgram(ProgramContext& context, const CommandLine& commandLine,
                  std::unique_ptr<PendingClassFileLock> lockAhead);

}  // namespace wykazki
