// The layout block a class file carries for a grid.

#include "gridfixture.h"

#include "document/classfile.h"
#include "document/ekolmoerror.h"

#include <sstream>

namespace wykazki {

namespace {

using LayoutBlock = GridFixture;

GridLayout sampleLayout()
{
    GridLayout g;
    g.fontName = "MS Sans Serif";
    g.fontSize = 11;
    g.bold = 1;
    g.italic = 0;
    g.underline = 1;
    g.strikeout = 0;
    g.fontColor = 0x123456;
    g.cellWidth = 81;
    g.cellHeight = 17;
    g.headerColor = 0x00FF00;
    g.cellColor = 0xFFFFFF;
    g.align = 2;
    g.columnWidths = {120, 30, 0, 250, 45};
    g.rowHeights = {0, 14, 22};
    return g;
}

int exceptionCode(const std::function<void()>& action)
{
    try {
        action();
    } catch (const EKolmoError& e) {
        return e.code();
    }
    return -1;
}

TEST_F(LayoutBlock, appliesTheBlockAsStored)
{
    grid().applyLayout(sampleLayout());
    EXPECT_EQ(grid().Ilx(), 4);
    EXPECT_EQ(grid().Ily(), 2);
    EXPECT_EQ(grid().SzerInfo(), 120);
    EXPECT_EQ(grid().WysInfo(), 0);
    EXPECT_TRUE(grid().horizontalHeader()->isHidden());
    EXPECT_EQ(grid().SzerIo(0), 30);
    EXPECT_EQ(grid().SzerIo(1), 0);
    EXPECT_EQ(grid().SzerIo(3), 45);
    EXPECT_EQ(grid().WysIo(1), 22);
    // The default sizes are stored without being applied.
    EXPECT_EQ(grid().DefaultSzerIo(), 81);
    EXPECT_EQ(grid().DefaultWysIo(), 17);
    EXPECT_EQ(grid().DefaultJust(), TJustTyp::Prawo);
    EXPECT_EQ(grid().InfoKolor(), 0x00FF00u);
    EXPECT_EQ(grid().OczkoKolor(), 0xFFFFFFu);
    EXPECT_EQ(grid().fontColor(), 0x123456u);
    EXPECT_EQ(grid().font().pointSize(), 11);
    EXPECT_TRUE(grid().font().bold());
    EXPECT_TRUE(grid().font().underline());
    EXPECT_FALSE(grid().font().italic());
    EXPECT_EQ(grid().gridLayout(), sampleLayout());
}

TEST_F(LayoutBlock, writtenBlockReadsBackIntoAnEqualLayout)
{
    grid().applyLayout(sampleLayout());
    grid().setSzerIo(2, 99);
    grid().setIly(4);  // new rows take the last height, 22
    std::stringstream stream;
    grid().ZapiszUklad(stream);
    const std::string bytes = stream.str();
    EXPECT_EQ(bytes, writeGridLayout(grid().gridLayout()));

    TCellEdi other;
    other.CzytajUklad(stream);
    EXPECT_EQ(other.gridLayout(), grid().gridLayout());
    EXPECT_EQ(other.WysIo(3), 22);
    std::stringstream again;
    other.ZapiszUklad(again);
    EXPECT_EQ(again.str(), bytes);
}

TEST_F(LayoutBlock, defaultGridRoundTrips)
{
    std::stringstream stream;
    grid().ZapiszUklad(stream);
    TCellEdi other;
    other.CzytajUklad(stream);
    EXPECT_EQ(other.gridLayout(), grid().gridLayout());
    EXPECT_EQ(other.gridLayout().columnWidths.size(), 11u);
    EXPECT_EQ(other.gridLayout().rowHeights.size(), 6u);
}

TEST_F(LayoutBlock, readsExactlyOneBlockFromTheStream)
{
    GridLayout first = sampleLayout();
    GridLayout second = sampleLayout();
    second.fontName = "Arial";
    second.columnWidths = {10, 20};
    std::stringstream stream(writeGridLayout(first) + writeGridLayout(second) + "X");
    grid().CzytajUklad(stream);
    EXPECT_EQ(grid().gridLayout(), first);
    EXPECT_EQ(std::size_t(stream.tellg()), writeGridLayout(first).size());
    grid().CzytajUklad(stream);
    EXPECT_EQ(grid().gridLayout(), second);
    EXPECT_EQ(grid().Ilx(), 1);
    EXPECT_EQ(stream.get(), 'X');
}

TEST_F(LayoutBlock, corruptBlocksAreRefusedAndLeaveTheGridAlone)
{
    const GridLayout before = grid().gridLayout();
    std::string bytes = writeGridLayout(sampleLayout());

    std::string longName = bytes;
    longName[0] = 32;  // font name length above 31
    std::stringstream a(longName);
    EXPECT_EQ(exceptionCode([&] { grid().CzytajUklad(a); }), ErrorCode::ReadFailed);

    GridLayout many = sampleLayout();
    many.rowHeights.assign(5001, 14);
    std::stringstream b(writeGridLayout(many));
    EXPECT_EQ(exceptionCode([&] { grid().CzytajUklad(b); }), ErrorCode::ReadFailed);

    GridLayout manyColumns = sampleLayout();
    manyColumns.columnWidths.assign(5001, 14);
    std::stringstream c(writeGridLayout(manyColumns));
    EXPECT_EQ(exceptionCode([&] { grid().CzytajUklad(c); }), ErrorCode::ReadFailed);

    for (const std::size_t cut :
         {std::size_t(0), std::size_t(3), std::size_t(20), bytes.size() - 1}) {
        std::stringstream shortStream(bytes.substr(0, cut));
        EXPECT_EQ(exceptionCode([&] { grid().CzytajUklad(shortStream); }), ErrorCode::ReadFailed)
            << cut;
    }
    EXPECT_EQ(grid().gridLayout(), before);
}

TEST_F(LayoutBlock, exactly5000ColumnsAreAccepted)
{
    GridLayout wide = sampleLayout();
    wide.columnWidths.assign(5000, 12);
    std::stringstream stream(writeGridLayout(wide));
    grid().CzytajUklad(stream);
    EXPECT_EQ(grid().Ilx(), 4999);
    EXPECT_EQ(grid().SzerIo(4998), 12);
}

TEST_F(LayoutBlock, longFontNamesAreCutTo31Bytes)
{
    GridLayout g = sampleLayout();
    g.fontName = std::string(40, 'F');
    grid().applyLayout(g);
    EXPECT_EQ(grid().gridLayout().fontName, std::string(31, 'F'));
}

TEST_F(LayoutBlock, aChangedFontIsWrittenFromTheFont)
{
    grid().applyLayout(sampleLayout());
    QFont f = grid().font();
    f.setFamily(QStringLiteral("Arial"));
    f.setPointSize(14);
    f.setBold(false);
    grid().setFont(f);
    const GridLayout g = grid().gridLayout();
    EXPECT_EQ(g.fontName, "Arial");
    EXPECT_EQ(g.fontSize, 14);
    EXPECT_EQ(g.bold, 0);
    EXPECT_EQ(g.underline, 1);
}

TEST_F(LayoutBlock, failingStreamIsAWriteError)
{
    std::stringstream closed;
    closed.setstate(std::ios::badbit);
    EXPECT_EQ(exceptionCode([&] { grid().ZapiszUklad(closed); }), ErrorCode::WriteFailed);
}

}  // namespace

}  // namespace wykazki
