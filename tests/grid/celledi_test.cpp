// Properties, sizes, the current cell and the selection walk.

#include "gridfixture.h"

#include <QCoreApplication>

#include <utility>
#include <vector>

namespace wykazki {

namespace {

using Cells = std::vector<std::pair<int, int>>;

Cells walk(TCellEdi& grid, int mode)
{
    Cells out;
    grid.StartZaznaczenia(mode);
    int x = -1;
    int y = -1;
    while (grid.NastepneZaznaczone(x, y) && out.size() < 100)
        out.emplace_back(x, y);
    return out;
}

using GridProperties = GridFixture;

TEST_F(GridProperties, startsWithTheDocumentedDefaults)
{
    EXPECT_EQ(grid().Ilx(), 10);
    EXPECT_EQ(grid().Ily(), 5);
    EXPECT_EQ(grid().SzerInfo(), 50);
    EXPECT_EQ(grid().WysInfo(), 14);
    EXPECT_EQ(grid().DefaultSzerIo(), 100);
    EXPECT_EQ(grid().DefaultWysIo(), 14);
    EXPECT_EQ(grid().DefaultJust(), TJustTyp::Lewo);
    EXPECT_EQ(grid().InfoKolor(), 0xC0C0C0u);
    EXPECT_EQ(grid().OczkoKolor(), 0x00FFFFu);
    EXPECT_EQ(grid().ZaznaczKolor(), 0x808080u);
    EXPECT_EQ(grid().KursorKolor(), 0x000000u);
    EXPECT_EQ(grid().KursorFontKolor(), 0xFFFFFFu);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(grid().SzerIo(i), 100) << i;
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(grid().WysIo(i), 14) << i;
    EXPECT_EQ(grid().PozX(), 0);
    EXPECT_EQ(grid().PozY(), 0);
    EXPECT_EQ(grid().selectedRange(), (GridRect{1, 1, 1, 1}));
}

TEST_F(GridProperties, clampsDataColumnsAndRowsToOneTo4999)
{
    grid().setIlx(0);
    EXPECT_EQ(grid().Ilx(), 1);
    grid().setIlx(-7);
    EXPECT_EQ(grid().Ilx(), 1);
    grid().setIlx(6000);
    EXPECT_EQ(grid().Ilx(), 4999);
    EXPECT_EQ(grid().gridColumnCount(), 5000);
    grid().setIly(0);
    EXPECT_EQ(grid().Ily(), 1);
    grid().setIly(6000);
    EXPECT_EQ(grid().Ily(), 4999);
}

TEST_F(GridProperties, newColumnsAndRowsTakeTheFormerLastSize)
{
    grid().setIlx(3);
    grid().setSzerIo(0, 40);
    grid().setSzerIo(2, 77);
    grid().setIlx(5);
    EXPECT_EQ(grid().SzerIo(0), 40);
    EXPECT_EQ(grid().SzerIo(1), 100);
    EXPECT_EQ(grid().SzerIo(2), 77);
    EXPECT_EQ(grid().SzerIo(3), 77);
    EXPECT_EQ(grid().SzerIo(4), 77);

    grid().setIly(2);
    grid().setWysIo(1, 9);
    grid().setIly(4);
    EXPECT_EQ(grid().WysIo(0), 14);
    EXPECT_EQ(grid().WysIo(2), 9);
    EXPECT_EQ(grid().WysIo(3), 9);
}

TEST_F(GridProperties, defaultSizesApplyToEveryExistingColumnAndRow)
{
    grid().setSzerIo(1, 30);
    grid().setDefaultSzerIo(60);
    for (int i = 0; i < grid().Ilx(); ++i)
        EXPECT_EQ(grid().SzerIo(i), 60) << i;
    grid().setWysIo(3, 30);
    grid().setDefaultWysIo(20);
    for (int i = 0; i < grid().Ily(); ++i)
        EXPECT_EQ(grid().WysIo(i), 20) << i;
    EXPECT_EQ(grid().SzerInfo(), 50);
    EXPECT_EQ(grid().WysInfo(), 14);
}

TEST_F(GridProperties, sizesOutsideTheDataAreIgnored)
{
    grid().setSzerIo(10, 33);
    grid().setSzerIo(-1, 33);
    grid().setWysIo(5, 33);
    for (int i = 0; i < grid().Ilx(); ++i)
        EXPECT_EQ(grid().SzerIo(i), 100);
    for (int i = 0; i < grid().Ily(); ++i)
        EXPECT_EQ(grid().WysIo(i), 14);
    EXPECT_EQ(grid().columnWidthAt(0), 50);
    EXPECT_EQ(grid().rowHeightAt(0), 14);
}

TEST_F(GridProperties, currentCellIsClampedIntoTheData)
{
    grid().setPozX(grid().Ilx());
    EXPECT_EQ(grid().PozX(), 9);
    grid().setPozY(100);
    EXPECT_EQ(grid().PozY(), 4);
    grid().setPozX(-3);
    grid().setPozY(-1);
    EXPECT_EQ(grid().PozX(), 0);
    EXPECT_EQ(grid().PozY(), 0);
    grid().setPozX(4);
    grid().setPozY(2);
    EXPECT_EQ(grid().selectedRange(), (GridRect{5, 3, 5, 3}));
}

TEST_F(GridProperties, shrinkingTheGridKeepsTheCurrentCellInside)
{
    grid().setPozX(8);
    grid().setPozY(4);
    grid().setIlx(3);
    grid().setIly(2);
    EXPECT_EQ(grid().PozX(), 2);
    EXPECT_EQ(grid().PozY(), 1);
}

TEST_F(GridProperties, hidingTheHeaderRowWithHeightZero)
{
    grid().setWysInfo(0);
    EXPECT_EQ(grid().WysInfo(), 0);
    EXPECT_TRUE(grid().horizontalHeader()->isHidden());
    grid().setWysInfo(20);
    EXPECT_FALSE(grid().horizontalHeader()->isHidden());
    EXPECT_EQ(grid().horizontalHeader()->height(), 20);
}

// The cells start where the info column and row end, however long the
// header texts are: the headers keep the thickness the grid gives them.
struct InfoSizes {
    int width;
    int height;
};

class GridInfoSizes : public GridFixture, public ::testing::WithParamInterface<InfoSizes> {};

TEST_P(GridInfoSizes, cellsStartBeyondTheHeaders)
{
    bindAll();
    const std::string longText(60, 'W');
    for (int i = 0; i <= 10; ++i) {
        cells[{i, 0}] = longText;
        cells[{0, i}] = longText;
    }
    grid().setSzerInfo(GetParam().width);
    grid().setWysInfo(GetParam().height);
    QCoreApplication::processEvents();
    EXPECT_EQ(grid().horizontalHeader()->sizeHint().height(), GetParam().height);
    EXPECT_EQ(grid().verticalHeader()->sizeHint().width(), GetParam().width);
    const QPoint origin = grid().viewport()->geometry().topLeft() - grid().contentsRect().topLeft();
    EXPECT_EQ(origin, QPoint(GetParam().width, GetParam().height));
}

INSTANTIATE_TEST_SUITE_P(Sizes, GridInfoSizes,
                         ::testing::Values(InfoSizes{50, 14}, InfoSizes{0, 20}, InfoSizes{120, 0},
                                           InfoSizes{3, 90}));

TEST_F(GridProperties, selectionWalkInItsThreeModes)
{
    grid().selectRange({2, 2, 3, 4});  // data columns 1..2, rows 1..3
    EXPECT_EQ(walk(grid(), 0), (Cells{{1, 1}, {1, 2}, {1, 3}, {2, 1}, {2, 2}, {2, 3}}));
    EXPECT_EQ(walk(grid(), 1), (Cells{{1, 1}, {2, 1}}));
    EXPECT_EQ(walk(grid(), 2), (Cells{{1, 1}, {1, 2}, {1, 3}}));
    EXPECT_TRUE(walk(grid(), 3).empty());
    EXPECT_TRUE(walk(grid(), -1).empty());
}

TEST_F(GridProperties, selectionWalkOfTheSingleCurrentCell)
{
    grid().setPozX(6);
    grid().setPozY(2);
    EXPECT_EQ(walk(grid(), 0), (Cells{{6, 2}}));
    EXPECT_EQ(walk(grid(), 1), (Cells{{6, 2}}));
    EXPECT_EQ(walk(grid(), 2), (Cells{{6, 2}}));
}

TEST_F(GridProperties, selectionWalkReadsTheSelectionAtEveryStep)
{
    grid().selectRange({1, 1, 4, 1});
    grid().StartZaznaczenia(1);
    int x = -1;
    int y = -1;
    ASSERT_TRUE(grid().NastepneZaznaczone(x, y));
    EXPECT_EQ(x, 0);
    // The owner narrows the selection mid-walk: the walk ends with it.
    grid().selectRange({1, 1, 2, 1});
    ASSERT_TRUE(grid().NastepneZaznaczone(x, y));
    EXPECT_EQ(x, 1);
    EXPECT_FALSE(grid().NastepneZaznaczone(x, y));
}

TEST_F(GridProperties, selectRangeStaysInsideTheData)
{
    grid().selectRange({0, -3, 50, 2});
    EXPECT_EQ(grid().selectedRange(), (GridRect{1, 1, 10, 2}));
}

}  // namespace

}  // namespace wykazki
