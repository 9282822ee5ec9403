// Table printing: the page breaks, the titles, the pages a table takes and
// where a second table goes on a sheet that already holds one.

#include "grid/celledi.h"
#include "grid/tableprint.h"
#include "handlerowner.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

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
