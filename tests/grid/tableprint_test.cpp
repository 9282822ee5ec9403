// Table printing: the page breaks, the titles, the pages a table takes,
// the headers on every page or the first only, texts kept inside their
// cells, and where a second table goes on a sheet that already holds one.

#include "grid/celledi.h"
#include "grid/cellpainter.h"
#include "grid/tableprint.h"
#include "handlerowner.h"

#include <QBuffer>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace wykazki {

namespace {

constexpr int kDpi = 96;  // device and screen alike: one device pixel per grid pixel

// An A4 PDF at 96 dpi with no margins, written into memory.
struct PdfSheet {
    QBuffer buffer;
    std::unique_ptr<QPdfWriter> writer;

    PdfSheet()
    {
        buffer.open(QIODevice::WriteOnly);
        writer = std::make_unique<QPdfWriter>(&buffer);
        writer->setResolution(kDpi);
        writer->setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    }
    int pages() const
    {
        return int(buffer.data().count("/Type /Page\n")) + int(buffer.data().count("/Type /Page "));
    }
};

class TablePrint : public ::testing::Test {
protected:
    TablePrint() { grid.setOwner(&owner); }

    // columns x rows data cells of the given sizes, header 50 x 14.
    void shape(int columns, int rows, int width, int height)
    {
        grid.setIlx(columns);
        grid.setIly(rows);
        grid.setDefaultSzerIo(width);
        grid.setDefaultWysIo(height);
    }
    int layOut(TablePrintOptions options = {}, int y = 0)
    {
        return PrzygotujWydruk(grid, *sheet.writer, y, options, kDpi);
    }
    int pageWidth() const { return sheet.writer->width(); }
    int pageHeight() const { return sheet.writer->height(); }
    int titleBlock() const
    {
        return 4 * QFontMetrics(scaledTableFont(grid, 1.0), sheet.writer.get()).height();
    }

    HandlerOwner owner;
    TCellEdi grid;
    PdfSheet sheet;
};

TEST_F(TablePrint, breaksAndPageCountsFollowThePageSize)
{
    struct Case {
        const char* name;
        int columns, rows;
        int widthDivisor;   // cell width = page width / divisor + 1
        int heightDivisor;  // cell height = page height / divisor
        bool leftHeaders;
        std::vector<int> columnBreaks, rowBreaks;
    };
    const std::vector<Case> cases = {
        {"one page", 3, 5, 4, 40, true, {1, 4}, {1, 6}},
        {"two across", 6, 5, 4, 40, true, {1, 4, 7}, {1, 6}},
        {"two across, no headers", 6, 5, 4, 40, false, {1, 4, 7}, {1, 6}},
        // Rows of a sixth of the page: five fit below the title block and
        // the header row, the sixth starts the second page row.
        {"three across, two down", 9, 8, 4, 6, true, {1, 4, 7, 10}, {1, 6, 9}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        shape(c.columns, c.rows, pageWidth() / c.widthDivisor + 1, pageHeight() / c.heightDivisor);
        TablePrintOptions options;
        options.leftHeaders = c.leftHeaders;
        const int pages = layOut(options);
        const GridPrintState& state = grid.printState();
        EXPECT_EQ(state.columnBreaks, c.columnBreaks);
        EXPECT_EQ(state.rowBreaks, c.rowBreaks);
        EXPECT_EQ(pages, int((c.columnBreaks.size() - 1) * (c.rowBreaks.size() - 1)));
    }
}

TEST_F(TablePrint, pagesRunDownFirstAndTitlesNameTheirPlace)
{
    shape(9, 8, pageWidth() / 4 + 1, pageHeight() / 6);
    ASSERT_EQ(layOut(), 6);
    const GridPrintState& state = grid.printState();
    EXPECT_EQ(pageTitle(state, 0, QStringLiteral("T")), QStringLiteral("T [x=1 : y=1]"));
    EXPECT_EQ(pageTitle(state, 1, QStringLiteral("T")), QStringLiteral("T [x=1 : y=2]"));
    EXPECT_EQ(pageTitle(state, 3, QStringLiteral("T")),
              QStringLiteral("T [x=2 : y=2]"));  // page column 1, page row 1

    shape(6, 5, pageWidth() / 4 + 1, 14);
    ASSERT_EQ(layOut(), 2);
    EXPECT_EQ(pageTitle(grid.printState(), 0, QStringLiteral("Kolmo'05")),
              QStringLiteral("Kolmo'05 [x=1 : y=1]"));
    EXPECT_EQ(pageTitle(grid.printState(), 1, QStringLiteral("Kolmo'05")),
              QStringLiteral("Kolmo'05 [x=2 : y=1]"));

    shape(2, 2, 50, 14);
    ASSERT_EQ(layOut(), 1);
    EXPECT_EQ(pageTitle(grid.printState(), 0, QStringLiteral("Kolmo'05")),
              QStringLiteral("Kolmo'05"));
}

TEST_F(TablePrint, moreThanAHundredPageColumnsIsRefused)
{
    shape(150, 1, pageWidth(), 14);
    EXPECT_EQ(layOut(), 0);
    shape(100, 1, pageWidth(), 14);
    EXPECT_EQ(layOut(), 100);
}

TEST_F(TablePrint, aCellWiderThanThePageGetsAPageOfItsOwnButNoEmptyPage)
{
    shape(3, 1, pageWidth() + 10, 14);
    layOut();
    EXPECT_EQ(grid.printState().columnBreaks, (std::vector<int>{1, 2, 3, 4}));
}

TEST_F(TablePrint, halfSizeHalvesTheFontAndTheCells)
{
    QFont font = grid.font();
    font.setPointSize(9);
    grid.setFont(font);
    EXPECT_EQ(scaledTableFont(grid, 0.5).pointSize(), 4);
    shape(6, 5, pageWidth() / 4 + 1, 14);
    TablePrintOptions half;
    half.scale = 0.5;
    EXPECT_EQ(layOut(half), 1);
    EXPECT_DOUBLE_EQ(grid.printState().factor, 0.5);

    // The printed rows are half as high: the header row and five rows.
    QPainter painter(sheet.writer.get());
    int y = 0;
    DrukujStrone(grid, painter, *sheet.writer, 0, QStringLiteral("T"), y);
    const int title = 4 * QFontMetrics(scaledTableFont(grid, 0.5), sheet.writer.get()).height();
    EXPECT_EQ(y, title + 6 * 7);
}

TEST_F(TablePrint, leftHeadersPrintOnlyOnTheFirstPageColumn)
{
    shape(6, 3, pageWidth() / 4 + 1, 14);
    std::vector<int> leftHeaderCalls;
    int page = 0;
    owner.OnLeftInfo = [&](TCellEdi&, int, TTekstOczka&) { leftHeaderCalls[std::size_t(page)]++; };
    ASSERT_EQ(layOut(), 2);
    leftHeaderCalls.assign(2, 0);
    QPainter painter(sheet.writer.get());
    for (page = 0; page < 2; ++page) {
        int y = 0;
        DrukujStrone(grid, painter, *sheet.writer, page, QStringLiteral("T"), y);
    }
    EXPECT_EQ(leftHeaderCalls, (std::vector<int>{3, 0}));
}

TEST_F(TablePrint, theFrameStaysOnThePage)
{
    // Two cells that reach the page's last pixel with the frame's closing
    // line fit one page; a pixel more takes a second one.
    struct Case {
        bool across;
        int slack;  // pixels the two cells leave on the page
        int pages;
    };
    for (const Case& c :
         {Case{true, 0, 1}, Case{true, -1, 2}, Case{false, 0, 1}, Case{false, -1, 2}}) {
        SCOPED_TRACE(testing::Message() << (c.across ? "across " : "down ") << c.slack);
        shape(2, 2, 10, 10);
        const int room = c.across ? pageWidth() - 2 : pageHeight() - 1 - titleBlock();
        const int first = room / 2;
        const int second = room - first - c.slack;
        if (c.across) {
            grid.setSzerIo(0, first);
            grid.setSzerIo(1, second);
        } else {
            grid.setWysIo(0, first);
            grid.setWysIo(1, second);
        }
        TablePrintOptions options;
        options.leftHeaders = false;
        options.topHeaders = false;
        EXPECT_EQ(layOut(options), c.pages);
    }
}

TEST_F(TablePrint, repeatedHeadersTakeTheirRoomOnEveryPage)
{
    // Four cells fill a page's width and five rows its height below the
    // title; the header takes the place of one wherever it is printed.
    shape(7, 9, (pageWidth() - 2) / 4, (pageHeight() - 1 - titleBlock()) / 5);
    struct Case {
        bool everyPage;
        std::vector<int> columnBreaks, rowBreaks;
    };
    for (const Case& c :
         {Case{false, {1, 4, 8}, {1, 5, 10}}, Case{true, {1, 4, 7, 8}, {1, 5, 9, 10}}}) {
        SCOPED_TRACE(c.everyPage);
        TablePrintOptions options;
        options.headersOnEveryPage = c.everyPage;
        const int pages = layOut(options);
        EXPECT_EQ(grid.printState().columnBreaks, c.columnBreaks);
        EXPECT_EQ(grid.printState().rowBreaks, c.rowBreaks);
        EXPECT_EQ(pages, int((c.columnBreaks.size() - 1) * (c.rowBreaks.size() - 1)));
    }
}

TEST_F(TablePrint, headersOpenEveryPageOrOnlyTheFirstPageColumnAndRow)
{
    // 6 columns x 8 rows: columns 1-3 and 4-6 across, rows 1-5 and 6-8 down.
    shape(6, 8, pageWidth() / 4 + 1, pageHeight() / 6);
    std::vector<int> leftHeaders;  // the rows whose header a page printed
    std::vector<int> topHeaders;   // the columns whose header a page printed
    owner.OnLeftInfo = [&](TCellEdi&, int row, TTekstOczka&) { leftHeaders.push_back(row); };
    owner.OnTopInfo = [&](TCellEdi&, int column, TTekstOczka&) { topHeaders.push_back(column); };
    const std::vector<int> rows1{0, 1, 2, 3, 4}, rows2{5, 6, 7}, columns1{0, 1, 2},
        columns2{3, 4, 5}, none;
    struct Page {
        std::vector<int> left, top;
    };
    struct Case {
        bool everyPage;
        std::vector<Page> pages;  // down first: (1,1), (1,2), (2,1), (2,2)
    };
    const std::vector<Case> cases = {
        {true, {{rows1, columns1}, {rows2, columns1}, {rows1, columns2}, {rows2, columns2}}},
        {false, {{rows1, columns1}, {rows2, none}, {none, columns2}, {none, none}}},
    };
    QPainter painter(sheet.writer.get());
    for (const Case& c : cases) {
        TablePrintOptions options;
        options.headersOnEveryPage = c.everyPage;
        ASSERT_EQ(layOut(options), 4);
        ASSERT_EQ(grid.printState().pageColumns, 2);
        for (std::size_t page = 0; page < c.pages.size(); ++page) {
            SCOPED_TRACE(testing::Message() << c.everyPage << " page " << page);
            leftHeaders.clear();
            topHeaders.clear();
            int y = 0;
            DrukujStrone(grid, painter, *sheet.writer, int(page), QStringLiteral("T"), y);
            EXPECT_EQ(leftHeaders, c.pages[page].left);
            EXPECT_EQ(topHeaders, c.pages[page].top);
        }
    }
}

TEST_F(TablePrint, aLongTextStaysInsideItsCell)
{
    // The cell sits in the middle of a white image; whatever its text and
    // alignment, nothing is drawn around it.
    struct Case {
        const char* name;
        std::string text;
        TJustTyp just;
    };
    const std::string longLine(80, 'W');
    const std::vector<Case> cases = {
        {"left", longLine, TJustTyp::Lewo},
        {"centred", longLine, TJustTyp::Centralnie},
        {"right", longLine, TJustTyp::Prawo},
        {"many lines", "W\r\nW\r\nW\r\nW\r\nW\r\nW\r\nW\r\nW", TJustTyp::Lewo},
    };
    const QRect cell(60, 20, 60, 14);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(12);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        owner.OnOczko = [&c](TCellEdi&, int, int, TTekstOczka& ato) {
            ato.tekst[0] = c.text;
            ato.just[0] = c.just;
        };
        QImage image(180, 60, QImage::Format_RGB32);
        image.setDotsPerMeterX(3780);
        image.setDotsPerMeterY(3780);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(QPen(Qt::black, 0));
        const QRect whole = image.rect();
        painter.setClipRect(whole);
        paintCell(grid, painter, 1, 1, cell, CellState{}, ColouringMode::BlackAndWhite,
                  PaintTarget::Printer);
        // The clip is the caller's again.
        EXPECT_EQ(painter.clipBoundingRect().toRect(), whole);
        painter.end();
        int inside = 0;
        int outside = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != qRgb(255, 255, 255))
                    ++(cell.contains(x, y) ? inside : outside);
        EXPECT_GT(inside, 0);
        EXPECT_EQ(outside, 0);
    }
}

TEST_F(TablePrint, aSecondTableContinuesBelowUnlessTheTitleNoLongerFits)
{
    shape(2, 3, 50, 20);
    QPainter painter(sheet.writer.get());
    const int h = QFontMetrics(scaledTableFont(grid, 1.0), sheet.writer.get()).height();

    ASSERT_EQ(layOut(), 1);
    int y = 0;
    DrukujStrone(grid, painter, *sheet.writer, 0, QStringLiteral("T"), y);
    const int first = y;
    EXPECT_EQ(first, 4 * h + 14 + 3 * 20);

    ASSERT_EQ(layOut({}, y), 1);
    DrukujStrone(grid, painter, *sheet.writer, 0, QStringLiteral("T"), y);
    EXPECT_EQ(y, 2 * first);

    // Fewer than four title heights left: a new sheet, the table at its top.
    y = pageHeight() - 4 * h + 1;
    ASSERT_EQ(layOut({}, y), 1);
    DrukujStrone(grid, painter, *sheet.writer, 0, QStringLiteral("T"), y);
    EXPECT_EQ(y, first);
    // A page outside the layout prints nothing.
    DrukujStrone(grid, painter, *sheet.writer, 1, QStringLiteral("T"), y);
    EXPECT_EQ(y, first);
    painter.end();
    EXPECT_EQ(sheet.pages(), 2);
}

}  // namespace

}  // namespace wykazki
