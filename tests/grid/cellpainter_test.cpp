// Cell painting: presets, default labels, colours, the parts split, edge
// lines, the corner's buttons, and the cell-change report, which comes
// whether or not the cell is painted and never from inside painting.

#include "gridfixture.h"

#include "grid/cellpainter.h"
#include "grid/columnlabel.h"
#include "grid/placeholders.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTest>

#include <string>

namespace wykazki {

namespace {

QFont testFont()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(10);
    return font;
}

QImage paintInto(TCellEdi& grid, int column, int row, QSize size, ColouringMode colouring,
                 PaintTarget target = PaintTarget::Printer, CellState state = {})
{
    QImage image(size, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    image.fill(Qt::magenta);
    QPainter painter(&image);
    painter.setFont(testFont());
    painter.setPen(Qt::black);
    paintCell(grid, painter, column, row, QRect(QPoint(0, 0), size), state, colouring, target);
    return image;
}

QRgb rgb(int r, int g, int b)
{
    return qRgb(r, g, b);
}

bool columnIs(const QImage& image, int x, QRgb colour)
{
    for (int y = 0; y < image.height(); ++y)
        if (image.pixel(x, y) != colour)
            return false;
    return true;
}

// Pixels of the image that are not the background colour, in a column range.
int inkIn(const QImage& image, int fromX, int toX, QRgb background)
{
    int ink = 0;
    for (int x = fromX; x <= toX; ++x)
        for (int y = 0; y < image.height(); ++y)
            if (image.pixel(x, y) != background)
                ++ink;
    return ink;
}

using CellPainting = GridFixture;

TEST(ColumnLabel, runsSpaceAToSpaceZThenTwoLetters)
{
    EXPECT_EQ(columnLabel(0), " A");
    EXPECT_EQ(columnLabel(25), " Z");
    EXPECT_EQ(columnLabel(26), "AA");
    EXPECT_EQ(columnLabel(51), "AZ");
    EXPECT_EQ(columnLabel(52), "BA");
    EXPECT_EQ(columnLabel(701), "ZZ");
    EXPECT_EQ(columnLabel(702), "[A");
}

TEST(Placeholders, fillTheFirstPart)
{
    TTekstOczka ato(0x00FFFF, TJustTyp::Prawo);
    markMissing(ato);
    EXPECT_EQ(ato.tekst[0], "........");
    EXPECT_EQ(ato.kolor, 0x00FFFFu);
    markUnnamed(ato);
    EXPECT_EQ(ato.tekst[0], "???");
    EXPECT_EQ(ato.kolor, 0xFFFFFFu);
}

TEST(TTekstOczkaRecord, constructorPresetsOnePartWithTheAlignment)
{
    const TTekstOczka ato(0xFFFFFF, TJustTyp::Centralnie);
    EXPECT_EQ(ato.ile, 1);
    for (const TJustTyp just : ato.just)
        EXPECT_EQ(just, TJustTyp::Centralnie);
    for (const std::string& text : ato.tekst)
        EXPECT_TRUE(text.empty());
    EXPECT_EQ(ato.liniaLewa, 0);
    EXPECT_EQ(ato.liniaGorna, 0);
    EXPECT_EQ(ato.kolor, 0xFFFFFFu);
}

TEST_F(CellPainting, defaultHeaderLabelsAreCentredLettersAndRowNumbers)
{
    // Without OnTopInfo/OnLeftInfo the headers look exactly as an owner
    // giving the label centred would make them.
    const QSize size(60, 14);
    const QImage columnAA = paintInto(grid(), 27, 0, size, ColouringMode::AsOnScreen);
    const QImage row1 = paintInto(grid(), 0, 1, size, ColouringMode::AsOnScreen);
    TJustTyp just = TJustTyp::Centralnie;
    owner().OnTopInfo = [&](TCellEdi&, int poz, TTekstOczka& ato) {
        EXPECT_EQ(poz, 26);
        ato.tekst[0] = "AA";
        ato.just[0] = just;
    };
    owner().OnLeftInfo = [&](TCellEdi&, int poz, TTekstOczka& ato) {
        EXPECT_EQ(poz, 0);
        ato.tekst[0] = "1";
        ato.just[0] = just;
    };
    EXPECT_EQ(paintInto(grid(), 27, 0, size, ColouringMode::AsOnScreen), columnAA);
    EXPECT_EQ(paintInto(grid(), 0, 1, size, ColouringMode::AsOnScreen), row1);
    just = TJustTyp::Lewo;
    EXPECT_NE(paintInto(grid(), 27, 0, size, ColouringMode::AsOnScreen), columnAA);
    EXPECT_NE(paintInto(grid(), 0, 1, size, ColouringMode::AsOnScreen), row1);
}

TEST_F(CellPainting, headersArePresetWithInfoKolorAndCellsWithOczkoKolor)
{
    grid().setInfoKolor(0x0000FF);
    grid().setOczkoKolor(0x00FF00);
    TKolor seenHeader = 0;
    TKolor seenCell = 0;
    owner().OnTopInfo = [&](TCellEdi&, int, TTekstOczka& ato) { seenHeader = ato.kolor; };
    owner().OnOczko = [&](TCellEdi&, int, int, TTekstOczka& ato) { seenCell = ato.kolor; };
    const QImage header = paintInto(grid(), 1, 0, {20, 10}, ColouringMode::AsOnScreen);
    const QImage cell = paintInto(grid(), 1, 1, {20, 10}, ColouringMode::AsOnScreen);
    EXPECT_EQ(seenHeader, 0x0000FFu);
    EXPECT_EQ(seenCell, 0x00FF00u);
    EXPECT_EQ(header.pixel(0, 0), rgb(255, 0, 0));
    EXPECT_EQ(cell.pixel(0, 0), rgb(0, 255, 0));
}

class PartsSplit : public GridFixture, public ::testing::WithParamInterface<PaintTarget> {};

TEST_P(PartsSplit, sideBySideAndTheRemainderBelongsToNoPart)
{
    const PaintTarget target = GetParam();
    owner().OnOczko = [](TCellEdi&, int, int, TTekstOczka& ato) { ato.ile = 3; };
    const QRgb yellow = rgb(255, 255, 0);
    const QImage plain = paintInto(grid(), 1, 1, {100, 14}, ColouringMode::AsOnScreen, target);
    EXPECT_TRUE(columnIs(plain, 33, rgb(0, 0, 0)));
    EXPECT_TRUE(columnIs(plain, 66, rgb(0, 0, 0)));
    for (int x : {0, 32, 34, 65, 67, 98, 99})
        EXPECT_TRUE(columnIs(plain, x, yellow)) << x;

    // Long right-aligned texts fill each part up to 2 pixels before its
    // edge: the last part ends at 33 * 3 - 2, leaving columns 97..99 bare.
    owner().OnOczko = [](TCellEdi&, int, int, TTekstOczka& ato) {
        ato.ile = 3;
        for (int i = 0; i < 3; ++i) {
            ato.tekst[std::size_t(i)] = "WWWWWWWWWWWW";
            ato.just[std::size_t(i)] = TJustTyp::Prawo;
        }
    };
    const QImage texts = paintInto(grid(), 1, 1, {100, 14}, ColouringMode::AsOnScreen, target);
    for (int part = 0; part < 3; ++part) {
        const int left = part * 33;
        EXPECT_EQ(inkIn(texts, left + 31, left + 32, yellow), 0) << part;
        EXPECT_GT(inkIn(texts, left + 26, left + 30, yellow), 0) << part;
        EXPECT_EQ(inkIn(texts, left + 1, left + 1, yellow), 0) << part;
    }
    EXPECT_EQ(inkIn(texts, 97, 99, yellow), 0);
}

// The screen draws laid-out texts from a cache, printing draws them
// afresh; both must clip to the same part rectangles.
INSTANTIATE_TEST_SUITE_P(ScreenAndPrinter, PartsSplit,
                         ::testing::Values(PaintTarget::Screen, PaintTarget::Printer));

TEST_F(CellPainting, lineBreaksStartNewLinesOnScreenAndPrinter)
{
    std::string text = "W";
    owner().OnOczko = [&](TCellEdi&, int, int, TTekstOczka& ato) { ato.tekst[0] = text; };
    const QRgb yellow = rgb(255, 255, 0);
    const auto inkBelow = [&](const QImage& image, int fromY) {
        int ink = 0;
        for (int y = fromY; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                ink += image.pixel(x, y) != yellow;
        return ink;
    };
    for (const PaintTarget target : {PaintTarget::Screen, PaintTarget::Printer}) {
        text = "W";
        EXPECT_EQ(
            inkBelow(paintInto(grid(), 1, 1, {40, 40}, ColouringMode::AsOnScreen, target), 16), 0);
        for (const char* broken : {"W\r\nW", "W\nW", "W\rW"}) {
            text = broken;
            EXPECT_GT(
                inkBelow(paintInto(grid(), 1, 1, {40, 40}, ColouringMode::AsOnScreen, target), 16),
                0)
                << int(target);
        }
    }
}

TEST_F(CellPainting, screenTextsAreNeverReadAsMarkup)
{
    std::string text;
    owner().OnOczko = [&](TCellEdi&, int, int, TTekstOczka& ato) { ato.tekst[0] = text; };
    text = "<b>x</b>";
    const QImage markup =
        paintInto(grid(), 1, 1, {80, 14}, ColouringMode::AsOnScreen, PaintTarget::Screen);
    text = "x";
    const QImage plain =
        paintInto(grid(), 1, 1, {80, 14}, ColouringMode::AsOnScreen, PaintTarget::Screen);
    const QRgb yellow = rgb(255, 255, 0);
    EXPECT_GT(inkIn(markup, 20, 79, yellow), 0);  // the tags show as characters
    EXPECT_EQ(inkIn(plain, 20, 79, yellow), 0);
}

TEST_F(CellPainting, textOnlyColouringPrintsPlainCellsBlackOnWhite)
{
    TKolor kolor = 0;
    owner().OnOczko = [&](TCellEdi&, int, int, TTekstOczka& ato) {
        ato.tekst[0] = "WWWW";
        ato.kolor = kolor;
    };
    const auto onlyGreysAndWhite = [](const QImage& image) {
        bool anyInk = false;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.red() != c.green() || c.green() != c.blue())
                    return false;
                anyInk = anyInk || c.red() < 128;
            }
        return anyInk;
    };
    for (const TKolor plain : {grid().OczkoKolor(), grid().InfoKolor(), TKolor(0xFFFFFF)}) {
        kolor = plain;
        const QImage image = paintInto(grid(), 1, 1, {40, 14}, ColouringMode::TextOnly);
        EXPECT_TRUE(onlyGreysAndWhite(image)) << std::hex << plain;
        EXPECT_EQ(image.pixel(39, 13), rgb(255, 255, 255));
    }
    // Any other colour goes on the text, never the background.
    kolor = 0x0000FF;
    const QImage red = paintInto(grid(), 1, 1, {40, 14}, ColouringMode::TextOnly);
    EXPECT_EQ(red.pixel(39, 13), rgb(255, 255, 255));
    EXPECT_FALSE(onlyGreysAndWhite(red));
    // Black and white ignores the colour altogether.
    EXPECT_TRUE(onlyGreysAndWhite(paintInto(grid(), 1, 1, {40, 14}, ColouringMode::BlackAndWhite)));
}

TEST_F(CellPainting, asOnScreenFillsWithTheCellColourAndWritesInTheFontColour)
{
    grid().setFontColor(0xFF0000);  // blue
    owner().OnOczko = [](TCellEdi&, int, int, TTekstOczka& ato) {
        ato.tekst[0] = "WWWW";
        ato.kolor = 0x00FF00;
    };
    const QImage image = paintInto(grid(), 1, 1, {40, 14}, ColouringMode::AsOnScreen);
    EXPECT_EQ(image.pixel(39, 13), rgb(0, 255, 0));
    bool blueInk = false;
    for (int y = 0; y < 14; ++y)
        for (int x = 0; x < 40; ++x)
            blueInk = blueInk || image.pixel(x, y) == rgb(0, 0, 255);
    EXPECT_TRUE(blueInk);
}

TEST_F(CellPainting, selectedCellsUseTheCursorColours)
{
    grid().setPozX(1);
    grid().setPozY(1);
    grid().selectRange({1, 1, 3, 3});  // current cell (2, 2) stays inside
    CellState selected;
    selected.selected = true;
    const QImage current = paintInto(grid(), 2, 2, {30, 14}, ColouringMode::AsOnScreen,
                                     PaintTarget::Printer, selected);
    const QImage other = paintInto(grid(), 3, 3, {30, 14}, ColouringMode::AsOnScreen,
                                   PaintTarget::Printer, selected);
    EXPECT_EQ(current.pixel(29, 13), rgb(0, 0, 0));
    EXPECT_EQ(other.pixel(29, 13), rgb(128, 128, 128));
    // Headers are never highlighted.
    const QImage header = paintInto(grid(), 0, 2, {30, 14}, ColouringMode::AsOnScreen,
                                    PaintTarget::Printer, selected);
    EXPECT_EQ(header.pixel(29, 13), rgb(192, 192, 192));
}

TEST_F(CellPainting, edgeLinesAreBlackAndRestoreThePen)
{
    owner().OnOczko = [](TCellEdi&, int, int, TTekstOczka& ato) {
        ato.liniaLewa = 1;
        ato.liniaGorna = 1;
    };
    const QImage image = paintInto(grid(), 1, 1, {30, 14}, ColouringMode::AsOnScreen);
    EXPECT_TRUE(columnIs(image, 0, rgb(0, 0, 0)));
    for (int x = 0; x < 30; ++x)
        EXPECT_EQ(image.pixel(x, 0), rgb(0, 0, 0)) << x;
    EXPECT_EQ(image.pixel(1, 1), rgb(255, 255, 0));
}

TEST_F(CellPainting, ownerGraphicsOnScreenOnlyWithThePenColourKept)
{
    int calls = 0;
    owner().OnGrafOczko = [&](TCellEdi&, QPainter& painter, int x, int y, int x0, int y0) {
        ++calls;
        EXPECT_EQ(x, 4);
        EXPECT_EQ(y, 2);
        EXPECT_EQ(x0, 0);
        EXPECT_EQ(y0, 0);
        painter.setPen(Qt::red);
        painter.drawPoint(5, 5);
    };
    QImage image(20, 10, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setPen(Qt::black);
    paintCell(grid(), painter, 5, 3, image.rect(), {}, ColouringMode::AsOnScreen,
              PaintTarget::Printer);
    EXPECT_EQ(calls, 0);
    paintCell(grid(), painter, 5, 3, image.rect(), {}, ColouringMode::AsOnScreen,
              PaintTarget::Screen);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(painter.pen().color(), QColor(Qt::black));
    painter.end();
    EXPECT_EQ(image.pixel(5, 5), rgb(255, 0, 0));
}

TEST_F(CellPainting, cornerShowsThreeButtonsOnlyWhenItsClickIsBound)
{
    const QSize size(50, 14);  // g = 7, h = 4
    const QImage bare =
        paintInto(grid(), 0, 0, size, ColouringMode::AsOnScreen, PaintTarget::Screen);
    EXPECT_EQ(bare.pixel(10, 5), rgb(192, 192, 192));

    owner().OnLeftTopAkcja = [](TCellEdi&, int, TShiftState) {};
    const QImage buttons =
        paintInto(grid(), 0, 0, size, ColouringMode::AsOnScreen, PaintTarget::Screen);
    // Red from (6, 3) to (15, 9) outlined in white, green from (20, 3),
    // blue from (34, 3); the outline covers up to right - 1, bottom - 1.
    EXPECT_EQ(buttons.pixel(6, 3), rgb(255, 255, 255));
    EXPECT_EQ(buttons.pixel(14, 8), rgb(255, 255, 255));
    EXPECT_EQ(buttons.pixel(15, 9), rgb(192, 192, 192));
    EXPECT_EQ(buttons.pixel(10, 5), rgb(255, 0, 0));
    EXPECT_EQ(buttons.pixel(24, 5), rgb(0, 128, 0));
    EXPECT_EQ(buttons.pixel(38, 5), rgb(0, 0, 255));
    EXPECT_EQ(buttons.pixel(43, 5), rgb(192, 192, 192));

    const QImage printed = paintInto(grid(), 0, 0, size, ColouringMode::AsOnScreen);
    EXPECT_EQ(printed, bare);
}

TEST_F(CellPainting, cellChangeIsReportedOncePerChangeAndNeverDuringARange)
{
    bindAll();
    paintNow();
    EXPECT_TRUE(takeLog().empty());

    clickCell(2, 3);
    paintNow();
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"ZmianaKomorki 0,0"}));
    paintNow();
    grid().Odswiez();
    paintNow();
    EXPECT_TRUE(takeLog().empty());

    // Extending with Shift+arrows makes a range: nothing is reported.
    pressKey(Qt::Key_Right, Qt::ShiftModifier);
    paintNow();
    pressKey(Qt::Key_Down, Qt::ShiftModifier);
    paintNow();
    EXPECT_EQ(withoutModifierKeys(takeLog()), std::vector<std::string>{});

    // A mouse drag over several cells neither.
    const QRect from = grid().cellRect(4, 2);
    const QRect to = grid().cellRect(6, 3);
    QTest::mousePress(grid().viewport(), Qt::LeftButton, {}, from.center());
    QTest::mouseMove(grid().viewport(), to.center());
    QTest::mouseRelease(grid().viewport(), Qt::LeftButton, {}, to.center());
    paintNow();
    EXPECT_EQ(grid().selectedRange(), (GridRect{4, 2, 6, 3}));
    EXPECT_TRUE(takeLog().empty());

    // Back to a single cell: the change from the last reported cell.
    clickCell(1, 4);
    paintNow();
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"ZmianaKomorki 2,3"}));
}

TEST_F(CellPainting, cellChangeIsReportedUnpaintedAndNeverWhilePainting)
{
    enum class Sight { Shown, Hidden, ScrolledAway };
    // Outlives the loop: the handler bound in one round still answers the
    // cell changes that the next round's setup reports.
    bool duringPaint = false;
    for (const Sight sight : {Sight::Shown, Sight::Hidden, Sight::ScrolledAway}) {
        SCOPED_TRACE(int(sight));
        grid().setIlx(60);
        grid().setPozX(0);
        grid().show();
        paintNow();
        bindAll();
        log.clear();
        duringPaint = false;
        owner().OnZmianaKomorki = [&](TCellEdi& g, int oldx, int oldy) {
            duringPaint = duringPaint || g.viewport()->paintingActive()
                          || g.viewport()->testAttribute(Qt::WA_WState_InPaintEvent);
            log.push_back("ZmianaKomorki " + std::to_string(oldx) + "," + std::to_string(oldy));
        };
        if (sight == Sight::Hidden)
            grid().hide();
        if (sight == Sight::ScrolledAway)
            grid().setAutoScroll(false);  // the cell moves where the view does not follow

        grid().setPozX(50);
        EXPECT_EQ(grid().cellRect(51, 1).intersects(grid().viewport()->rect()),
                  sight == Sight::Shown);
        QApplication::processEvents();
        EXPECT_EQ(takeLog(), (std::vector<std::string>{"ZmianaKomorki 0,0"}));
        paintNow();
        EXPECT_TRUE(takeLog().empty());
        EXPECT_FALSE(duringPaint);
        grid().setAutoScroll(true);
    }
}

}  // namespace

namespace {

TEST_F(CellPainting, viewShowsCellsGridLinesAndBackgroundBeyondTheCells)
{
    grid().setIlx(2);
    grid().setIly(2);
    grid().setPozX(1);  // keep the cursor off cell (0, 0)
    const QImage view = grid().viewport()->grab().toImage();
    const QRgb yellow = qRgb(255, 255, 0);
    const QRgb base = grid().viewport()->palette().color(QPalette::Base).rgb();
    EXPECT_EQ(view.pixel(50, 5), yellow);
    // Each cell leaves its last pixel column and row to the grid lines.
    EXPECT_NE(view.pixel(99, 5), yellow);
    EXPECT_NE(view.pixel(50, 13), yellow);
    EXPECT_EQ(view.pixel(100, 5), qRgb(0, 0, 0));  // the current cell, selected
    // Beyond the last column and row: the background.
    EXPECT_EQ(view.pixel(250, 5), base);
    EXPECT_EQ(view.pixel(50, 60), base);
}

}  // namespace

}  // namespace wykazki
