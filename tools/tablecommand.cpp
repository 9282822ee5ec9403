#include "tablecommand.h"

#include "commandline.h"

#include "document/document.h"
#include "document/pupilgridtext.h"
#include "grid/celledi.h"
#include "grid/tableprint.h"
#include "print/certificaterenderer.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <charconv>
#include <iostream>

namespace wykazki {

namespace {

// The PDF's resolution, and the screen the grid's pixel sizes are meant
// for: the sizes stored in a class file are those of a 96 dpi screen.
constexpr int kPdfDpi = 600;
constexpr int kScreenDpi = 96;

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
    OutputCommandLine files;
    TablePrintOptions options;
    QString title = QStringLiteral("Kolmo'05");
};

int parseNumber(const std::string& option, const std::string& text, int low, int high)
{
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value < low
        || value > high)
        throw UsageError{option + " must be a whole number from " + std::to_string(low) + " to "
                         + std::to_string(high) + ", not '" + text + "'"};
    return value;
}

// The pupil grid's texts, from the same rules as on screen.
class PupilGridTexts : public CellEdiOwner {
public:
    explicit PupilGridTexts(const Document& doc) : doc_(doc) {}

    CellEdiEvents boundEvents() const override
    {
        return CellEdiEvent::OnTopInfo | CellEdiEvent::OnLeftInfo | CellEdiEvent::OnOczko;
    }
    void columnHeader(TCellEdi&, int column, TTekstOczka& ato) const override
    {
        fill(ato, pupilGridColumnHeader(doc_, column));
    }
    void rowHeader(TCellEdi&, int row, TTekstOczka& ato) const override
    {
        fill(ato, pupilGridRowHeader(doc_, row, 0));
    }
    void cellText(TCellEdi&, int x, int y, TTekstOczka& ato) const override
    {
        fill(ato, pupilGridCell(doc_, x, y));
    }

private:
    static void fill(TTekstOczka& ato, PupilGridText&& cell)
    {
        ato.tekst[0] = std::move(cell.text);
        if (cell.color)
            ato.kolor = *cell.color;
    }

    const Document& doc_;
};

// The pupil grid as the main window sets it up: the class's stored layout,
// then the grid-size rule.
void shapePupilGrid(TCellEdi& grid, const Document& doc)
{
    grid.setSzerInfo(100);
    grid.setIlx(1);
    grid.setIly(1);
    grid.applyLayout(doc.screen().pupilGrid);
    grid.setIlx(pupilGridColumns(doc));
    grid.setIly(pupilGridRows(doc));
}

// The class's sheet, or A4 (with the printing's own message) when printing
// would refuse it; the table keeps 10 mm off every edge, like a printer's
// unprintable edge, or a quarter of a very small sheet.
QPageLayout sheetOf(const TOpcje& opcje)
{
    const bool usable = sheetSizeUsable(opcje);
    if (!usable)
        std::cerr << "wkz table: " << sheetSizeProblem(opcje) << "; tabela na arkuszu A4\n";
    const QPageSize size = usable
                               ? QPageSize(QSizeF(opcje.width, opcje.height), QPageSize::Millimeter)
                               : QPageSize(QPageSize::A4);
    const QSizeF sheetMm = size.size(QPageSize::Millimeter);
    const double marginMm = std::min(10.0, std::min(sheetMm.width(), sheetMm.height()) / 4);
    return QPageLayout(size, QPageLayout::Portrait,
                       QMarginsF(marginMm, marginMm, marginMm, marginMm), QPageLayout::Millimeter);
}

}  // namespace

int runTableCommand(const std::vector<std::string>& args)
{
    TableArguments a;
    const QCommandLineOption size = valueOption("size");
    const QCommandLineOption colouring = valueOption("colouring");
    const QCommandLineOption title = valueOption("title");
    const QCommandLineOption noLeftHeaders = flagOption("no-left-headers");
    const QCommandLineOption noTopHeaders = flagOption("no-top-headers");
    const auto readOptions = [&](const CommandArguments& given) {
        if (const auto value = given.value(size))
            a.options.scale = parseNumber("--size", *value, 10, 900) / 100.0;
        if (const auto value = given.value(colouring))
            a.options.colouring =
                static_cast<ColouringMode>(parseNumber("--colouring", *value, 0, 2));
        if (const auto value = given.value(title))
            a.title = decodeArgument(*value);
        a.options.leftHeaders = !given.isSet(noLeftHeaders);
        a.options.topHeaders = !given.isSet(noTopHeaders);
    };
    try {
        a.files = parseOutputCommandLine(
            "table", args, {size, colouring, title, noLeftHeaders, noTopHeaders}, readOptions);
        if (a.files.help) {
            std::cout << kTableUsage;
            return 0;
        }
    } catch (const UsageError& e) {
        std::cerr << "wkz table: " << e.problem << "\n" << kTableUsage;
        return kExitUsage;
    }
    std::optional<ClassFileContents> contents = readClassReporting(a.files.input);
    if (!contents || !outputWritable("table", a.files.output))
        return kExitError;
    Document doc;
    doc.takeOver(std::move(*contents));

    return writeFileWithQt(
        "table", QtApplicationKind::Widgets, a.files.output, [&](QIODevice& out) {
            PupilGridTexts texts(doc);
            TCellEdi grid;
            grid.setOwner(&texts);
            shapePupilGrid(grid, doc);
            QPdfWriter pdf(&out);
            pdf.setResolution(kPdfDpi);
            pdf.setPageLayout(sheetOf(doc.options()));
            pdf.setTitle(a.title);
            pdf.setCreator(QStringLiteral("wkz"));
            const int pages = PrzygotujWydruk(grid, pdf, 0, a.options, kScreenDpi);
            if (pages == 0) {
                std::cerr << "wkz table: the table would take more than " << kMaxPageColumns
                          << " pages across or down; try a smaller --size\n";
                return false;
            }
            QPainter painter(&pdf);
            int y = 0;
            printTablePages(grid, painter, pdf, 0, pages - 1, a.title, y);
            painter.end();
            return true;
        });
}

}  // namespace wykazki
