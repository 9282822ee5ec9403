#include "tablecommand.h"

#include "outputfile.h"

#include "document/classfile.h"
#include "document/document.h"
#include "document/ekolmoerror.h"
#include "document/pupilgridtext.h"
#include "grid/celledi.h"
#include "grid/tableprint.h"

#include <QApplication>
#include <QByteArray>
#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <charconv>
#include <filesystem>
#include <iostream>

namespace {

constexpr int kExitError = 1;
constexpr int kExitUsage = 2;
// The PDF's resolution, and the screen the grid's pixel sizes are meant
// for: the sizes stored in a class file are those of a 96 dpi screen.
constexpr int kPdfDpi = 600;
constexpr int kScreenDpi = 96;
// A sheet outside these sizes is not a sheet: the table goes on A4.
constexpr int kMinSheetMm = 10;
constexpr int kMaxSheetMm = 2000;
// Like a printer's unprintable edge: the table keeps off the sheet's edge.
constexpr double kMarginMm = 10;

const char* const kTableUsage =
    "Usage: wkz table FILE -o OUT.pdf [--size PERCENT] [--colouring 0|1|2]\n"
    "                 [--no-left-headers] [--no-top-headers] [--title TEXT]\n"
    "  FILE               the class file (.wkz)\n"
    "  -o OUT.pdf         the PDF to write: the class's sheet size, 10 mm margins, 600 dpi\n"
    "  --size PERCENT     the table's size, 10 to 900 (default 100)\n"
    "  --colouring MODE   0 black and white (default), 1 as on screen,\n"
    "                     2 coloured text on white\n"
    "  --no-left-headers  leave out the phrase names\n"
    "  --no-top-headers   leave out the pupils' names\n"
    "  --title TEXT       the title above the table (default Kolmo'05)\n";

struct TableArguments {
    std::string input;
    std::string output;
    TablePrintOptions options;
    QString title = QStringLiteral("Kolmo'05");
    bool help = false;
};

int parseNumber(const std::string& option, const std::string& text, int low, int high)
{
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value < low || value > high)
        throw UsageError{option + " must be a whole number from " + std::to_string(low) + " to " +
                         std::to_string(high) + ", not '" + text + "'"};
    return value;
}

TableArguments parseArguments(const std::vector<std::string>& args)
{
    TableArguments a;
    bool sizeGiven = false, colouringGiven = false, titleGiven = false;
    auto valueOf = [&](std::size_t& i) -> const std::string& {
        if (i + 1 >= args.size())
            throw UsageError{args[i] + " needs a value"};
        return args[++i];
    };
    auto once = [](bool& given, const std::string& option) {
        if (given)
            throw UsageError{option + " given twice"};
        given = true;
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
        } else if (arg == "--size") {
            once(sizeGiven, arg);
            a.options.scale = parseNumber(arg, valueOf(i), 10, 900) / 100.0;
        } else if (arg == "--colouring") {
            once(colouringGiven, arg);
            a.options.colouring = static_cast<ColouringMode>(parseNumber(arg, valueOf(i), 0, 2));
        } else if (arg == "--title") {
            once(titleGiven, arg);
            a.title = QString::fromUtf8(valueOf(i));
        } else if (arg == "--no-left-headers") {
            a.options.leftHeaders = false;
        } else if (arg == "--no-top-headers") {
            a.options.topHeaders = false;
        } else if (arg.size() > 1 && arg[0] == '-') {
            throw UsageError{"unknown option '" + arg + "'"};
        } else if (a.input.empty()) {
            a.input = arg;
        } else {
            throw UsageError{"table takes one class file, unexpected '" + arg + "'"};
        }
    }
    if (a.help)
        return a;
    checkInputAndOutput("table", a.input, a.output);
    return a;
}

void quietMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::cerr << "wkz table: " << message.toStdString() << "\n";
}

// The pupil grid as the main window sets it up: the class's stored layout,
// then the grid-size rule, every text from the same rules as on screen.
void bindPupilGrid(TCellEdi& grid, const Document& doc)
{
    grid.setSzerInfo(100);
    grid.setIlx(1);
    grid.setIly(1);
    grid.zastosujUklad(doc.screen().pupilGrid);
    grid.setIlx(pupilGridColumns(doc));
    grid.setIly(pupilGridRows(doc));
    const auto fill = [](TTekstOczka& ato, PupilGridText&& cell) {
        ato.tekst[0] = std::move(cell.text);
        if (cell.color)
            ato.kolor = *cell.color;
    };
    grid.OnTopInfo = [&doc, fill](TCellEdi&, int poz, TTekstOczka& ato) {
        fill(ato, pupilGridColumnHeader(doc, poz));
    };
    grid.OnLeftInfo = [&doc, fill](TCellEdi&, int poz, TTekstOczka& ato) {
        fill(ato, pupilGridRowHeader(doc, poz, 0));
    };
    grid.OnOczko = [&doc, fill](TCellEdi&, int x, int y, TTekstOczka& ato) {
        fill(ato, pupilGridCell(doc, x, y));
    };
}

QPageLayout sheetOf(const TOpcje& opcje)
{
    const bool usable = opcje.width >= kMinSheetMm && opcje.width <= kMaxSheetMm && opcje.height >= kMinSheetMm &&
                        opcje.height <= kMaxSheetMm;
    const QPageSize size = usable ? QPageSize(QSizeF(opcje.width, opcje.height), QPageSize::Millimeter)
                                  : QPageSize(QPageSize::A4);
    return QPageLayout(size, QPageLayout::Portrait, QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                       QPageLayout::Millimeter);
}

}  // namespace

int runTableCommand(const std::vector<std::string>& args)
{
    TableArguments a;
    Document doc;
    try {
        a = parseArguments(args);
        if (a.help) {
            std::cout << kTableUsage;
            return 0;
        }
    } catch (const UsageError& e) {
        std::cerr << "wkz table: " << e.problem << "\n" << kTableUsage;
        return kExitUsage;
    }
    try {
        doc.takeOver(readClassFileAt(a.input));
    } catch (const EKolmoError& e) {
        for (int code : readFailureCodes(e.code()))
            std::cerr << komunikatBledu(code) << "\n";
        return kExitError;
    }
    if (const auto problem = outputProblem(a.output)) {
        std::cerr << "wkz table: " << *problem << "\n";
        return kExitError;
    }

    // The grid is a widget, but never needs a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QtMessageHandler previousHandler = qInstallMessageHandler(quietMessages);
    int qtArgc = 1;
    char qtName[] = "wkz";
    char* qtArgv[] = {qtName, nullptr};
    QApplication app(qtArgc, qtArgv);

    int status = 0;
    TCellEdi grid;
    bindPupilGrid(grid, doc);
    QSaveFile out(QFile::decodeName(QByteArray::fromStdString(a.output)));
    if (!out.open(QIODevice::WriteOnly)) {
        std::cerr << "wkz table: cannot write " << a.output << ": " << out.errorString().toStdString() << "\n";
        status = kExitError;
    } else {
        QPdfWriter pdf(&out);
        pdf.setResolution(kPdfDpi);
        pdf.setPageLayout(sheetOf(doc.opcje()));
        pdf.setTitle(a.title);
        pdf.setCreator(QStringLiteral("wkz"));
        const int pages = PrzygotujWydruk(grid, pdf, 0, a.options, kScreenDpi);
        if (pages == 0) {
            std::cerr << "wkz table: the table would take more than " << kMaxPageColumns
                      << " pages across or down; try a smaller --size\n";
            status = kExitError;  // the unfinished file is discarded
        } else {
            QPainter painter(&pdf);
            int y = 0;
            printTablePages(grid, painter, pdf, 0, pages - 1, a.title, y);
            painter.end();
            if (!out.commit()) {
                std::cerr << "wkz table: cannot write " << a.output << ": " << out.errorString().toStdString()
                          << "\n";
                status = kExitError;
            }
        }
    }
    qInstallMessageHandler(previousHandler);
    return status;
}
