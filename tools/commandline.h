#pragma once
// What the commands of wkz share: exit statuses, reading the class file
// with the program's messages, the command line of the commands that write
// a file, and running Qt without a display for those that draw.

#include "document/document.h"

#include <QCommandLineOption>
#include <QList>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class QIODevice;
class QString;

namespace wykazki {

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

// A command's arguments as QCommandLineParser reads them, the bytes of
// every value and positional argument kept as given. Only the spellings of
// the command's options are options: "-o" for a name of one letter,
// "--page" for a longer one. The parser would also take "-page", "--o",
// "--page=2" and a lone "--"; wkz never has, so any other argument that
// starts with a dash (a lone "-" aside) reaches the parser as no option
// of ours: an unknown option, or with OtherDashes::Positional a positional
// argument, wherever it stands, and still the value of an option before it.
class CommandArguments {
public:
    enum class OtherDashes { UnknownOptions, Positional };
    CommandArguments(const std::vector<std::string>& args, const QList<QCommandLineOption>& options,
                     OtherDashes otherDashes = OtherDashes::UnknownOptions);

    // How many times the option was named, with or without its value.
    int count(const QCommandLineOption& option) const;
    bool isSet(const QCommandLineOption& option) const { return count(option) > 0; }
    // The values given to the option, in their order; the first of them.
    std::vector<std::string> values(const QCommandLineOption& option) const;
    std::optional<std::string> value(const QCommandLineOption& option) const;
    const std::vector<std::string>& positional() const { return positional_; }
    // Arguments in an option's place that name none of the options, as given.
    const std::vector<std::string>& unknownOptions() const { return unknown_; }
    // The option the last argument named without the value it takes.
    const std::optional<std::string>& missingValue() const { return missingValue_; }

    static std::string spelling(const QCommandLineOption& option);

private:
    struct Found {
        int count = 0;
        std::vector<std::string> values;
    };
    std::map<std::string, Found> found_;  // by spelling
    std::vector<std::string> positional_;
    std::vector<std::string> unknown_;
    std::optional<std::string> missingValue_;
};

// The command line of a command that reads one class file and writes one
// PDF: FILE -o OUT.pdf [-h|--help] and options of its own.
struct OutputCommandLine {
    std::string input;
    std::string output;
    bool help = false;
};
// Reads the command's options from what was given; throws UsageError for a
// value it cannot take.
using OptionReader = std::function<void(const CommandArguments& given)>;
// Throws UsageError for an unknown option, a second class file, an empty
// -o, a bad value (said by readOptions), an option with a value given twice
// (a flag may be repeated) or without it, and (unless help is asked for) a
// missing or identical class file or output.
OutputCommandLine parseOutputCommandLine(const std::string& command,
                                         const std::vector<std::string>& args,
                                         const QList<QCommandLineOption>& options,
                                         const OptionReader& readOptions);

// -h and --help; -o and its value.
QCommandLineOption helpOption();
QCommandLineOption outputOption();
// An option that takes a value, and one that takes none, by its name
// without dashes.
QCommandLineOption valueOption(const char* name);
QCommandLineOption flagOption(const char* name);

// The first positional argument that is not empty: empty ones before it
// are passed over, as wkz always has. Then the argument after it, if any.
std::string firstFile(const std::vector<std::string>& positional);
std::optional<std::string> secondFile(const std::vector<std::string>& positional);

// --page N: the page from 0; --pictures DIR: the folder ending with a
// separator. Throw UsageError.
int parsePage(const std::string& text);
std::string parsePicturesFolder(const std::string& folder);

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

}  // namespace wykazki
