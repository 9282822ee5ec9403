// Every change is one step that Cofnij takes back exactly and Ponów puts
// back; the modified flag is the history's saved state.

#include "windowfixture.h"

#include "document/classfile.h"
#include "windows/closa.h"
#include "windows/ffwopis.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include <functional>
#include <ostream>
#include <vector>

namespace wykazki {

namespace {

QString plain(const QString& menuText)
{
    QString text = menuText;
    return text.remove(QLatin1Char('&'));
}

}  // namespace

class UndoTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        start();
    }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(&grid(), key, modifiers);
    }
    void undo() { QTest::keyClick(&grid(), Qt::Key_Backspace, Qt::AltModifier); }
    void redo() { QTest::keyClick(&grid(), Qt::Key_Y, Qt::ControlModifier); }
    bool modified() { return editor().isModified(); }
};

// For each kind of change: the change, then Alt+Backspace restores the whole
// class exactly, Ctrl+Y reapplies it exactly, and the menu names the step.
struct UndoStep {
    const char* step;  // as the Edycja menu names it
    std::function<void(class UndoStepTest&)> change;
};
void PrintTo(const UndoStep& s, std::ostream* out)
{
    *out << s.step;
}

class UndoStepTest : public UndoTest, public ::testing::WithParamInterface<UndoStep> {
public:
    static std::vector<UndoStep> steps();
};

std::vector<UndoStep> UndoStepTest::steps()
{
    return {
        {"wpisanie oceny",
         [](UndoStepTest& t) {
             t.select(0, kMaths, 2, kPhysics);
             t.press(Qt::Key_1);
         }},
        {"wpisanie tekstu",
         [](UndoStepTest& t) {
             t.selectCell(1, kRemarks);
             QTest::keyClicks(&t.grid(), QStringLiteral("bdb"));
         }},
        {"usunięcie tekstu",
         [](UndoStepTest& t) {
             t.select(0, kName, 2, kName);
             t.press(Qt::Key_Delete);
         }},
        {"wstawienie tekstu",
         [](UndoStepTest& t) {
             t.select(0, kName, 1, kRemarks);
             t.press(Qt::Key_3, Qt::ControlModifier);
         }},
        {"wklejenie",
         [](UndoStepTest& t) {
             t.selectCell(0, kName);
             t.grid().pasteText("Ala\tOla\r\nCelujący\tdopuszczający\r\n");
         }},
        {"dodanie ucznia",
         [](UndoStepTest& t) {
             t.selectCell(kPupilCount - 1, kName);  // after the last pupil
             t.window().speedButton(3).click();
         }},
        {"usunięcie ucznia",
         [](UndoStepTest& t) {
             t.selectCell(0, kName);  // the first pupil
             t.window().speedButton(4).click();
         }},
        {"usunięcie ucznia",
         [](UndoStepTest& t) {
             t.selectCell(kPupilCount - 1, kName);  // the last pupil
             t.window().speedButton(4).click();
         }},
        {"zmiana opcji",
         [](UndoStepTest& t) {
             closeModalSoon([](QWidget& options) {
                 options.findChild<QLineEdit*>(QStringLiteral("Edit1"))
                     ->setText(QStringLiteral("Słaby"));
             });
             t.window().speedButton(6).click();
         }},
        {"edycja tekstu",
         [](UndoStepTest& t) {
             t.selectCell(2, kRemarks);
             t.window().longTextSwitch().click();
             QTest::keyClicks(&t.context->opis().memo(), QStringLiteral("ok"));
         }},
    };
}

TEST_P(UndoStepTest, undoesAndRedoesExactly)
{
    const UndoStep& c = GetParam();
    setWording(11 + 3, "promowany");
    editor().undoStack().clear();
    const ClassFileContents before = doc().contents();
    c.change(*this);
    const ClassFileContents after = doc().contents();
    ASSERT_NE(after, before);
    EXPECT_TRUE(modified());
    EXPECT_EQ(plain(window().undoAction().text()),
              QStringLiteral("Cofnij: ") + QString::fromUtf8(c.step));
    EXPECT_EQ(editor().undoStack().count(), 1) << "one step";

    window().undoAction().trigger();
    EXPECT_EQ(doc().contents(), before);
    EXPECT_FALSE(modified());
    EXPECT_EQ(plain(window().redoAction().text()),
              QStringLiteral("Ponów: ") + QString::fromUtf8(c.step));
    window().redoAction().trigger();
    EXPECT_EQ(doc().contents(), after);
}

INSTANTIATE_TEST_SUITE_P(EveryKind, UndoStepTest, ::testing::ValuesIn(UndoStepTest::steps()));

TEST_F(UndoTest, altBackspaceUndoesAndCtrlYRedoesFromTheGridAndTheLongTextEditor)
{
    selectCell(1, kMaths);
    press(Qt::Key_6);
    undo();
    EXPECT_EQ(value(1, kMaths).grade, 0);
    redo();
    EXPECT_EQ(value(1, kMaths).grade, 5);

    selectCell(1, kRemarks);
    window().longTextSwitch().click();
    QPlainTextEdit& memo = context->opis().memo();
    context->opis().activateWindow();  // as a click into it does
    ASSERT_TRUE(QTest::qWaitForWindowActive(&context->opis()));
    QTest::keyClicks(&memo, QStringLiteral("ab"));
    QTest::keyClick(&memo, Qt::Key_Backspace, Qt::AltModifier);
    EXPECT_EQ(value(1, kRemarks).text, "");
    EXPECT_EQ(memo.toPlainText(), QString()) << "the editor shows what was undone";
    QTest::keyClick(&memo, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(value(1, kRemarks).text, "ab");
}

TEST_F(UndoTest, keysThatChangeNothingAreNoStep)
{
    selectCell(0, kMaths);  // holds "Bardzo dobry", key 5
    press(Qt::Key_5);
    selectCell(1, kRemarks);
    QTest::keyClicks(&grid(), QStringLiteral("x"));
    press(Qt::Key_Backspace);  // typed and taken back: nothing left
    EXPECT_EQ(editor().undoStack().count(), 0);
    EXPECT_FALSE(modified());
    EXPECT_FALSE(window().undoAction().isEnabled());
    EXPECT_EQ(plain(window().undoAction().text()), QStringLiteral("Cofnij"));
}

TEST_F(UndoTest, typingInOneCellIsOneStepUntilTheCellIsLeft)
{
    selectCell(0, kRemarks);
    QTest::keyClicks(&grid(), QStringLiteral("dobrze"));
    press(Qt::Key_Down);
    grid().viewport()->repaint();  // the grid reports the new cell at the latest when it paints
    press(Qt::Key_Up);
    grid().viewport()->repaint();
    QTest::keyClicks(&grid(), QStringLiteral("!"));
    EXPECT_EQ(editor().undoStack().count(), 2);
    undo();
    EXPECT_EQ(value(0, kRemarks).text, "dobrze");
    undo();
    EXPECT_EQ(value(0, kRemarks).text, "");
}

// The flag after read, edit, save, undo to the saved state and edit again.
TEST_F(UndoTest, theModifiedFlagIsTheSavedStateOfTheHistory)
{
    EXPECT_FALSE(modified()) << "after a read";
    selectCell(0, kMaths);
    press(Qt::Key_2);
    EXPECT_TRUE(modified());
    window().speedButton(1).click();
    EXPECT_FALSE(modified()) << "after a save";
    press(Qt::Key_6);
    EXPECT_TRUE(modified());
    undo();
    EXPECT_FALSE(modified()) << "back at what was saved";
    undo();
    EXPECT_TRUE(modified()) << "before what was saved";
    redo();
    EXPECT_FALSE(modified());
    press(Qt::Key_3);
    EXPECT_TRUE(modified());
    EXPECT_FALSE(window().redoAction().isEnabled()) << "a new step ends the redo branch";

    // The closing question follows the flag.
    dialogs->questionAnswers.push_back(QMessageBox::Cancel);
    EXPECT_FALSE(window().close());
    EXPECT_EQ(dialogs->questions.size(), 1u);
}

TEST_F(UndoTest, anOptionsChangeMakesClosingAsk)
{
    closeModalSoon([](QWidget& options) {
        options.findChild<QLineEdit*>(QStringLiteral("Edit12"))->setText(QStringLiteral("wzorowe"));
    });
    window().speedButton(6).click();
    dialogs->questionAnswers.push_back(QMessageBox::Cancel);
    EXPECT_FALSE(window().close());
    EXPECT_EQ(dialogs->questions.size(), 1u);
}

TEST_F(UndoTest, readingAndNowyStartANewHistory)
{
    selectCell(0, kMaths);
    press(Qt::Key_2);
    dialogs->questionAnswers.push_back(QMessageBox::No);
    action(window(), "Nowy1")->trigger();
    EXPECT_EQ(editor().undoStack().count(), 0);
    EXPECT_TRUE(modified()) << "Nowy leaves the flag";

    dialogs->questionAnswers.push_back(QMessageBox::No);
    dialogs->openAnswers.push_back(folder.filePath(QStringLiteral("Przyklad.wkz")));
    action(window(), "Odczytaj1")->trigger();
    EXPECT_EQ(editor().undoStack().count(), 0);
    EXPECT_FALSE(modified());
}

// Browsing with the long-text editor on shows texts without storing them:
// a lone line feed stays a lone line feed and the flag stays clear.
TEST_F(UndoTest, browsingWithTheLongTextEditorChangesNothing)
{
    setText(1, kRemarks, "jeden\ndwa\r\ntrzy");
    markSaved();
    const ClassFileContents before = doc().contents();
    window().longTextSwitch().click();
    for (int x = 0; x < kPupilCount; ++x) {
        for (int y = 0; y < kPhraseCount; ++y) {
            selectCell(x, y);
            grid().viewport()->repaint();
        }
    }
    EXPECT_EQ(context->opis().boundPupil(), kPupilCount - 1);
    EXPECT_EQ(doc().contents(), before);
    EXPECT_FALSE(modified());
}

TEST_F(UndoTest, aFailedSaveUnderANewNameKeepsTheCurrentFile)
{
    const QString current = context->closa().saveFileName();
    dialogs->saveAnswers.push_back(folder.filePath(QStringLiteral("nie/ma/takiego/folderu.wkz")));
    modify();
    action(window(), "Zapiszpodnownazw1")->trigger();
    EXPECT_EQ(dialogs->errors.size(), 1u);
    EXPECT_EQ(context->closa().saveFileName(), current);
    EXPECT_TRUE(window().statusText().startsWith(QStringLiteral("Nie zapisano: ")));
    EXPECT_TRUE(modified());
    // The next change brings back the current file's line.
    QApplication::processEvents();
    setText(0, kRemarks, "inna zmiana");
    EXPECT_EQ(window().statusText(), current);
}

// After the pupils change, the long-text editor never writes into a pupil
// it no longer shows.
TEST_F(UndoTest, removingThePupilTheLongTextEditorShowsLetsItGo)
{
    selectCell(kPupilCount - 1, kRemarks);
    window().longTextSwitch().click();
    ASSERT_EQ(context->opis().boundPupil(), kPupilCount - 1);
    window().speedButton(4).click();
    EXPECT_NE(context->opis().boundPupil(), kPupilCount - 1);
    QTest::keyClicks(&context->opis().memo(), QStringLiteral("x"));
    for (int x = 0; x < kPupilCount - 1; ++x)
        EXPECT_NE(value(x, kRemarks).text, "x") << x;
}

}  // namespace wykazki
