#pragma once
// What the commands of wkz share: exit statuses, reading the class file
// with the program's messages, the command line of the commands that write
// a file, and running Qt without a display for those that draw.

#include "document/document.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class QIODevice;
class QString;

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
// behind a symbolic link) is never replaced by a file of ours, nor is a
// read-only one ("plik jest tylko do odczytu").
std::optional<std::string> outputProblem(const std::string& path);
// outputProblem, said on standard error as "wkz COMMAND: ..."; true when
// there is none.
bool outputWritable(const std::string& command, const std::string& path);

// An argument as text: decoded with the locale's encoding (setlocale must
// have been called); a byte that is no character of it is taken as the
// program's own code page (Windows-1250) has it, so nothing is lost.
QString decodeArgument(std::string_view bytes);

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

// A positive decimal number and nothing else.
std::optional<long> parsePositive(std::string_view text);

// A pupil number or an inclusive range of them, from 1.
using PupilRange = std::pair<long, long>;
// "1,3-5": throws UsageError naming --pupils for anything else.
std::vector<PupilRange> parsePupilList(const std::string& list);
// Pupil numbers from 1 become indexes from 0, in the order given, checked
// against the class (no pupil beyond it, none twice); all pupils without a
// list. Throws UsageError.
std::vector<std::size_t> choosePupils(const std::optional<std::vector<PupilRange>>& ranges,
                                      std::size_t count);

// The folder of wkz, ending with a separator: where pictures are looked up.
std::string programFolder();

// Which Qt application a command needs: drawing text takes a GUI
// application, the grid a widget one; neither needs a display.
enum class QtApplicationKind { Gui, Widgets };
// Runs write on a Qt application of that kind into a file saved at output
// (its name's bytes as given) only when write returns true and every byte
// is written; write says what went wrong itself. An existing output keeps
// its mode and group, a read-only one is refused, a new one follows the
// umask. Qt's own chatter about the environment is kept quiet;
// its errors go to standard error as "wkz COMMAND: ...". Returns the exit
// status.
// Runs run on a Qt application of that kind, without a display, Qt's own
// chatter kept quiet; returns what run returns.
int runWithQt(const std::string& command, QtApplicationKind kind, const std::function<int()>& run);

int writeFileWithQt(const std::string& command, QtApplicationKind kind, const std::string& output,
                    const std::function<bool(QIODevice& out)>& write);
