#include "commandline.h"

#include "document/classfile.h"
#include "document/ekolmoerror.h"
#include "document/platformfile.h"

#include "qtbridge/cp1250text.h"

#include <QApplication>
#include <QBuffer>
#include <QByteArray>
#include <QCommandLineParser>
#include <QGuiApplication>

#include <QCoreApplication>
#include <QFile>

#include <algorithm>
#include <charconv>
#include <cstring>
#include <cwchar>
#include <filesystem>
#include <iostream>
#include <memory>
#include <set>
#include <system_error>

#include <langinfo.h>
#include <locale.h>

namespace wykazki {

std::optional<ClassFileContents> readClassReporting(const std::string& path)
{
    try {
        return readClassFileAt(path);
    } catch (const EKolmoError& e) {
        for (const ErrorCode code : readFailureCodes(e.code()))
            std::cerr << errorMessage(code) << "\n";
        return std::nullopt;
    }
}

const char* const kReadOnly = "plik jest tylko do odczytu";

std::optional<std::string> outputProblem(const std::string& path)
{
    std::error_code ec;
    const auto st = std::filesystem::status(path, ec);  // follows links
    if (ec || !std::filesystem::exists(st))
        return std::nullopt;  // missing; other failures show when writing
    if (std::filesystem::is_regular_file(st)) {
        // The write bits as ls shows them; the replacement checks again.
        using std::filesystem::perms;
        if ((st.permissions() & (perms::owner_write | perms::group_write | perms::others_write))
            == perms::none)
            return "cannot replace " + path + ": " + kReadOnly;
        return std::nullopt;
    }
    const char* what = std::filesystem::is_directory(st) ? "a folder" : "not a regular file";
    return path + " is " + what + "; refusing to replace it";
}

namespace {

// Uses C.UTF-8 for one thread's conversions while it lives.
class Utf8Conversions {
public:
    Utf8Conversions()
    {
        // The C locale of a bare environment (cron, scripts) knows only
        // ASCII: arguments there are taken as UTF-8, as Qt takes them.
        if (std::strcmp(nl_langinfo(CODESET), "ANSI_X3.4-1968") != 0)
            return;
        utf8_ = newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr);
        if (utf8_ != nullptr)
            previous_ = uselocale(utf8_);
    }
    ~Utf8Conversions()
    {
        if (utf8_ == nullptr)
            return;
        uselocale(previous_);
        freelocale(utf8_);
    }
    Utf8Conversions(const Utf8Conversions&) = delete;
    Utf8Conversions& operator=(const Utf8Conversions&) = delete;

private:
    locale_t utf8_ = nullptr;
    locale_t previous_ = nullptr;
};

}  // namespace

QString decodeArgument(std::string_view bytes)
{
    const Utf8Conversions asciiIsUtf8;
    QString text;
    std::mbstate_t state{};
    while (!bytes.empty()) {
        wchar_t c = 0;
        const std::size_t n = std::mbrtowc(&c, bytes.data(), bytes.size(), &state);
        if (n == 0 || n > bytes.size()) {
            // Not a character of the locale's encoding (or a zero byte): the
            // byte as the program's own code page has it.
            text += qstringFromCp1250(std::string(1, bytes.front()));
            state = std::mbstate_t{};
            bytes.remove_prefix(1);
            continue;
        }
        const auto code = static_cast<char32_t>(c);
        text += QString::fromUcs4(&code, 1);
        bytes.remove_prefix(n);
    }
    return text;
}

bool outputWritable(const std::string& command, const std::string& path)
{
    const auto problem = outputProblem(path);
    if (problem)
        std::cerr << "wkz " << command << ": " << *problem << "\n";
    return !problem;
}

void checkInputAndOutput(const std::string& command, const std::string& input,
                         const std::string& output)
{
    if (input.empty())
        throw UsageError{command + " needs a class file"};
    if (output.empty())
        throw UsageError{command + " needs -o OUT.pdf"};
    std::error_code ec;
    if (std::filesystem::equivalent(input, output, ec))
        throw UsageError{"-o names the class file itself"};
}

namespace {

// What marks an argument that is no option of ours, and stands for its '='
// (which the parser would split at): neither is a byte mapped one to one.
constexpr char16_t kNotAnOption = u'\uE000';
constexpr char16_t kEquals = u'\uE001';

std::string spellingOf(const QString& name)
{
    return (name.size() == 1 ? "-" : "--") + name.toStdString();
}

// An argument as the parser returns it, back to the bytes it was given as.
std::string bytesOf(QString text)
{
    if (text.startsWith(kNotAnOption))
        text.remove(0, 1);
    else if (text.size() > 1 && text[0] == u'-' && text[1] == kNotAnOption)
        text.remove(0, 2);
    text.replace(kEquals, u'=');
    const QByteArray bytes = text.toLatin1();
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

std::vector<std::string> bytesOf(const QStringList& texts)
{
    std::vector<std::string> bytes;
    for (const QString& text : texts)
        bytes.push_back(bytesOf(text));
    return bytes;
}

}  // namespace

CommandArguments::CommandArguments(const std::vector<std::string>& args,
                                   const QList<QCommandLineOption>& options,
                                   OtherDashes otherDashes)
{
    std::set<std::string> spellings;
    for (const QCommandLineOption& option : options)
        for (const QString& name : option.names())
            spellings.insert(spellingOf(name));
    // Each byte as the character of that code, so that every name reaches
    // the file system as given, whatever the locale makes of it.
    QStringList arguments{QStringLiteral("wkz")};
    for (const std::string& arg : args) {
        QString text = QString::fromLatin1(arg.data(), static_cast<qsizetype>(arg.size()));
        if (arg.size() > 1 && arg[0] == '-' && spellings.count(arg) == 0) {
            text.replace(u'=', kEquals);
            text.prepend(QChar(kNotAnOption));
            if (otherDashes == OtherDashes::UnknownOptions)
                text.prepend(u'-');
        }
        arguments.append(text);
    }
    QCommandLineParser parser;
    // Compacted short options would take "-ofile.pdf" for "-o file.pdf";
    // wkz has always refused it as an unknown option.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions(options);
    // The parser's own messages are English and name its own problems;
    // what went wrong is read from what it found instead.
    parser.parse(arguments);
    const QStringList named = parser.optionNames();
    for (const QCommandLineOption& option : options) {
        Found& found = found_[spelling(option)];
        for (const QString& name : option.names())
            found.count += static_cast<int>(named.count(name));
        found.values = bytesOf(parser.values(option));
        // The parser stops at the one option that lacks its value: the last
        // argument.
        if (!option.valueName().isEmpty()
            && found.values.size() < static_cast<std::size_t>(found.count))
            missingValue_ = spelling(option);
    }
    positional_ = bytesOf(parser.positionalArguments());
    for (const QString& name : parser.unknownOptionNames())
        unknown_.push_back(bytesOf(name));
}

int CommandArguments::count(const QCommandLineOption& option) const
{
    const auto it = found_.find(spelling(option));
    return it == found_.end() ? 0 : it->second.count;
}

std::vector<std::string> CommandArguments::values(const QCommandLineOption& option) const
{
    const auto it = found_.find(spelling(option));
    return it == found_.end() ? std::vector<std::string>() : it->second.values;
}

std::optional<std::string> CommandArguments::value(const QCommandLineOption& option) const
{
    std::vector<std::string> given = values(option);
    if (given.empty())
        return std::nullopt;
    return std::move(given.front());
}

std::string CommandArguments::spelling(const QCommandLineOption& option)
{
    return spellingOf(option.names().constFirst());
}

QCommandLineOption helpOption()
{
    return QCommandLineOption(QStringList{QStringLiteral("h"), QStringLiteral("help")});
}

QCommandLineOption outputOption()
{
    return valueOption("o");
}

QCommandLineOption valueOption(const char* name)
{
    return QCommandLineOption(QString::fromLatin1(name), QString(), QStringLiteral("VALUE"));
}

QCommandLineOption flagOption(const char* name)
{
    return QCommandLineOption(QString::fromLatin1(name));
}

std::string firstFile(const std::vector<std::string>& positional)
{
    const auto first = std::find_if(positional.begin(), positional.end(),
                                    [](const std::string& arg) { return !arg.empty(); });
    return first == positional.end() ? std::string() : *first;
}

std::optional<std::string> secondFile(const std::vector<std::string>& positional)
{
    auto first = std::find_if(positional.begin(), positional.end(),
                              [](const std::string& arg) { return !arg.empty(); });
    if (first == positional.end() || ++first == positional.end())
        return std::nullopt;
    return *first;
}

OutputCommandLine parseOutputCommandLine(const std::string& command,
                                         const std::vector<std::string>& args,
                                         const QList<QCommandLineOption>& options,
                                         const OptionReader& readOptions)
{
    const QCommandLineOption help = helpOption();
    const QCommandLineOption output = outputOption();
    const CommandArguments given(args, QList<QCommandLineOption>{help, output} + options);
    if (!given.unknownOptions().empty())
        throw UsageError{"unknown option '" + given.unknownOptions().front() + "'"};
    if (const auto extra = secondFile(given.positional()))
        throw UsageError{command + " takes one class file, unexpected '" + *extra + "'"};
    OutputCommandLine line;
    line.input = firstFile(given.positional());
    const std::optional<std::string> out = given.value(output);
    if (out && out->empty())
        throw UsageError{"-o needs the name of the PDF to write"};
    line.output = out.value_or(std::string());
    line.help = given.isSet(help);
    readOptions(given);
    for (const QCommandLineOption& option : QList<QCommandLineOption>{output} + options)
        if (!option.valueName().isEmpty() && given.count(option) > 1)
            throw UsageError{CommandArguments::spelling(option) + " given twice"};
    if (given.missingValue())
        throw UsageError{*given.missingValue() + " needs a value"};
    if (!line.help)
        checkInputAndOutput(command, line.input, line.output);
    return line;
}

int parsePage(const std::string& text)
{
    const auto page = parsePositive(text);
    if (!page || *page < 1 || *page > 4)
        throw UsageError{"--page must be 1, 2, 3 or 4, not '" + text + "'"};
    return static_cast<int>(*page) - 1;
}

std::string parsePicturesFolder(const std::string& folder)
{
    std::error_code ec;
    if (folder.empty() || !std::filesystem::is_directory(folder, ec))
        throw UsageError{"--pictures: '" + folder + "' is not a folder"};
    return folder.back() == '/' ? folder : folder + "/";
}

namespace {

// The command whose Qt messages are passed on; a message handler takes no
// context of its own.
std::string quietCommand;

void quietMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::cerr << "wkz " << quietCommand << ": " << message.toStdString() << "\n";
}

}  // namespace

std::optional<long> parsePositive(std::string_view text)
{
    long value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

std::vector<PupilRange> parsePupilList(const std::string& list)
{
    std::vector<PupilRange> ranges;
    std::size_t from = 0;
    for (;;) {
        const std::size_t comma = list.find(',', from);
        const std::string item =
            list.substr(from, comma == std::string::npos ? std::string::npos : comma - from);
        if (item.empty())
            throw UsageError{"--pupils: empty item in '" + list + "'"};
        const std::size_t dash = item.find('-');
        const auto first = parsePositive(std::string_view(item).substr(0, dash));
        const auto last = dash == std::string::npos
                              ? first
                              : parsePositive(std::string_view(item).substr(dash + 1));
        if (!first || !last)
            throw UsageError{"--pupils: '" + item
                             + "' is neither a pupil number nor a range like 3-5"};
        if (*first < 1 || *last < 1)
            throw UsageError{"--pupils: '" + item + "': pupils are numbered from 1"};
        if (*last < *first)
            throw UsageError{"--pupils: the range '" + item + "' runs backwards"};
        ranges.emplace_back(*first, *last);
        if (comma == std::string::npos)
            break;
        from = comma + 1;
    }
    return ranges;
}

// Pupil numbers from 1 become indexes from 0, checked against the class.
std::vector<std::size_t> choosePupils(const std::optional<std::vector<PupilRange>>& ranges,
                                      std::size_t count)
{
    std::vector<std::size_t> indexes;
    if (!ranges) {
        for (std::size_t i = 0; i < count; ++i)
            indexes.push_back(i);
        return indexes;
    }
    std::set<long> seen;
    for (const auto& [first, last] : *ranges) {
        if (static_cast<unsigned long>(last) > count) {
            const long missing =
                static_cast<unsigned long>(first) > count ? first : static_cast<long>(count) + 1;
            throw UsageError{"--pupils: there is no pupil " + std::to_string(missing)
                             + "; the class has " + std::to_string(count)
                             + (count == 1 ? " pupil" : " pupils")};
        }
        for (long n = first; n <= last; ++n) {
            if (!seen.insert(n).second)
                throw UsageError{"--pupils: pupil " + std::to_string(n) + " is listed twice"};
            indexes.push_back(static_cast<std::size_t>(n - 1));
        }
    }
    return indexes;
}

std::string programFolder()
{
    return QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString() + "/";
}

int runWithQt(const std::string& command, QtApplicationKind kind, const std::function<int()>& run)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    quietCommand = command;
    const QtMessageHandler previousHandler = qInstallMessageHandler(quietMessages);
    int qtArgc = 1;
    char qtName[] = "wkz";
    char* qtArgv[] = {qtName, nullptr};
    std::unique_ptr<QGuiApplication> app;
    if (kind == QtApplicationKind::Widgets)
        app = std::make_unique<QApplication>(qtArgc, qtArgv);
    else
        app = std::make_unique<QGuiApplication>(qtArgc, qtArgv);

    const int status = run();
    app.reset();
    qInstallMessageHandler(previousHandler);
    return status;
}

int writeFileWithQt(const std::string& command, QtApplicationKind kind, const std::string& output,
                    const std::function<bool(QIODevice& out)>& write)
{
    return runWithQt(command, kind, [&] {
        // Written whole in memory, then put in place as a class file is saved:
        // the name's bytes as given, an existing file's mode and group kept, a
        // read-only one refused, nothing left behind when the write fails.
        int status = 0;
        QByteArray bytes;
        QBuffer out(&bytes);
        out.open(QIODevice::WriteOnly);
        if (!write(out)) {
            status = kExitError;  // write said why; nothing is written
        } else {
            out.close();
            const std::string_view data(bytes.constData(), static_cast<std::size_t>(bytes.size()));
            switch (platformfile::replaceWritableFile(std::filesystem::path(output), data)) {
            case platformfile::ReplaceResult::Ok: break;
            case platformfile::ReplaceResult::ReadOnly:
                std::cerr << "wkz " << command << ": cannot replace " << output << ": " << kReadOnly
                          << "\n";
                status = kExitError;
                break;
            case platformfile::ReplaceResult::NotRegular:
                std::cerr << "wkz " << command << ": " << output
                          << " is not a regular file; refusing to replace it\n";
                status = kExitError;
                break;
            case platformfile::ReplaceResult::Failed:
                std::cerr << "wkz " << command << ": cannot write " << output << "\n";
                status = kExitError;
                break;
            }
        }
        return status;
    });
}

}  // namespace wykazki
