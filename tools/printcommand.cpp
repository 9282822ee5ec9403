#include "printcommand.h"

#include "commandline.h"

#include "print/certificatepdf.h"
#include "print/printjob.h"

#include "document/cp1250.h"
#include "document/ekolmoerror.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>

#if defined(__GLIBC__)
#endif
#include <iostream>
#include <optional>

namespace wykazki {

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

struct PrintArguments {
    OutputCommandLine files;
    int page = 0;  // 0..3
    std::optional<std::vector<PupilRange>> pupils;
    std::optional<std::string> picturesFolder;
};

}  // namespace

int runPrintCommand(const std::vector<std::string>& args)
{
    const PageBuffers keepPageBuffers;
    PrintArguments a;
    std::optional<ClassFileContents> contents;
    std::vector<std::size_t> pupils;
    try {
        const QCommandLineOption page = valueOption("page");
        const QCommandLineOption pupilList = valueOption("pupils");
        const QCommandLineOption pictures = valueOption("pictures");
        a.files = parseOutputCommandLine("print", args, {page, pupilList, pictures},
                                         [&](const CommandArguments& given) {
                                             if (const auto value = given.value(page))
                                                 a.page = parsePage(*value);
                                             if (const auto value = given.value(pupilList))
                                                 a.pupils = parsePupilList(*value);
                                             if (const auto value = given.value(pictures))
                                                 a.picturesFolder = parsePicturesFolder(*value);
                                         });
        if (a.files.help) {
            std::cout << kPrintUsage;
            return 0;
        }
        contents = readClassReporting(a.files.input);
        if (!contents || !outputWritable("print", a.files.output))
            return kExitError;
        if (!sheetSizeUsable(contents->options)) {
            std::cerr << "wkz print: " << sheetSizeProblem(contents->options) << "\n";
            return kExitError;
        }
        if (contents->pupils.count() == 0) {
            std::cerr << "wkz print: " << a.files.input << " holds no pupils; nothing to print\n";
            return kExitError;
        }
        pupils = choosePupils(a.pupils, contents->pupils.count());
    } catch (const UsageError& e) {
        std::cerr << "wkz print: " << e.problem << "\n" << kPrintUsage;
        return kExitUsage;
    }

    return writeFileWithQt("print", QtApplicationKind::Gui, a.files.output, [&](QIODevice& out) {
        try {
            const std::vector<MissingPicture> missing = writeCertificatesPdf(
                out, CertificatePdfJob{contents->phrases, contents->pupils, contents->options,
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

}  // namespace wykazki
