// wkz: reads and writes class files with the program's own code, for
// scripts and administrators.

#include "calibrationcommand.h"
#include "checkcommand.h"
#include "classjson.h"
#include "commandline.h"
#include "gridtext.h"
#include "printcommand.h"
#include "sheetcommand.h"
#include "tablecommand.h"

#include "document/classfile.h"
#include "document/cp1250.h"
#include "document/ekolmoerror.h"
#include "document/formatting.h"
#include "document/grades.h"
#include "document/platformfile.h"
#include "qtbridge/classfilelock.h"

#include <algorithm>
#include <clocale>
#include <cstring>
#include <iostream>
#include <map>
#include <new>
#include <sstream>
#include <string>
#include <vector>

using namespace wykazki;

namespace {

const char* const kUsage =
    "Usage:\n"
    "  wkz info FILE                 a short summary of a class file\n"
    "  wkz dump FILE                 the whole class file as JSON on standard output\n"
    "  wkz build IN.json -o OUT.wkz  write a class file from JSON\n"
    "  wkz grid FILE                 the pupil grid as tab-separated text\n"
    "  wkz print FILE -o OUT.pdf [--page 1..4] [--pupils 1,3-5] [--pictures DIR]\n"
    "                                report cards as PDF (wkz print --help)\n"
    "  wkz table FILE -o OUT.pdf     the pupil grid as a printed table (wkz table --help)\n"
    "  wkz check FILE [--page 1..4] [--pupils 1,3-5]\n"
    "                                the check before printing (wkz check --help)\n"
    "  wkz calibration -o OUT.pdf [--left MM] [--top MM] [--sheet WxH]\n"
    "                                the calibration page as PDF (wkz calibration --help)\n"
    "  wkz import FILE SHEET -o OUT.wkz [--map \"PHRASE=HEADER;...\"] [--columns] [--replace]\n"
    "                                pupils from a spreadsheet (wkz import --help)\n"
    "  wkz export FILE -o OUT.xlsx|OUT.ods|OUT.csv [--columns]\n"
    "                                the class as a spreadsheet (wkz export --help)\n";

int usage(const std::string& problem)
{
    std::cerr << "wkz: " << problem << "\n" << kUsage;
    return kExitUsage;
}

// The commands that read one class file and write to standard output.
using Report = void (*)(const std::string& path, ClassFileContents&& c);

int runReport(const std::string& command, const std::vector<std::string>& args, Report report)
{
    // No options: whatever is given names the file.
    const CommandArguments given(args, {}, CommandArguments::OtherDashes::Positional);
    if (given.positional().size() != 1)
        return usage(command + " takes one class file");
    const std::string& path = given.positional().front();
    std::optional<ClassFileContents> contents = readClassReporting(path);
    if (!contents)
        return kExitError;
    report(path, std::move(*contents));
    return std::cout.flush() ? 0 : kExitError;
}

void printInfo(const std::string& path, ClassFileContents&& c)
{
    int kinds[3] = {0, 0, 0};
    int pages[4] = {0, 0, 0, 0};
    for (const TFra& f : c.phrases) {
        if (const auto kind = static_cast<std::size_t>(f.kind); kind < 3)
            ++kinds[kind];
        if (f.page >= 0 && f.page < 4)
            ++pages[f.page];
    }
    std::cout << "File:      " << path << "\n"
              << "Version:   " << int(c.version)
              << (c.version >= kLineSpacingVersion ? "" : " (without line-spacing correction)")
              << "\n"
              << "Elements:  " << c.phrases.count() << " (" << kinds[0] << " text, " << kinds[1]
              << " grade, " << kinds[2] << " picture)\n"
              << "Pages:     " << pages[0] << " / " << pages[1] << " / " << pages[2] << " / "
              << pages[3] << " elements on pages 1-4\n"
              << "Pupils:    " << c.pupils.count() << "\n"
              << "Sheet:     " << c.options.width << " x " << c.options.height << " mm, shifted "
              << c.options.left << " mm right and " << c.options.top << " mm down\n";
    const auto average = overallAverage(c.phrases, c.pupils);
    std::cout << "Average:   "
              << (average ? cp1250::toUtf8(formatNumber(*average, 2)) : std::string("none"))
              << "\n";
}

void printJson(const std::string&, ClassFileContents&& c)
{
    std::cout << classToJson(c);
}

void printGrid(const std::string&, ClassFileContents&& c)
{
    Document doc;
    doc.takeOver(std::move(c));
    std::cout << pupilGridAsText(doc);
}

int cmdBuild(const std::vector<std::string>& args)
{
    // Build takes no options but -o: "-h" or "--x" names the JSON file.
    const QCommandLineOption outputFile = outputOption();
    const CommandArguments given(args, {outputFile}, CommandArguments::OtherDashes::Positional);
    if (const auto extra = secondFile(given.positional()))
        return usage("build takes one JSON file, unexpected '" + *extra + "'");
    // An empty -o counts as none given, so only a name before another -o
    // is given twice.
    const std::vector<std::string> outputs = given.values(outputFile);
    if (!outputs.empty()
        && std::any_of(outputs.begin(), outputs.end() - 1,
                       [](const std::string& name) { return !name.empty(); }))
        return usage("-o given twice");
    if (given.missingValue())
        return usage("-o needs the name of the class file to write");
    const std::string input = firstFile(given.positional());
    const std::string output = outputs.empty() ? std::string() : outputs.back();
    if (input.empty())
        return usage("build needs a JSON file");
    if (output.empty())
        return usage("build needs -o OUT.wkz");
    if (!outputWritable("build", output))
        return kExitError;

    std::string json;
    switch (platformfile::readRegularFile(input, json)) {
    case platformfile::ReadResult::Ok: break;
    case platformfile::ReadResult::NotRegular:
        std::cerr << "wkz: " << input << " is not a regular file\n";
        return kExitError;
    case platformfile::ReadResult::Failed:
        std::cerr << "wkz: cannot read " << input << "\n";
        return kExitError;
    }
    ClassFileContents c;
    try {
        c = classFromJson(json);
    } catch (const JsonError& e) {
        std::cerr << "wkz: " << input << ": " << e.what() << "\n";
        return kExitError;
    }
    // A class open in the program is its to write; held while writing, so
    // that the program does not open it half-written meanwhile.
    ClassFileLock lock(output);
    if (lock.tryLock() == ClassFileLock::State::HeldElsewhere) {
        std::cerr << "wkz build: cannot replace " << output
                  << ": plik jest otwarty w programie Wykazki ("
                  << lock.holderText().toLocal8Bit().toStdString() << ")\n";
        return kExitError;
    }
    try {
        saveClassFileAt(output, c);
    } catch (const EKolmoError& e) {
        std::cerr << errorMessage(e.code()) << "\n";
        return kExitError;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    using Command = int (*)(const std::vector<std::string>&);
    const std::map<std::string, Command> commands = {
        {"info",
         [](const std::vector<std::string>& args) { return runReport("info", args, printInfo); }},
        {"dump",
         [](const std::vector<std::string>& args) { return runReport("dump", args, printJson); }},
        {"build", cmdBuild},
        {"grid",
         [](const std::vector<std::string>& args) { return runReport("grid", args, printGrid); }},
        {"print", runPrintCommand},
        {"table", runTableCommand},
        {"check", runCheckCommand},
        {"calibration", runCalibrationCommand},
        {"import", runImportCommand},
        {"export", runExportCommand},
    };
    // A write cut short by a file-size limit fails like any other, removes
    // its temporary file and keeps the old one.
    platformfile::ignoreFileSizeSignal();
    // Arguments are decoded with the locale's encoding, whatever it is.
    std::setlocale(LC_CTYPE, "");
    if (argc < 2)
        return usage("no command given");
    const std::string name = argv[1];
    if (name == "-h" || name == "--help") {
        std::cout << kUsage;
        return 0;
    }
    const auto it = commands.find(name);
    if (it == commands.end())
        return usage("unknown command '" + name + "'");
    try {
        return it->second(std::vector<std::string>(argv + 2, argv + argc));
    } catch (const std::bad_alloc&) {
        // Whatever ran out, the program's own message rather than an abort.
        std::cerr << errorMessage(ErrorCode::OutOfMemory) << "\n";
        return kExitError;
    }
}
