// Keys, typed characters, mouse clicks and the in-place editor gate,
// driven with real key and mouse events.

#include "gridfixture.h"

#include "grid/keycodes.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QTest>

#include <algorithm>
#include <memory>

namespace wykazki {

namespace {

using Log = std::vector<std::string>;
using GridKeys = GridFixture;
using GridMouse = GridFixture;
using InPlaceEditor = GridFixture;

void clearClipboard()
{
    QGuiApplication::clipboard()->setMimeData(new QMimeData);  // no text at all
}

TEST(KeyCodes, mapQtKeysToVirtualKeyNumbers)
{
    EXPECT_EQ(virtualKey(Qt::Key_PageUp, {}), 33u);
    EXPECT_EQ(virtualKey(Qt::Key_PageDown, {}), 34u);
    EXPECT_EQ(virtualKey(Qt::Key_End, {}), 35u);
    EXPECT_EQ(virtualKey(Qt::Key_Home, {}), 36u);
    EXPECT_EQ(virtualKey(Qt::Key_Left, {}), 37u);
    EXPECT_EQ(virtualKey(Qt::Key_Up, {}), 38u);
    EXPECT_EQ(virtualKey(Qt::Key_Right, {}), 39u);
    EXPECT_EQ(virtualKey(Qt::Key_Down, {}), 40u);
    EXPECT_EQ(virtualKey(Qt::Key_Left, Qt::KeypadModifier), 37u);
    EXPECT_EQ(virtualKey(Qt::Key_Insert, {}), 45u);
    EXPECT_EQ(virtualKey(Qt::Key_Delete, {}), 46u);
    EXPECT_EQ(virtualKey(Qt::Key_F1, {}), 112u);
    EXPECT_EQ(virtualKey(Qt::Key_F5, {}), 116u);
    EXPECT_EQ(virtualKey(Qt::Key_F12, {}), 123u);
    EXPECT_EQ(virtualKey(Qt::Key_Backspace, {}), 8u);
    EXPECT_EQ(virtualKey(Qt::Key_Return, {}), 13u);
    EXPECT_EQ(virtualKey(Qt::Key_Enter, Qt::KeypadModifier), 13u);
    EXPECT_EQ(virtualKey(Qt::Key_Escape, {}), 27u);
    EXPECT_EQ(virtualKey(Qt::Key_Space, {}), 32u);
    EXPECT_EQ(virtualKey(Qt::Key_0, {}), 48u);
    EXPECT_EQ(virtualKey(Qt::Key_9, {}), 57u);
    EXPECT_EQ(virtualKey(Qt::Key_A, {}), 65u);
    EXPECT_EQ(virtualKey(Qt::Key_Z, Qt::ShiftModifier), 90u);
    // Keypad digits are not the main keyboard's digits.
    EXPECT_EQ(virtualKey(Qt::Key_0, Qt::KeypadModifier), 96u);
    EXPECT_EQ(virtualKey(Qt::Key_9, Qt::KeypadModifier), 105u);
    // Shift+1 is the 1 key.
    EXPECT_EQ(virtualKey(Qt::Key_Exclam, Qt::ShiftModifier), 49u);
    EXPECT_EQ(virtualKey(Qt::Key_unknown, {}), 0u);
    EXPECT_EQ(qtKey(vk::Left), int(Qt::Key_Left));
    EXPECT_EQ(qtKey('Q'), int(Qt::Key_Q));
}

TEST_F(GridKeys, printableKeyGivesAkcjaThenAkcjaEdit)
{
    bindAll();
    grid().setPozX(2);
    grid().setPozY(1);
    pressKey(Qt::Key_A);
    EXPECT_EQ(takeLog(), (Log{"Akcja 2,1 key=65 b=0 s=0", "AkcjaEdit 2,1 key=97 b=0"}));
}

TEST_F(GridKeys, deleteGivesAkcjaThenTildeAndNoCharacter)
{
    bindAll();
    akcjaEditHook = [](unsigned char& key) { key = 0; };  // the owner's copy only
    pressKey(Qt::Key_Delete);
    pressKey(Qt::Key_B);
    EXPECT_EQ(takeLog(), (Log{"Akcja 0,0 key=46 b=0 s=0", "AkcjaEdit 0,0 key=126 b=0",
                              "Akcja 0,0 key=66 b=0 s=0", "AkcjaEdit 0,0 key=98 b=0"}));
}

// A swallowed key hides its own character only: the flag never reaches the
// next key press, so no keystroke typed afterwards is lost.
TEST_F(GridKeys, aSwallowedKeyHidesOnlyItsOwnCharacter)
{
    bindAll();
    akcjaHook = [](std::uint32_t& key) {
        if (key == vk::F1 || key == 'X')
            key = 0;
    };
    pressKey(Qt::Key_F1);
    pressKey(Qt::Key_B);
    pressKey(Qt::Key_X);  // swallowed with its character
    pressKey(Qt::Key_C);
    EXPECT_EQ(takeLog(), (Log{"Akcja 0,0 key=112 b=0 s=0", "Akcja 0,0 key=66 b=0 s=0",
                              "AkcjaEdit 0,0 key=98 b=0", "Akcja 0,0 key=88 b=0 s=0",
                              "Akcja 0,0 key=67 b=0 s=0", "AkcjaEdit 0,0 key=99 b=0"}));
}

TEST_F(GridKeys, onlyTheLow16BitsOfAReplacedKeyCount)
{
    bindAll();
    akcjaHook = [](std::uint32_t& key) {
        if (key == 'X')
            key = 0x10000;  // low 16 bits are 0: swallowed
        else if (key == 'R')
            key = 0xABCD0000u | vk::Right;  // turned into Right
    };
    pressKey(Qt::Key_X);
    pressKey(Qt::Key_R);
    EXPECT_EQ(grid().PozX(), 1);
    const Log events = takeLog();
    EXPECT_EQ(std::count_if(events.begin(), events.end(),
                            [](const std::string& l) { return l.starts_with("AkcjaEdit"); }),
              1);  // X's character hidden; R's reported
}

TEST_F(GridKeys, navigationKeysMoveWithoutEvents)
{
    bindAll();
    pressKey(Qt::Key_Right);
    pressKey(Qt::Key_Down);
    pressKey(Qt::Key_Down);
    EXPECT_EQ(grid().PozX(), 1);
    EXPECT_EQ(grid().PozY(), 2);
    pressKey(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(grid().selectedRange(), (GridRect{2, 3, 3, 3}));
    EXPECT_EQ(withoutModifierKeys(takeLog()), Log{});
}

TEST_F(GridKeys, ctrlCCopiesAndItsControlCharacterNeverReachesTheOwner)
{
    bindAll();
    cells[{0, 0}] = "a";
    QGuiApplication::clipboard()->setText(QStringLiteral("old"));
    pressKey(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("a\r\n"));
    EXPECT_EQ(withoutModifierKeys(takeLog()), Log{});

    // Without OnOczkoToClipboard Ctrl+C is an ordinary key: its control
    // character follows, and the clipboard is left alone.
    owner().OnOczkoToClipboard = nullptr;
    QGuiApplication::clipboard()->setText(QStringLiteral("old"));
    pressKey(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("old"));
    EXPECT_EQ(withoutModifierKeys(takeLog()),
              (Log{"Akcja 0,0 key=67 b=0 s=4", "AkcjaEdit 0,0 key=3 b=0"}));
}

TEST_F(GridKeys, ctrlInsertCopiesToo)
{
    bindAll();
    cells[{0, 0}] = "z";
    pressKey(Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("z\r\n"));
    EXPECT_EQ(withoutModifierKeys(takeLog()), Log{});
}

TEST_F(GridKeys, ctrlVWithoutPasteHandlerReachesAkcja)
{
    bindAll();
    owner().OnClipboardToOczko = nullptr;
    QGuiApplication::clipboard()->setText(QStringLiteral("x\n"));
    pressKey(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(withoutModifierKeys(takeLog()),
              (Log{"Akcja 0,0 key=86 b=0 s=4", "AkcjaEdit 0,0 key=22 b=0"}));
}

TEST_F(GridKeys, shiftInsertPastesAtTheCurrentCell)
{
    bindAll();
    grid().setPozX(1);
    QGuiApplication::clipboard()->setText(QStringLiteral("p\tq\n"));
    pressKey(Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(withoutModifierKeys(takeLog()),
              (Log{"ClipboardToOczko 1,0 p", "ClipboardToOczko 2,0 q"}));
}

TEST_F(GridKeys, pasteKeyWithoutClipboardTextGoesOnToAkcja)
{
    bindAll();
    clearClipboard();
    pressKey(Qt::Key_V, Qt::ControlModifier);
    const Log events = withoutModifierKeys(takeLog());
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.front(), "Akcja 0,0 key=86 b=0 s=4");
}

TEST_F(GridKeys, altShiftInsertIsNeitherPasteNorCopy)
{
    bindAll();
    cells[{0, 0}] = "a";
    QGuiApplication::clipboard()->setText(QStringLiteral("x\n"));
    pressKey(Qt::Key_Insert, Qt::AltModifier | Qt::ShiftModifier);
    pressKey(Qt::Key_Insert, Qt::AltModifier | Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("x\n"));
    EXPECT_EQ(withoutModifierKeys(takeLog()),
              (Log{"Akcja 0,0 key=45 b=0 s=3", "Akcja 0,0 key=45 b=0 s=6"}));
}

TEST_F(GridKeys, charactersReachTheOwnerAsWindows1250Bytes)
{
    bindAll();
    typeText(Qt::Key_A, QStringLiteral("ą"));
    typeText(Qt::Key_unknown, QStringLiteral("€"));
    typeText(Qt::Key_unknown, QStringLiteral("ж"));  // not in the code page
    typeText(Qt::Key_unknown, QStringLiteral("x"));
    QInputMethodEvent composed;
    composed.setCommitString(QStringLiteral("ż"));
    QApplication::sendEvent(&grid(), &composed);
    EXPECT_EQ(takeLog(), (Log{"Akcja 0,0 key=65 b=0 s=0", "AkcjaEdit 0,0 key=185 b=0",
                              "AkcjaEdit 0,0 key=128 b=0", "AkcjaEdit 0,0 key=120 b=0",
                              "AkcjaEdit 0,0 key=191 b=0"}));
}

TEST_F(GridKeys, ownerCtrlDigitSwallowingStopsTheDigit)
{
    bindAll();
    akcjaHook = [](std::uint32_t& key) {
        if (key >= '0' && key <= '9')
            key = 0;
    };
    typeText(Qt::Key_5, QStringLiteral("5"), Qt::ControlModifier);
    // Ctrl+5 types no character; the keypad's 5 typed next is not lost.
    typeText(Qt::Key_5, QStringLiteral("5"), Qt::KeypadModifier);
    EXPECT_EQ(
        withoutModifierKeys(takeLog()),
        (Log{"Akcja 0,0 key=53 b=0 s=4", "Akcja 0,0 key=101 b=0 s=0", "AkcjaEdit 0,0 key=53 b=0"}));
}

TEST_F(GridKeys, ctrlWithADigitTypesNoCharacter)
{
    bindAll();
    typeText(Qt::Key_2, QStringLiteral("2"), Qt::ControlModifier);
    typeText(Qt::Key_Comma, QStringLiteral(","), Qt::ControlModifier);
    // AltGr arrives as Ctrl+Alt and still types its letter.
    typeText(Qt::Key_A, QStringLiteral("ą"), Qt::ControlModifier | Qt::AltModifier);
    const Log events = withoutModifierKeys(takeLog());
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.back(), "AkcjaEdit 0,0 key=185 b=0");
    EXPECT_EQ(
        std::count_if(events.begin(), events.end(),
                      [](const std::string& line) { return line.rfind("AkcjaEdit", 0) == 0; }),
        1);
}

TEST_F(GridKeys, f5WritesTheRangeTheOwnerGives)
{
    bindAll();
    cells[{1, 0}] = "b";
    cells[{2, 0}] = "c";
    cells[{1, 1}] = "e";
    const std::string path =
        (QDir::tempPath() + QStringLiteral("/wykazki_grid_f5.txt")).toStdString();
    owner().OnToTxtFile = [&](TCellEdi& g, std::string& file, int& x1, int& y1, int& x2, int& y2) {
        EXPECT_EQ(file, "");
        EXPECT_EQ(x1, 0);
        EXPECT_EQ(y1, 0);
        EXPECT_EQ(x2, g.Ilx());
        EXPECT_EQ(y2, g.Ily());
        file = path;
        x1 = 1;
        x2 = 3;
        y2 = 2;
    };
    pressKey(Qt::Key_F5);
    QFile written(QString::fromStdString(path));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), QByteArray("b\tc\r\ne\t\r\n"));
    written.remove();
    EXPECT_EQ(takeLog(), Log{});  // consumed: no OnAkcja, no character
}

TEST_F(GridMouse, clickOnTheCurrentCellGivesAkcjaAkcjaEditAndMysz)
{
    bindAll();
    grid().setPozX(1);
    grid().setPozY(2);
    clickCell(1, 2, Qt::LeftButton, {}, 7, 4);
    EXPECT_EQ(takeLog(),
              (Log{"Akcja 1,2 key=0 b=1 s=8", "AkcjaEdit 1,2 key=0 b=1", "Mysz 1,2 at 7,4 b=1"}));
    clickCell(1, 2, Qt::RightButton, {}, 2, 9);
    EXPECT_EQ(takeLog(),
              (Log{"Akcja 1,2 key=0 b=2 s=16", "AkcjaEdit 1,2 key=0 b=2", "Mysz 1,2 at 2,9 b=2"}));
}

TEST_F(GridMouse, clickOnAnotherCellMovesTheCurrentCellSilently)
{
    bindAll();
    clickCell(3, 1);
    EXPECT_EQ(grid().PozX(), 3);
    EXPECT_EQ(grid().PozY(), 1);
    EXPECT_EQ(takeLog(), Log{});
}

TEST_F(GridMouse, clickBeyondTheLastCellDoesNothing)
{
    grid().setIlx(2);
    grid().setIly(2);
    bindAll();
    grid().selectRange({1, 1, 2, 2});
    QTest::mouseClick(grid().viewport(), Qt::LeftButton, {}, QPoint(400, 100));
    EXPECT_EQ(grid().selectedRange(), (GridRect{1, 1, 2, 2}));
    EXPECT_EQ(takeLog(), Log{});
}

TEST_F(GridMouse, dragFromTheCurrentCellSelectsNothing)
{
    bindAll();
    const QRect from = grid().cellRect(1, 1);
    const QRect to = grid().cellRect(3, 3);
    QTest::mousePress(grid().viewport(), Qt::LeftButton, {}, from.center());
    QTest::mouseMove(grid().viewport(), to.center());
    QTest::mouseRelease(grid().viewport(), Qt::LeftButton, {}, to.center());
    EXPECT_EQ(grid().selectedRange(), (GridRect{1, 1, 1, 1}));
}

TEST_F(GridMouse, doubleClickOnTheCurrentCellIsASecondClick)
{
    bindAll();
    const QPoint at = grid().cellRect(1, 1).topLeft() + QPoint(3, 3);
    QTest::mouseDClick(grid().viewport(), Qt::LeftButton, {}, at);
    const Log events = takeLog();
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.front(), "Akcja 0,0 key=0 b=1 s=72");
}

TEST_F(GridMouse, headerClicksGoToTheOwner)
{
    bindAll();
    QHeaderView* top = grid().horizontalHeader();
    QHeaderView* left = grid().verticalHeader();
    QTest::mouseClick(top->viewport(), Qt::LeftButton, {},
                      QPoint(top->sectionViewportPosition(2) + 50, 5));
    QTest::mouseClick(left->viewport(), Qt::RightButton, {},
                      QPoint(10, left->sectionViewportPosition(3) + 7));
    EXPECT_EQ(takeLog(), (Log{"TopInfoAkcja 2 b=1", "LeftInfoAkcja 3 b=2"}));
    EXPECT_EQ(grid().selectedRange(), (GridRect{1, 1, 1, 1}));
}

TEST_F(GridMouse, unboundHeaderClicksSelectTheWholeColumnOrRow)
{
    QHeaderView* top = grid().horizontalHeader();
    QHeaderView* left = grid().verticalHeader();
    grid().setPozY(2);
    QTest::mouseClick(top->viewport(), Qt::LeftButton, {},
                      QPoint(top->sectionViewportPosition(4) + 50, 5));
    EXPECT_EQ(grid().selectedRange(), (GridRect{5, 1, 5, 5}));
    EXPECT_EQ(grid().PozX(), 4);
    EXPECT_EQ(grid().PozY(), 2);
    QTest::mouseClick(left->viewport(), Qt::LeftButton, {},
                      QPoint(10, left->sectionViewportPosition(1) + 7));
    EXPECT_EQ(grid().selectedRange(), (GridRect{1, 2, 10, 2}));
    EXPECT_EQ(grid().PozY(), 1);
}

TEST_F(GridMouse, shiftClickAndDragAcrossHeadersSelectRanges)
{
    QHeaderView* top = grid().horizontalHeader();
    QHeaderView* left = grid().verticalHeader();
    const auto column = [top](int section) {
        return QPoint(top->sectionViewportPosition(section) + 20, 5);
    };
    const auto row = [left](int section) {
        return QPoint(10, left->sectionViewportPosition(section) + 7);
    };
    QTest::mouseClick(top->viewport(), Qt::LeftButton, {}, column(1));
    QTest::mouseClick(top->viewport(), Qt::LeftButton, Qt::ShiftModifier, column(4));
    EXPECT_EQ(grid().selectedRange(), (GridRect{2, 1, 5, 5}));
    EXPECT_EQ(grid().PozX(), 1);
    // Backwards from the same current column.
    QTest::mouseClick(top->viewport(), Qt::LeftButton, Qt::ShiftModifier, column(0));
    EXPECT_EQ(grid().selectedRange(), (GridRect{1, 1, 2, 5}));

    QTest::mousePress(left->viewport(), Qt::LeftButton, {}, row(3));
    QTest::mouseMove(left->viewport(), row(2));
    QTest::mouseMove(left->viewport(), row(0));
    QTest::mouseRelease(left->viewport(), Qt::LeftButton, {}, row(0));
    EXPECT_EQ(grid().selectedRange(), (GridRect{1, 1, 10, 4}));
    EXPECT_EQ(grid().PozY(), 3);

    QTest::mousePress(top->viewport(), Qt::LeftButton, {}, column(2));
    QTest::mouseMove(top->viewport(), column(3));
    QTest::mouseRelease(top->viewport(), Qt::LeftButton, {}, column(3));
    EXPECT_EQ(grid().selectedRange(), (GridRect{3, 1, 4, 5}));
    // A move with no button down after the release selects nothing more.
    QTest::mouseMove(top->viewport(), column(5));
    EXPECT_EQ(grid().selectedRange(), (GridRect{3, 1, 4, 5}));
}

TEST_F(GridMouse, cornerClickGoesToTheOwnerOrSelectsEverything)
{
    auto* corner = grid().findChild<QAbstractButton*>();
    ASSERT_NE(corner, nullptr);
    QTest::mouseClick(corner, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(grid().selectedRange(), (GridRect{1, 1, 10, 5}));

    bindAll();
    grid().setPozX(0);
    QTest::mouseClick(corner, Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_EQ(takeLog(), (Log{"LeftTopAkcja b=2 s=16"}));
    EXPECT_EQ(grid().selectedRange(), (GridRect{1, 1, 1, 1}));
}

TEST_F(GridMouse, headerBorderDragResizesAndReportsNothing)
{
    bindAll();
    QHeaderView* top = grid().horizontalHeader();
    const int border = top->sectionViewportPosition(1) + top->sectionSize(1) - 1;
    QTest::mousePress(top->viewport(), Qt::LeftButton, {}, QPoint(border, 5));
    QTest::mouseMove(top->viewport(), QPoint(border + 30, 5));
    QTest::mouseRelease(top->viewport(), Qt::LeftButton, {}, QPoint(border + 30, 5));
    EXPECT_EQ(grid().SzerIo(1), 130);
    EXPECT_EQ(takeLog(), Log{});
}

TEST_F(InPlaceEditor, neverOpensWithoutTheGateHandler)
{
    pressKey(Qt::Key_F2);
    pressKey(Qt::Key_Return);
    EXPECT_EQ(grid().findChild<QLineEdit*>(), nullptr);
}

TEST_F(InPlaceEditor, opensOnlyWhenTheOwnerAllowsAndCommitsThroughOnEdycja)
{
    bindAll();
    pressKey(Qt::Key_Return);
    EXPECT_EQ(grid().findChild<QLineEdit*>(), nullptr);
    EXPECT_EQ(withoutModifierKeys(takeLog()),
              (Log{"Akcja 0,0 key=13 b=0 s=0", "AkcjaEdit 0,0 key=13 b=0", "DozwolonaEdycja 0,0"}));

    allowEditing = true;
    startText = "ab";
    pressKey(Qt::Key_Return);
    auto* editor = grid().findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), QStringLiteral("ab"));
    EXPECT_EQ(takeLog(), (Log{"Akcja 0,0 key=13 b=0 s=0", "AkcjaEdit 0,0 key=13 b=0",
                              "DozwolonaEdycja 0,0", "StartEdycji 0,0", "MaskaEdycji 0,0"}));
    editor->setText(QStringLiteral("abć"));
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();  // Qt commits an editor's text queued
    const Log events = takeLog();
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.back(), "Edycja 0,0 ab\xE6");
    EXPECT_EQ(std::count(events.begin(), events.end(), "DozwolonaEdycja 0,0"), 0);
}

}  // namespace

}  // namespace wykazki
