#include "printcommand.h"

#include "commandline.h"

#include "print/certificatepdf.h"

#include "document/cp1250.h"
#include "document/ekolmoerror.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>

#include <charconv>
#include <filesystem>
#include <iostream>
#include <optional>
#include <set>
#include <system_error>

namespace {

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
    OutputCommandLine files;
    int page = 0;  // 0..3
    std::optional<std::vector<PupilRange>> pupils;
    std::optional<std::string> picturesFolder;
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

// One option of wkz print; false for one it does not know.
bool takePrintOption(PrintArguments& a, const std::string& option, const OptionValue& valueOf)
{
    if (option == "--page") {
        const std::string& value = valueOf();
        const auto page = parsePositive(value);
        if (!page || *page < 1 || *page > 4)
            throw UsageError{"--page must be 1, 2, 3 or 4, not '" + value + "'"};
        a.page = static_cast<int>(*page) - 1;
        return true;
    }
    if (option == "--pupils") {
        a.pupils = parsePupilList(valueOf());
        return true;
    }
    if (option != "--pictures")
        return false;
    const std::string& folder = valueOf();
    std::error_code ec;
    if (folder.empty() || !std::filesystem::is_directory(folder, ec))
        throw UsageError{"--pictures: '" + folder + "' is not a folder"};
    a.picturesFolder = folder.back() == '/' ? folder : folder + "/";
    return true;
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

}  // namespace

int runPrintCommand(const std::vector<std::string>& args)
{
    PrintArguments a;
    std::optional<ClassFileContents> contents;
    std::vector<std::size_t> pupils;
    try {
        a.files = parseOutputCommandLine(
            "print", args, [&a](const std::string& option, const OptionValue& valueOf) {
                return takePrintOption(a, option, valueOf);
            });
        if (a.files.help) {
            std::cout << kPrintUsage;
            return 0;
        }
        contents = readClassReporting(a.files.input);
        if (!contents || !outputWritable("print", a.files.output))
            return kExitError;
        if (!sheetSizeUsable(contents->opcje)) {
            std::cerr << "wkz print: the class's sheet of " << contents->opcje.width << " x "
                      << contents->opcje.height
                      << " mm cannot be printed; width and height must lie within "
                      << kNajmniejszyArkuszMm << ".." << kNajwiekszyArkuszMm << " mm\n";
            return kExitError;
        }
        if (contents->dokumenty.count() == 0) {
            std::cerr << "wkz print: " << a.files.input << " holds no pupils; nothing to print\n";
            return kExitError;
        }
        pupils = choosePupils(a.pupils, contents->dokumenty.count());
    } catch (const UsageError& e) {
        std::cerr << "wkz print: " << e.problem << "\n" << kPrintUsage;
        return kExitUsage;
    }

    return writeFileWithQt("print", QtApplicationKind::Gui, a.files.output, [&](QIODevice& out) {
        try {
            const std::vector<MissingPicture> missing = writeCertificatesPdf(
                out, CertificatePdfJob{contents->frazy, contents->dokumenty, contents->opcje,
                                       pupils, a.page, a.picturesFolder.value_or(programFolder())});
            for (const MissingPicture& m : missing)
                std::cerr << "wkz print: pupil " << m.pupil + 1 << ": picture "
                          << cp1250::toUtf8(m.fileName)
                          << (m.damaged ? " is damaged or too large" : " is missing")
                          << "; printed without it\n";
            return true;
        } catch (const EKolmoError& e) {
            std::cerr << errorMessage(e.code()) << "\n";
            return false;
        }
    });
}

int runPrintCommand(int argc, char** argv)
{
    return runPrintCommand(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc));
}
