#include "printcommand.h"

#include "outputfile.h"

#include "print/certificatepdf.h"

#include "document/classfile.h"
#include "document/cp1250.h"
#include "document/ekolmoerror.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QSaveFile>

#include <charconv>
#include <filesystem>
#include <iostream>
#include <optional>
#include <set>
#include <system_error>
#include <utility>

namespace {

constexpr int kExitError = 1;
constexpr int kExitUsage = 2;

const char* const kPrintUsage =
    "Usage: wkz print FILE -o OUT.pdf [--page N] [--pupils LIST] [--pictures DIR]\n"
    "  FILE            the class file (.wkz)\n"
    "  -o OUT.pdf      the PDF to write: one page per pupil, the class's sheet size, 1200 dpi\n"
    "  --page N        the page of the form to print, 1 to 4 (default 1)\n"
    "  --pupils LIST   the pupils to print, numbered from 1 as the grid's column headers,\n"
    "                  e.g. 1,3-5, printed in the order given (default all pupils)\n"
    "  --pictures DIR  the folder picture files are looked up in (default the folder of wkz)\n"
    "Pictures that are missing, damaged, too large or outside that folder are named on\n"
    "standard error, one line each, and the cards are printed without them.\n";

// A pupil number or an inclusive range of them, from 1.
using PupilRange = std::pair<long, long>;

struct PrintArguments {
    std::string input;
    std::string output;
    int page = 0;  // 0..3
    std::optional<std::vector<PupilRange>> pupils;
    std::optional<std::string> picturesFolder;
    bool help = false;
};

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
        const std::string item = list.substr(from, comma == std::string::npos ? std::string::npos : comma - from);
        if (item.empty())
            throw UsageError{"--pupils: empty item in '" + list + "'"};
        const std::size_t dash = item.find('-');
        const auto first = parsePositive(std::string_view(item).substr(0, dash));
        const auto last = dash == std::string::npos ? first : parsePositive(std::string_view(item).substr(dash + 1));
        if (!first || !last)
            throw UsageError{"--pupils: '" + item + "' is neither a pupil number nor a range like 3-5"};
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

PrintArguments parseArguments(const std::vector<std::string>& args)
{
    PrintArguments a;
    bool pageGiven = false;
    auto valueOf = [&](std::size_t& i) -> const std::string& {
        if (i + 1 >= args.size())
            throw UsageError{args[i] + " needs a value"};
        return args[++i];
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "-h" || arg == "--help") {
            a.help = true;
        } else if (arg == "-o") {
            if (!a.output.empty())
                throw UsageError{"-o given twice"};
            a.output = valueOf(i);
            if (a.output.empty())
                throw UsageError{"-o needs the name of the PDF to write"};
        } else if (arg == "--page") {
            if (pageGiven)
                throw UsageError{"--page given twice"};
            pageGiven = true;
            const std::string& value = valueOf(i);
            const auto page = parsePositive(value);
            if (!page || *page < 1 || *page > 4)
                throw UsageError{"--page must be 1, 2, 3 or 4, not '" + value + "'"};
            a.page = static_cast<int>(*page) - 1;
        } else if (arg == "--pupils") {
            if (a.pupils)
                throw UsageError{"--pupils given twice"};
            a.pupils = parsePupilList(valueOf(i));
        } else if (arg == "--pictures") {
            if (a.picturesFolder)
                throw UsageError{"--pictures given twice"};
            const std::string& folder = valueOf(i);
            std::error_code ec;
            if (folder.empty() || !std::filesystem::is_directory(folder, ec))
                throw UsageError{"--pictures: '" + folder + "' is not a folder"};
            a.picturesFolder = folder.back() == '/' ? folder : folder + "/";
        } else if (arg.size() > 1 && arg[0] == '-') {
            throw UsageError{"unknown option '" + arg + "'"};
        } else if (a.input.empty()) {
            a.input = arg;
        } else {
            throw UsageError{"print takes one class file, unexpected '" + arg + "'"};
        }
    }
    if (a.help)
        return a;
    checkInputAndOutput("print", a.input, a.output);
    return a;
}

// Pupil numbers from 1 become indexes from 0, checked against the class.
std::vector<std::size_t> choosePupils(const std::optional<std::vector<PupilRange>>& ranges, std::size_t count)
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
            const long missing = static_cast<unsigned long>(first) > count ? first : static_cast<long>(count) + 1;
            throw UsageError{"--pupils: there is no pupil " + std::to_string(missing) + "; the class has " +
                             std::to_string(count) + (count == 1 ? " pupil" : " pupils")};
        }
        for (long n = first; n <= last; ++n) {
            if (!seen.insert(n).second)
                throw UsageError{"--pupils: pupil " + std::to_string(n) + " is listed twice"};
            indexes.push_back(static_cast<std::size_t>(n - 1));
        }
    }
    return indexes;
}

// Qt's own chatter about the environment (a missing runtime folder and the
// like) is not the tool's business; only its errors are passed on.
void quietMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::cerr << "wkz print: " << message.toStdString() << "\n";
}

std::string programFolder()
{
    return QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString() + "/";
}

}  // namespace

int runPrintCommand(const std::vector<std::string>& args)
{
    PrintArguments a;
    ClassFileContents contents;
    std::vector<std::size_t> pupils;
    try {
        a = parseArguments(args);
        if (a.help) {
            std::cout << kPrintUsage;
            return 0;
        }
        try {
            contents = readClassFileAt(a.input);
        } catch (const EKolmoError& e) {
            for (int code : readFailureCodes(e.code()))
                std::cerr << komunikatBledu(code) << "\n";
            return kExitError;
        }
        if (const auto problem = outputProblem(a.output)) {
            std::cerr << "wkz print: " << *problem << "\n";
            return kExitError;
        }
        if (!sheetSizeUsable(contents.opcje)) {
            std::cerr << "wkz print: the class's sheet of " << contents.opcje.width << " x " << contents.opcje.height
                      << " mm cannot be printed; width and height must lie within " << kNajmniejszyArkuszMm << ".."
                      << kNajwiekszyArkuszMm << " mm\n";
            return kExitError;
        }
        if (contents.dokumenty.count() == 0) {
            std::cerr << "wkz print: " << a.input << " holds no pupils; nothing to print\n";
            return kExitError;
        }
        pupils = choosePupils(a.pupils, contents.dokumenty.count());
    } catch (const UsageError& e) {
        std::cerr << "wkz print: " << e.problem << "\n" << kPrintUsage;
        return kExitUsage;
    }

    // Drawing text needs a GUI application, but never a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QtMessageHandler previousHandler = qInstallMessageHandler(quietMessages);
    int qtArgc = 1;
    char qtName[] = "wkz";
    char* qtArgv[] = {qtName, nullptr};
    QGuiApplication app(qtArgc, qtArgv);

    int status = 0;
    QSaveFile out(QFile::decodeName(QByteArray::fromStdString(a.output)));
    if (!out.open(QIODevice::WriteOnly)) {
        std::cerr << "wkz print: cannot write " << a.output << ": " << out.errorString().toStdString() << "\n";
        status = kExitError;
    } else {
        try {
            const std::vector<MissingPicture> missing = writeCertificatesPdf(
                out, CertificatePdfJob{contents.frazy, contents.dokumenty, contents.opcje, pupils, a.page,
                                       a.picturesFolder.value_or(programFolder())});
            for (const MissingPicture& m : missing)
                std::cerr << "wkz print: pupil " << m.pupil + 1 << ": picture " << cp1250::toUtf8(m.fileName)
                          << (m.damaged ? " is damaged or too large" : " is missing") << "; printed without it\n";
            if (!out.commit()) {
                std::cerr << "wkz print: cannot write " << a.output << ": " << out.errorString().toStdString()
                          << "\n";
                status = kExitError;
            }
        } catch (const EKolmoError& e) {
            std::cerr << komunikatBledu(e.code()) << "\n";
            status = kExitError;  // the unfinished file is discarded
        }
    }
    qInstallMessageHandler(previousHandler);
    return status;
}

int runPrintCommand(int argc, char** argv)
{
    return runPrintCommand(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc));
}
