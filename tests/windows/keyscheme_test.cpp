// The keyboard schemes: which keys save, undo and select, chosen per user.

#include "windowfixture.h"

#include "document/classfile.h"
#include "qtbridge/cp1250text.h"
#include "windows/ffwfrazy.h"
#include "windows/ffwopcje.h"
#include "windows/ffwopis.h"
#include "windows/keyscheme.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

namespace wykazki {

namespace {

TEST(KeySchemeChoice, aNewUserGetsModernAnOlderVersionsUserClassic)
{
    const struct {
        QVariant stored;
        bool otherSettings;
        KeyScheme expected;
    } cases[] = {
        {{}, false, KeyScheme::Modern}, {{}, true, KeyScheme::Classic},
        {0, true, KeyScheme::Modern},   {1, false, KeyScheme::Classic},
        {7, false, KeyScheme::Modern},  {QStringLiteral("x"), true, KeyScheme::Classic},
    };
    for (const auto& c : cases)
        EXPECT_EQ(decideKeyScheme(c.stored, c.otherSettings), c.expected)
            << c.stored.toString().toStdString() << c.otherSettings;
}

// The older versions kept no settings: their user is known by class files
// of their own in the program folder, beside the sample every folder has.
TEST(KeySchemeChoice, anOlderVersionsUserIsKnownByClassFilesBesideTheSample)
{
    const struct {
        QStringList files;
        bool usedBefore;
    } cases[] = {
        {{}, false},
        {{QStringLiteral("Przyklad.wkz"), QStringLiteral("wyka2001.rtf")}, false},
        {{QStringLiteral("Przyklad.wkz"), QStringLiteral("7a.wkz")}, true},
        {{QStringLiteral("KLASA.WKZ")}, true},
    };
    for (const auto& c : cases) {
        QTemporaryDir folder;
        for (const QString& name : c.files) {
            QFile file(folder.filePath(name));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
        EXPECT_EQ(olderVersionUsed(folder.path()), c.usedBefore)
            << c.files.join(u' ').toStdString();
    }
}

TEST(KeySchemeChoice, theSchemesShortcuts)
{
    const SchemeShortcuts modern = shortcutsOf(KeyScheme::Modern);
    const SchemeShortcuts classic = shortcutsOf(KeyScheme::Classic);
    const struct {
        QKeySequence actual;
        const char* expected;
    } cases[] = {
        {modern.save, "Ctrl+S"},
        {modern.saveAs, "Ctrl+Shift+S"},
        {modern.newDocument, "Ctrl+N"},
        {modern.selectAll, "Ctrl+A"},
        {modern.undo.value(0), "Ctrl+Z"},
        {modern.undo.value(1), "Alt+Backspace"},
        {modern.redo.value(1), "Ctrl+Shift+Z"},
        {classic.save, "Ctrl+Z"},
        {classic.saveAs, "Ctrl+A"},
        {classic.undo.value(0), "Alt+Backspace"},
        {classic.redo.value(0), "Ctrl+Y"},
        {classic.open, "Ctrl+O"},
        {modern.open, "Ctrl+O"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.actual, QKeySequence(QLatin1String(c.expected))) << c.expected;
}

class KeySchemeTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        start();
        window().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
        grid().setFocus();
    }
    QByteArray onDisk()
    {
        QFile file(folder.filePath(QStringLiteral("Przyklad.wkz")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

// Ctrl+Z after a grade key undoes it and writes nothing in the modern
// scheme; in the classic one it saves.
TEST_F(KeySchemeTest, ctrlZUndoesInTheModernSchemeAndSavesInTheClassic)
{
    const QByteArray before = onDisk();
    window().applyKeyScheme(KeyScheme::Modern);
    selectCell(0, kMaths);
    const std::int8_t grade = value(0, kMaths).grade;
    QTest::keyClick(&grid(), Qt::Key_2);
    ASSERT_NE(value(0, kMaths).grade, grade);
    QTest::keyClick(&grid(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(value(0, kMaths).grade, grade);
    EXPECT_EQ(onDisk(), before);
    QTest::keyClick(&grid(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_NE(value(0, kMaths).grade, grade);
    QTest::keyClick(&grid(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_NE(onDisk(), before);

    window().applyKeyScheme(KeyScheme::Classic);
    const QByteArray saved = onDisk();
    QTest::keyClick(&grid(), Qt::Key_4);
    QTest::keyClick(&grid(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_NE(onDisk(), saved);  // saved, not undone
    EXPECT_EQ(readClassFileAt(
                  QFile::encodeName(folder.filePath(QStringLiteral("Przyklad.wkz"))).toStdString())
                  .pupils.value(0, kMaths)
                  .grade,
              value(0, kMaths).grade);
}

// The save key of either scheme saves from the phrase editor as well.
TEST_F(KeySchemeTest, theSaveKeySavesFromThePhraseEditor)
{
    const struct {
        KeyScheme scheme;
        Qt::Key key;
    } cases[] = {{KeyScheme::Modern, Qt::Key_S}, {KeyScheme::Classic, Qt::Key_Z}};
    for (const auto& c : cases) {
        window().applyKeyScheme(c.scheme);
        setGrade(0, kMaths, static_cast<std::int8_t>(c.key == Qt::Key_S ? 1 : 2));
        const QByteArray before = onDisk();
        Tffwfrazy& phrases = context->phraseEditor();
        phrases.showAtRow(0);
        phrases.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&phrases));
        phrases.grid().setFocus();
        QTest::keyClick(&phrases.grid(), c.key, Qt::ControlModifier);
        EXPECT_NE(onDisk(), before) << keySchemeName(c.scheme).toStdString();
        EXPECT_FALSE(editor().isModified());
        phrases.close();
    }
}

TEST_F(KeySchemeTest, ctrlASelectsTheGridInTheModernScheme)
{
    window().applyKeyScheme(KeyScheme::Modern);
    selectCell(1, 1);
    QTest::keyClick(&grid(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(grid().selectedRange(), (GridRect{1, 1, grid().Ilx(), grid().Ily()}));
    EXPECT_TRUE(dialogs->saveAsked.empty());
    // The menus show the active keys.
    EXPECT_EQ(action(window(), "Zapisz1")->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
    EXPECT_EQ(action(window(), "Cofnij1")->shortcut(), QKeySequence(QStringLiteral("Ctrl+Z")));
}

// The choice in Opcje is the user's and changes the keys at once.
TEST_F(KeySchemeTest, opcjeChangesTheSchemeForThisUser)
{
    closeModalSoon([](QWidget& options) {
        auto* box = options.findChild<QComboBox*>(QStringLiteral("keyScheme"));
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->currentIndex(), 1);  // Klasyczne, as the fixture set
        box->setCurrentIndex(0);
        emit box->activated(0);
    });
    window().speedButton(6).click();
    EXPECT_EQ(window().keyScheme(), KeyScheme::Modern);
    EXPECT_EQ(userKeyScheme(), KeyScheme::Modern);
    EXPECT_EQ(action(window(), "Zapiszpodnownazw1")->shortcut(),
              QKeySequence(QStringLiteral("Ctrl+Shift+S")));
    EXPECT_FALSE(editor().isModified());  // nothing of the class changed
}

// The long-text editor's text box hands the scheme's undo key to the
// program's one history.
TEST_F(KeySchemeTest, theLongTextEditorUndoesWithTheSchemesKeys)
{
    window().applyKeyScheme(KeyScheme::Modern);
    selectCell(0, kRemarks);
    window().longTextSwitch().click();
    QPlainTextEdit& memo = context->opis().memo();
    memo.setFocus();
    QTest::keyClicks(&memo, QStringLiteral("abc"));
    ASSERT_TRUE(qstringFromCp1250(value(0, kRemarks).text).endsWith(QStringLiteral("abc")));
    QTest::keyClick(&memo, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FALSE(qstringFromCp1250(value(0, kRemarks).text).endsWith(QStringLiteral("abc")));
}

}  // namespace

}  // namespace wykazki
