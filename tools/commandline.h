#pragma once
// What the commands of wkz share: exit statuses, reading the class file
// with the program's messages, the command line of the commands that write
// a file, and running Qt without a display for those that draw.

#include "document/document.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QIODevice;

inline constexpr int kExitError = 1;
inline constexpr int kExitUsage = 2;

// A command line wkz cannot follow: the command prints the problem and its
// usage and exits with the usage status.
struct UsageError {
    std::string problem;
};

// Reads a class file; on failure the program's messages go to standard
// error and nothing is returned.
std::optional<ClassFileContents> readClassReporting(const std::string& path);

// Why path must not be written, or nothing when it may: an output that
// exists and is not a regular file (a device, FIFO, folder or socket, also
// behind a symbolic link) is never replaced by a file of ours.
std::optional<std::string> outputProblem(const std::string& path);
// outputProblem, said on standard error as "wkz COMMAND: ..."; true when
// there is none.
bool outputWritable(const std::string& command, const std::string& path);

// The class file to read and the file to write were both given and are not
// the same file; throws UsageError naming the command otherwise.
void checkInputAndOutput(const std::string& command, const std::string& input,
                         const std::string& output);

// The command line of a command that reads one class file and writes one
// PDF: FILE -o OUT.pdf [-h|--help] and options of its own.
struct OutputCommandLine {
    std::string input;
    std::string output;
    bool help = false;
};
// The value of the option just seen: the next argument. Throws UsageError
// when there is none, and when the option was given a value before: an
// option with a value is taken once (a flag may be repeated).
using OptionValue = std::function<const std::string&()>;
// Takes one option of the command's own; false for an option it does not know.
using OptionHandler = std::function<bool(const std::string& option, const OptionValue& value)>;
// Throws UsageError for an unknown option, a second class file, an empty
// -o, and (unless help is asked for) a missing or identical
// class file or output.
OutputCommandLine parseOutputCommandLine(const std::string& command,
                                         const std::vector<std::string>& args,
                                         const OptionHandler& takeOption);

// Which Qt application a command needs: drawing text takes a GUI
// application, the grid a widget one; neither needs a display.
enum class QtApplicationKind { Gui, Widgets };
// Runs write on a Qt application of that kind into a file saved at output
// only when write returns true and every byte is written; write says what
// went wrong itself. Qt's own chatter about the environment is kept quiet;
// its errors go to standard error as "wkz COMMAND: ...". Returns the exit
// status.
int writeFileWithQt(const std::string& command, QtApplicationKind kind, const std::string& output,
                    const std::function<bool(QIODevice& out)>& write);
