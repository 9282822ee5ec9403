// What a hurried teacher does by accident must not destroy data: keys that
// change nothing, text typed over a block, clearing keys, pastes from
// spreadsheets, swallowed keystrokes, the long-text editor after the
// pupils change, and removing a pupil.

#include "windowfixture.h"

#include "windows/closa.h"

#include "document/classfile.h"
#include "qtbridge/cp1250text.h"
#include "windows/ffwopis.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QTest>

namespace wykazki {

namespace {

constexpr int kVeryGood = 4;
constexpr int kExcellent = 5;
constexpr int kBrak = 6;

}  // namespace

class AccidentTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        start();
        setText(0, kRemarks, "pierwsza");
        setText(1, kRemarks, "druga");
        markSaved();
    }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(&grid(), key, modifiers);
    }
    void selectAll() { select(0, 0, kPupilCount - 1, kPhraseCount - 1); }
};

// 1. A key the rules refuse writes nothing, not even the current cell's
// value into the rest of the selection.
TEST_F(AccidentTest, keysThatChangeNothingWriteNothing)
{
    const struct {
        const char* what;
        int x, y;  // the current cell
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
    } cases[] = {
        {"Escape on texts", 0, kName, Qt::Key_Escape, Qt::NoModifier},
        {"Ctrl+X on texts", 0, kName, Qt::Key_X, Qt::ControlModifier},
        {"a letter in a grade cell", 0, kMaths, Qt::Key_X, Qt::NoModifier},
        {"Backspace in an empty text", 2, kRemarks, Qt::Key_Backspace, Qt::NoModifier},
    };
    const ClassFileContents before = doc().contents();
    for (const auto& c : cases) {
        selectAll();
        grid().setPozX(c.x);
        grid().setPozY(c.y);
        grid().selectRange(GridRect{1, 1, kPupilCount, kPhraseCount});
        press(c.key, c.modifiers);
        EXPECT_EQ(doc().contents(), before) << c.what;
    }
    EXPECT_FALSE(editor().isModified());

    // The deliberate click on the current cell still fills its row.
    select(0, kName, 1, kRemarks);
    QTest::mouseClick(grid().viewport(), Qt::LeftButton, {},
                      grid().cellRect(1, kName + 1).center());
    EXPECT_EQ(value(1, kName).text, value(0, kName).text);
    EXPECT_EQ(value(1, kRemarks).text, "druga") << "another phrase";
}

// 2. Typed text is one phrase's value; Delete and grade keys still work
// on the whole block.
TEST_F(AccidentTest, typedTextGoesIntoTheCurrentPhraseOnly)
{
    select(0, kName, 0, kRemarks);  // a pupil's whole column, current on the name
    press(Qt::Key_5);
    EXPECT_EQ(qstringFromCp1250(value(0, kName).text), QStringLiteral("Anna Kowalska5"));
    EXPECT_EQ(value(0, kRemarks).text, "pierwsza");
    EXPECT_EQ(value(0, kMaths).grade, kVeryGood) << "a grade cell of the block";

    select(0, kName, 1, kRemarks);
    grid().setPozY(kRemarks);
    grid().selectRange(GridRect{1, 1, 2, kRemarks + 1});
    press(Qt::Key_Delete);
    EXPECT_EQ(value(0, kName).text, "");
    EXPECT_EQ(value(1, kRemarks).text, "");
    EXPECT_EQ(value(0, kMaths).grade, kVeryGood);

    select(0, kName, 1, kRemarks);
    grid().setPozY(kPhysics);
    grid().selectRange(GridRect{1, 1, 2, kRemarks + 1});
    press(Qt::Key_6);
    EXPECT_EQ(value(1, kMaths).grade, kExcellent);
    EXPECT_EQ(value(0, kPhysics).grade, kExcellent);
}

// 3. Clearing a grade cell leaves it empty, never "Niedostateczny".
TEST_F(AccidentTest, clearingAGradeLeavesItEmpty)
{
    selectCell(0, kMaths);
    press(Qt::Key_Delete);
    EXPECT_EQ(value(0, kMaths).grade, kBrak);

    selectCell(1, kMaths);
    press(Qt::Key_Plus);       // typing a number: "1"
    press(Qt::Key_Backspace);  // and taking it back: nothing typed
    EXPECT_EQ(value(1, kMaths).grade, kBrak);
}

// 4. Grades from an e-register or a spreadsheet.
TEST_F(AccidentTest, pastedGradesAreUnderstoodOrLeftAlone)
{
    const struct {
        const char* pasted;
        int grade;
    } cases[] = {
        {"5", 4},        {"bdb", 4}, {"Bdb.", 4}, {"NDST", 0},   {"dop.", 1},
        {"dst", 2},      {"db", 3},  {"cel", 5},  {" 6 ", 5},    {"Celujący", 5},
        {"celujący", 5}, {"xyz", 2}, {"7", 2},    {"bardzo", 2},
    };
    for (const auto& c : cases) {
        setGrade(2, kMaths, 2);
        selectCell(2, kMaths);
        grid().pasteText(cp(c.pasted));
        EXPECT_EQ(value(2, kMaths).grade, c.grade) << c.pasted;
    }
    selectCell(0, kMaths);
    grid().pasteText("5\tzle\r\n?\tndst\r\n");
    EXPECT_EQ(value(0, kMaths).grade, 4);
    EXPECT_EQ(value(1, kPhysics).grade, 0);
    EXPECT_TRUE(window().statusText().contains(QStringLiteral(": 2")))
        << window().statusText().toStdString();
}

// A message belongs to the action that gave it: the next action replaces
// it, and a change without a message of its own brings back the file.
TEST_F(AccidentTest, statusMessagesDoNotOutliveTheirAction)
{
    const QString file = context->closa().saveFileName();
    const auto next = [] { QApplication::processEvents(); };  // the next event
    selectCell(0, kMaths);
    grid().pasteText("zle\r\n");
    EXPECT_TRUE(window().statusText().startsWith(QStringLiteral("Nie rozpoznano ocen")));
    next();
    grid().pasteText("2\r\n");
    EXPECT_EQ(value(0, kMaths).grade, 1);
    EXPECT_EQ(window().statusText(), file);
    next();
    grid().pasteText("zle\r\n");
    next();
    action(window(), "Cofnij1")->trigger();
    EXPECT_EQ(window().statusText(), file);
    next();
    action(window(), "Zapisz1")->trigger();
    EXPECT_EQ(window().statusText(), QStringLiteral("Zapisano: ") + file);
    next();
    QTest::keyClick(&grid(), Qt::Key_4);
    EXPECT_EQ(window().statusText(), file);
}

// 5. A multi-line text with quotes goes to the clipboard as spreadsheets
// write it and comes back as one cell, leaving the phrases below alone.
TEST_F(AccidentTest, multiLineTextsRoundTripThroughTheClipboard)
{
    const std::string text = cp("Konkurs \"Orlik\"\r\n\r\nI miejsce w gminie");
    setText(0, kRemarks, text);
    selectCell(0, kRemarks);
    press(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(),
              QStringLiteral("\"Konkurs \"\"Orlik\"\"\n\nI miejsce w gminie\"\r\n"));

    selectCell(1, kName);
    press(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(value(1, kName).text, text);
    EXPECT_EQ(value(1, kMaths).grade, 0) << "the phrase below";
    EXPECT_EQ(value(1, kRemarks).text, "druga");
}

// 6 and 7. The last cell without a line end arrives; a paste into a
// selection starts at its top-left cell wherever the drag ended.
TEST_F(AccidentTest, pastesArriveWholeAndWhereTheSelectionStarts)
{
    selectCell(2, kName);
    grid().pasteText("Nowak");
    EXPECT_EQ(value(2, kName).text, "Nowak");

    // A drag from pupil 1 to pupil 2 leaves the current cell on pupil 2.
    grid().setPozX(1);
    grid().setPozY(kRemarks);
    grid().selectRange(GridRect{1, kRemarks + 1, 2, kRemarks + 1});
    ASSERT_EQ(grid().PozX(), 1);
    grid().pasteText("A\tB");
    EXPECT_EQ(value(0, kRemarks).text, "A");
    EXPECT_EQ(value(1, kRemarks).text, "B");
    EXPECT_EQ(value(2, kRemarks).text, "");
}

// 8. A key the grid or its owner takes swallows only its own character.
TEST_F(AccidentTest, noKeystrokeIsSwallowedAfterACommandKey)
{
    const struct {
        const char* what;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
    } commands[] = {
        {"Ctrl+1", Qt::Key_1, Qt::ControlModifier},
        {"Ctrl+Insert", Qt::Key_Insert, Qt::ControlModifier},
        {"Shift+Insert", Qt::Key_Insert, Qt::ShiftModifier},
    };
    for (const auto& c : commands) {
        QApplication::clipboard()->setText(QStringLiteral("x"));
        selectCell(0, kName);
        press(c.key, c.modifiers);
        press(Qt::Key_Down);
        grid().setPozX(1);
        setGrade(1, kMaths, 2);
        press(Qt::Key_6);
        EXPECT_EQ(value(1, kMaths).grade, kExcellent) << c.what;
    }
}

// 9. After the pupils or the document change, the long-text editor never
// writes into a pupil it no longer shows.
TEST_F(AccidentTest, theLongTextEditorLetsGoAfterNowyAndARead)
{
    selectCell(1, kRemarks);
    window().longTextSwitch().click();
    Tffwopis& opis = context->opis();
    ASSERT_EQ(opis.boundPupil(), 1);

    dialogs->openAnswers.push_back(folder.filePath(QStringLiteral("Przyklad.wkz")));
    dialogs->questionAnswers.push_back(QMessageBox::No);
    action(window(), "Odczytaj1")->trigger();
    EXPECT_EQ(opis.memo().toPlainText(), QString()) << "the file read has no remark there";

    dialogs->questionAnswers.push_back(QMessageBox::No);
    action(window(), "Nowy1")->trigger();
    EXPECT_TRUE(opis.isReadOnly());
    QTest::keyClicks(&opis.memo(), QStringLiteral("zgubione"));
    EXPECT_EQ(doc().pupils().count(), 0u);
    EXPECT_FALSE(editor().undoStack().canUndo());
}

// 11. The header column and the header row are dragged wider and taller;
// the next save stores them.
TEST_F(AccidentTest, theHeadersResizeByDraggingAndAreSaved)
{
    QHeaderView& left = *grid().verticalHeader();
    const int width = grid().SzerInfo();
    const QPoint edge(width - 1, left.height() / 2);
    QTest::mousePress(left.viewport(), Qt::LeftButton, {}, edge);
    QMouseEvent move(QEvent::MouseMove, QPointF(edge + QPoint(60, 0)), QPointF(), Qt::LeftButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(left.viewport(), &move);
    QTest::mouseRelease(left.viewport(), Qt::LeftButton, {}, edge + QPoint(60, 0));
    EXPECT_EQ(grid().SzerInfo(), width + 60);

    QHeaderView& top = *grid().horizontalHeader();
    const int height = grid().WysInfo();
    const QPoint bottom(top.width() / 2, height - 1);
    QTest::mousePress(top.viewport(), Qt::LeftButton, {}, bottom);
    QMouseEvent down(QEvent::MouseMove, QPointF(bottom + QPoint(0, 10)), QPointF(), Qt::LeftButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(top.viewport(), &down);
    QTest::mouseRelease(top.viewport(), Qt::LeftButton, {}, bottom + QPoint(0, 10));
    EXPECT_EQ(grid().WysInfo(), height + 10);

    modify();
    window().speedButton(1).click();
    const ClassFileContents back = readClassFileAt(
        QFile::encodeName(folder.filePath(QStringLiteral("Przyklad.wkz"))).toStdString());
    EXPECT_EQ(back.screen.pupilGrid.columnWidths[0], width + 60);
    EXPECT_EQ(back.screen.pupilGrid.rowHeights[0], height + 10);
}

// 12. Removing a pupil asks nothing, names the pupil and is undone by one key.
TEST_F(AccidentTest, removingAPupilNamesItAndIsUndone)
{
    const ClassFileContents before = doc().contents();
    selectCell(1, kName);
    window().speedButton(4).click();
    EXPECT_EQ(window().statusText(),
              QStringLiteral("Usunięto ucznia: 2. Jan Nowak, Alt+Backspace cofa"));
    EXPECT_TRUE(dialogs->questions.empty());
    QTest::keyClick(&grid(), Qt::Key_Backspace, Qt::AltModifier);
    EXPECT_EQ(doc().contents(), before);
}

}  // namespace wykazki
