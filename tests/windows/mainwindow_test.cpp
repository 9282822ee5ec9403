// The main window: start-up with the sample class, the grid-size rule, the
// file commands, Nowy and the close query.

#include "windowfixture.h"

#include "document/classfile.h"
#include "document/ekolmoerror.h"
#include "windows/closa.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <map>

namespace wykazki {

namespace {

const QString kReadFailed = QStringLiteral(" Odczyt danych z archiwum nie powiódł się");
const QString kWrongVersion = QStringLiteral(" Niewłaściwa wersja pliku z danymi");
const QString kSaveQuestion = QStringLiteral("Zapisać zmiany na dysku?");

}  // namespace

TEST_F(WindowTest, startOpensTheSampleAndShowsItsHeadersCellsAndAverages)
{
    start();
    EXPECT_TRUE(dialogs->errors.empty());
    EXPECT_EQ(window().statusText(), folder.filePath(QStringLiteral("Przyklad.wkz")));
    EXPECT_FALSE(editor().isModified());

    EXPECT_EQ(grid().Ilx(), kPupilCount + 1);
    EXPECT_EQ(grid().Ily(), kPhraseCount + 1);
    EXPECT_EQ(columnHeader(0), QStringLiteral("1"));
    EXPECT_EQ(columnHeader(2), QStringLiteral("3"));
    EXPECT_EQ(columnHeader(3), QStringLiteral("Średnia"));
    EXPECT_EQ(rowHeader(kName), QStringLiteral("Imię i nazwisko"));
    EXPECT_EQ(rowHeader(kPhraseCount), QStringLiteral("Średnia ucznia"));

    TKolor colour = 0;
    EXPECT_EQ(cell(2, kName, &colour), QStringLiteral("Zofia Wiśniewska"));
    EXPECT_EQ(cell(0, kMaths, &colour), QStringLiteral("Bardzo dobry"));
    EXPECT_EQ(colour, 0xFFFF00u);  // aqua
    EXPECT_EQ(cell(1, kPhysics, &colour), QStringLiteral("--------------"));
    EXPECT_EQ(colour, 0xFF0000u);  // blue
    EXPECT_EQ(cell(0, kEmblem, &colour), QStringLiteral("godlo"));
    EXPECT_EQ(colour, 0x00FF00u);  // lime
    EXPECT_EQ(cell(0, kRemarks, &colour), QString());
    EXPECT_EQ(colour, 0xFFFFFFu);  // white: empty text

    // Averages: pupil 1 has 5 and 6, maths holds 5, 1 and 3.
    EXPECT_EQ(cell(0, kPhraseCount), QStringLiteral("5,50"));
    EXPECT_EQ(cell(kPupilCount, kMaths), QStringLiteral("3,00"));
    EXPECT_EQ(cell(kPupilCount, kName, &colour), QStringLiteral("........"));
    EXPECT_EQ(colour, 0x00FF00u);
    EXPECT_EQ(cell(kPupilCount, kPhraseCount), QStringLiteral("3,80"));

    EXPECT_TRUE(window().speedButton(7).isEnabled());
    EXPECT_TRUE(window().speedButton(8).isEnabled());
}

TEST_F(WindowTest, readAppliesTheStoredWindowRectangleAndGridLayout)
{
    start();
    EXPECT_EQ(window().size(), QSize(800, 600));
    EXPECT_EQ(grid().columnWidthAt(0), 120);
    EXPECT_EQ(grid().columnWidthAt(2), 91);
    EXPECT_EQ(grid().rowHeightAt(5), 30);
}

TEST_F(WindowTest, missingSampleIsReportedAndLeavesTheEmptyDocument)
{
    start(false);
    ASSERT_EQ(dialogs->errors.size(), 1u);
    EXPECT_EQ(dialogs->errors[0],
              folder.filePath(QStringLiteral("Przyklad.wkz")) + QLatin1Char('\n') + kReadFailed);
    EXPECT_EQ(doc().phrases().count(), 0u);
    EXPECT_EQ(window().statusText(), QString());

    EXPECT_EQ(grid().Ilx(), 1);
    EXPECT_EQ(grid().Ily(), 1);
    EXPECT_FALSE(window().speedButton(7).isEnabled());
    EXPECT_FALSE(window().speedButton(8).isEnabled());
    EXPECT_EQ(columnHeader(0), QStringLiteral("........"));
    EXPECT_EQ(rowHeader(0), QStringLiteral("........"));
    EXPECT_EQ(cell(0, 0), QStringLiteral("........"));

    // No class file gives the size: the first one shows every button.
    EXPECT_GE(window().width(), 361);
    EXPECT_GE(window().height(), 267);
    for (int button = 1; button <= 9; ++button)
        EXPECT_TRUE(window().speedButton(button).isVisible()) << button;
}

TEST_F(WindowTest, openUsesItsDialogAndReadsTheChosenFile)
{
    start();
    ClassFileContents other = sampleClass();
    other.phrases[kName].name = "Nazwisko";
    const QString path = writeClass(QStringLiteral("inna.wkz"), other);
    dialogs->openAnswers.push_back(path);

    action(window(), "Odczytaj1")->trigger();

    ASSERT_EQ(dialogs->openAsked.size(), 1u);
    EXPECT_EQ(dialogs->openAsked[0].title, QStringLiteral("Otwieranie pliku z wykazkami"));
    EXPECT_EQ(dialogs->openAsked[0].filter,
              QStringLiteral("Pliki świadectw (*.wkz);;Wszystkie pliki (*)"));
    EXPECT_EQ(rowHeader(kName), QStringLiteral("Nazwisko"));
    EXPECT_EQ(window().statusText(), path);
    EXPECT_EQ(context->closa().saveFileName(), path);
}

TEST_F(WindowTest, failedReadsLeaveTheDocumentAsItWas)
{
    start();
    setText(0, kName, "zmieniony");
    const Document before = doc();

    ClassFileContents future = sampleClass();
    QByteArray bytes = QByteArray::fromStdString(writeClassFile(future));
    bytes[0] = 57;  // a version this program does not know
    QFile file(folder.filePath(QStringLiteral("nowsza.wkz")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    QFile truncated(folder.filePath(QStringLiteral("urwany.wkz")));
    ASSERT_TRUE(truncated.open(QIODevice::WriteOnly));
    bytes[0] = 56;
    truncated.write(bytes.left(bytes.size() / 2));
    truncated.close();

    dialogs->openAnswers = {file.fileName(), truncated.fileName()};
    dialogs->questionAnswers = {QMessageBox::No, QMessageBox::No};
    action(window(), "Odczytaj1")->trigger();
    // One window names the file and says both what and why.
    ASSERT_EQ(dialogs->errors.size(), 1u);
    EXPECT_EQ(dialogs->errors[0], file.fileName() + QLatin1Char('\n') + kWrongVersion
                                      + QLatin1Char('\n') + kReadFailed);

    action(window(), "Odczytaj1")->trigger();
    ASSERT_EQ(dialogs->errors.size(), 2u);
    EXPECT_EQ(dialogs->errors[1], truncated.fileName() + QLatin1Char('\n') + kReadFailed);

    EXPECT_EQ(doc().phrases(), before.phrases());
    EXPECT_EQ(doc().pupils(), before.pupils());
    EXPECT_TRUE(editor().isModified());
    EXPECT_EQ(window().statusText(), folder.filePath(QStringLiteral("Przyklad.wkz")));
}

TEST_F(WindowTest, cancelledOpenChangesNothing)
{
    start();
    action(window(), "Odczytaj1")->trigger();
    EXPECT_EQ(dialogs->openAsked.size(), 1u);
    EXPECT_TRUE(dialogs->errors.empty());
    EXPECT_EQ(doc().pupils().count(), static_cast<std::size_t>(kPupilCount));
}

// Odczytaj on a modified document asks first, as Nowy does.
struct OpenOverChanges {
    bool modified;
    QMessageBox::StandardButton answer;
    bool asked;
    bool read;   // the chosen file replaced the document
    bool saved;  // the changes reached Przyklad.wkz first
};

class OpenOverChangesTest : public WindowTest,
                            public ::testing::WithParamInterface<OpenOverChanges> {};

TEST_P(OpenOverChangesTest, asksToSaveAndFollowsTheAnswer)
{
    const OpenOverChanges& row = GetParam();
    start();
    if (row.modified)
        setText(0, kRemarks, "niezapisane");
    ClassFileContents other = sampleClass();
    other.phrases[kName].name = "Nazwisko";
    dialogs->openAnswers.push_back(writeClass(QStringLiteral("inna.wkz"), other));
    dialogs->questionAnswers.push_back(row.answer);

    action(window(), "Odczytaj1")->trigger();

    ASSERT_EQ(dialogs->questions.size(), row.asked ? 1u : 0u);
    if (row.asked) {
        EXPECT_EQ(dialogs->questions[0].title, QStringLiteral("Wykazki 2.0"));
        EXPECT_EQ(dialogs->questions[0].text, kSaveQuestion);
    }
    EXPECT_EQ(dialogs->openAsked.size(), row.read ? 1u : 0u);
    EXPECT_EQ(rowHeader(kName) == QStringLiteral("Nazwisko"), row.read);
    if (!row.read) {
        EXPECT_EQ(value(0, kRemarks).text, "niezapisane");
        EXPECT_TRUE(editor().isModified());
    }
    const ClassFileContents sample = readClassFileAt(
        QFile::encodeName(folder.filePath(QStringLiteral("Przyklad.wkz"))).toStdString());
    EXPECT_EQ(sample.pupils.value(0, kRemarks).text == "niezapisane", row.saved);
}

INSTANTIATE_TEST_SUITE_P(
    Odczytaj, OpenOverChangesTest,
    ::testing::Values(OpenOverChanges{false, QMessageBox::Cancel, false, true, false},
                      OpenOverChanges{true, QMessageBox::Cancel, true, false, false},
                      OpenOverChanges{true, QMessageBox::No, true, true, false},
                      OpenOverChanges{true, QMessageBox::Yes, true, true, true}));

TEST_F(WindowTest, saveWritesWhatIsReadBackEqual)
{
    start();
    setText(1, kRemarks, cp("Ząb za ząb"));
    setGrade(2, kMaths, 9);
    setWording(12, "promowany");
    grid().setSzerIo(1, 133);
    window().resize(700, 500);
    modify();

    window().speedButton(1).click();

    const QString path = folder.filePath(QStringLiteral("Przyklad.wkz"));
    const ClassFileContents back = readClassFileAt(QFile::encodeName(path).toStdString());
    EXPECT_EQ(back.phrases, doc().phrases());
    EXPECT_EQ(back.pupils, doc().pupils());
    EXPECT_EQ(back.options, doc().options());
    EXPECT_EQ(back.screen.pupilGrid, grid().gridLayout());
    EXPECT_EQ(back.screen.pupilGrid.columnWidths[2], 133);
    EXPECT_EQ(back.screen.main.right - back.screen.main.left, 700);
    EXPECT_EQ(back.screen.main.bottom - back.screen.main.top, 500);
    // Windows this program does not show yet keep their stored rectangles.
    EXPECT_EQ(back.screen.phraseEditor, (WindowRect{1, 2, 303, 404}));
    // What is saved is no longer modified.
    EXPECT_FALSE(editor().isModified());
}

TEST_F(WindowTest, saveWithoutAFileNameAsksForOneAndShowsIt)
{
    start();
    action(window(), "Nowy1")->trigger();  // unmodified: no question
    EXPECT_TRUE(dialogs->questions.empty());
    EXPECT_EQ(window().statusText(), QString());

    window().speedButton(1).click();  // cancelled
    ASSERT_EQ(dialogs->saveAsked.size(), 1u);
    EXPECT_EQ(dialogs->saveAsked[0].title, QStringLiteral("Zapis pliku z wykazkami"));
    EXPECT_EQ(dialogs->saveAsked[0].filter, QStringLiteral("Pliki świadectw (*.wkz)"));
    EXPECT_EQ(dialogs->saveAsked[0].defaultSuffix, QStringLiteral("wkz"));

    const QString path = folder.filePath(QStringLiteral("nowa.wkz"));
    dialogs->saveAnswers.push_back(path);
    action(window(), "Zapisz1")->trigger();
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_EQ(window().statusText(), QStringLiteral("Zapisano: ") + path);
    EXPECT_EQ(context->closa().saveFileName(), path);
}

TEST_F(WindowTest, saveAsAlwaysAsksAndTheNewNameBecomesCurrent)
{
    start();
    const QString path = folder.filePath(QStringLiteral("kopia.wkz"));
    dialogs->saveAnswers.push_back(path);
    action(window(), "Zapiszpodnownazw1")->trigger();
    ASSERT_EQ(dialogs->saveAsked.size(), 1u);
    EXPECT_EQ(dialogs->saveAsked[0].fileName, folder.filePath(QStringLiteral("Przyklad.wkz")));
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_EQ(window().statusText(), QStringLiteral("Zapisano: ") + path);
}

TEST_F(WindowTest, failedSaveIsReported)
{
    start();
    dialogs->saveAnswers.push_back(folder.filePath(QStringLiteral("brak/nie/ma.wkz")));
    action(window(), "Zapiszpodnownazw1")->trigger();
    ASSERT_EQ(dialogs->errors.size(), 1u);
    EXPECT_EQ(dialogs->errors[0], QStringLiteral(" Zapis danych do archiwum nie powiódł się"));
    EXPECT_TRUE(window().statusText().startsWith(QStringLiteral("Nie zapisano: ")))
        << window().statusText().toStdString();
    EXPECT_TRUE(window().statusText().contains(QStringLiteral("ma.wkz")));
}

TEST_F(WindowTest, nowyOnAModifiedDocumentAsksAndFollowsTheAnswer)
{
    start();
    modify();

    dialogs->questionAnswers.push_back(QMessageBox::Cancel);
    action(window(), "Nowy1")->trigger();
    ASSERT_EQ(dialogs->questions.size(), 1u);
    EXPECT_EQ(dialogs->questions[0].title, QStringLiteral("Wykazki 2.0"));
    EXPECT_EQ(dialogs->questions[0].text, kSaveQuestion);
    EXPECT_EQ(doc().pupils().count(), static_cast<std::size_t>(kPupilCount));
    EXPECT_FALSE(window().statusText().isEmpty());

    setWording(11, "zostaje");
    dialogs->questionAnswers.push_back(QMessageBox::No);
    action(window(), "Nowy1")->trigger();
    EXPECT_EQ(doc().pupils().count(), 0u);
    EXPECT_EQ(doc().phrases().count(), 0u);
    EXPECT_TRUE(editor().isModified());  // Nowy leaves the flag alone
    EXPECT_EQ(doc().options().wordings[11], "zostaje");
    EXPECT_EQ(window().statusText(), QString());
    EXPECT_EQ(grid().Ilx(), 1);
    EXPECT_FALSE(window().speedButton(7).isEnabled());
}

TEST_F(WindowTest, nowyAnsweredYesSavesFirst)
{
    start();
    setText(0, kRemarks, "zapisane");
    dialogs->questionAnswers.push_back(QMessageBox::Yes);
    action(window(), "Nowy1")->trigger();

    EXPECT_EQ(doc().pupils().count(), 0u);
    const ClassFileContents back = readClassFileAt(
        QFile::encodeName(folder.filePath(QStringLiteral("Przyklad.wkz"))).toStdString());
    EXPECT_EQ(back.pupils.value(0, kRemarks).text, "zapisane");
}

TEST_F(WindowTest, closingWithoutChangesAsksNothing)
{
    start();
    EXPECT_TRUE(window().close());
    EXPECT_TRUE(dialogs->questions.empty());
}

TEST_F(WindowTest, closingAModifiedDocumentAsksOnceAndCancelKeepsTheWindow)
{
    start();
    modify();
    dialogs->questionAnswers.push_back(QMessageBox::Cancel);
    window().speedButton(9).click();
    ASSERT_EQ(dialogs->questions.size(), 1u);
    EXPECT_EQ(dialogs->questions[0].title, QStringLiteral("Wykazki"));
    EXPECT_EQ(dialogs->questions[0].text, kSaveQuestion);
    EXPECT_TRUE(window().isVisible());

    dialogs->questionAnswers.push_back(QMessageBox::No);
    action(window(), "Koniec1")->trigger();
    EXPECT_EQ(dialogs->questions.size(), 2u);
    EXPECT_FALSE(window().isVisible());
}

TEST_F(WindowTest, closingAnsweredYesSavesAndCloses)
{
    start();
    setText(2, kRemarks, "na dysk");
    dialogs->questionAnswers.push_back(QMessageBox::Yes);
    EXPECT_TRUE(window().close());
    const ClassFileContents back = readClassFileAt(
        QFile::encodeName(folder.filePath(QStringLiteral("Przyklad.wkz"))).toStdString());
    EXPECT_EQ(back.pupils.value(2, kRemarks).text, "na dysk");
}

TEST_F(WindowTest, closingAnsweredYesStaysOpenWhenNothingWasSaved)
{
    start();
    dialogs->questionAnswers.push_back(QMessageBox::No);
    modify();
    action(window(), "Nowy1")->trigger();  // no file name any more
    dialogs->questionAnswers.push_back(QMessageBox::Yes);
    EXPECT_FALSE(window().close());  // the save dialog was cancelled
    EXPECT_TRUE(window().isVisible());
}

TEST_F(WindowTest, menusAndToolbarFollowTheirOrderShortcutsAndHints)
{
    start();
    QStringList titles;
    for (QAction* a : window().menuBar()->actions())
        titles << a->text();
    EXPECT_EQ(titles, (QStringList{QStringLiteral("&Pliki"), QStringLiteral("&Edycja"),
                                   QStringLiteral("&Opcje"), QStringLiteral("Pomoc")}));

    QStringList files;
    for (QAction* a : window().menuBar()->actions().at(0)->menu()->actions())
        files << (a->isSeparator() ? QStringLiteral("-") : a->text());
    EXPECT_EQ(files, (QStringList{QStringLiteral("&Nowy"), QStringLiteral("-"),
                                  QStringLiteral("&Odczytaj"), QStringLiteral("&Zapisz"),
                                  QStringLiteral("Z&apisz pod nową nazwą"), QStringLiteral("-"),
                                  QStringLiteral("&Importuj z arkusza…"),
                                  QStringLiteral("&Eksportuj do arkusza…"), QStringLiteral("-"),
                                  QStringLiteral("&Rozmnóż na poszczególne oddziały"),
                                  QStringLiteral("-"), QStringLiteral("&Drukuj zaznaczone wykazki"),
                                  QStringLiteral("-"), QStringLiteral("&Koniec")}));
    EXPECT_EQ(action(window(), "Zapisz1")->shortcut(), QKeySequence(QStringLiteral("Ctrl+Z")));
    EXPECT_EQ(action(window(), "Zapiszpodnownazw1")->shortcut(),
              QKeySequence(QStringLiteral("Ctrl+A")));
    EXPECT_EQ(action(window(), "Odczytaj1")->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
    EXPECT_EQ(action(window(), "Drukujzaznwkz1")->shortcut(),
              QKeySequence(QStringLiteral("Ctrl+P")));
    EXPECT_EQ(action(window(), "Wklejzzamiana1")->shortcut(),
              QKeySequence(QStringLiteral("Ctrl+Shift+V")));

    const char* hints[9] = {"Zapisz",          "Edytuj elementy świadectwa",
                            "Dodaj ucznia",    "Usuń ucznia",
                            "Drukuj dane",     "Opcje",
                            "Podgląd wykazki", "Wydruk wykazek",
                            "Zamknij"};
    for (int i = 1; i <= 9; ++i) {
        EXPECT_EQ(window().speedButton(i).toolTip(), QString::fromUtf8(hints[i - 1]));
        EXPECT_FALSE(window().speedButton(i).icon().isNull()) << i;
    }
}

TEST_F(WindowTest, previewAndPrintHandOverPupilsAndTheChosenPage)
{
    start();
    QSignalSpy preview(&window(), &Tffwmain::previewRequested);
    QSignalSpy print(&window(), &Tffwmain::printRequested);
    window().setChosenPage(2);

    selectCell(kPupilCount, 0);  // the averages column
    window().speedButton(7).click();
    EXPECT_EQ(preview.count(), 0);

    selectCell(1, kMaths);
    closeModalSoon();
    window().speedButton(7).click();
    ASSERT_EQ(preview.count(), 1);
    EXPECT_EQ(preview.at(0).at(0).toInt(), 1);
    EXPECT_EQ(preview.at(0).at(1).toInt(), 2);

    select(1, 0, kPupilCount, 2);  // two pupils and the averages
    EXPECT_EQ(window().selectedPupils(), (std::vector<std::size_t>{1, 2}));
    window().speedButton(8).click();
    EXPECT_EQ(print.count(), 1);
}

TEST_F(WindowTest, phrasesOfTheChosenPageHaveRedHeaders)
{
    start();
    TKolor colour = 0;
    rowHeader(kName, &colour);
    EXPECT_EQ(colour, 0x0000FFu);
    rowHeader(kMaths, &colour);
    EXPECT_NE(colour, 0x0000FFu);

    window().setChosenPage(1);
    rowHeader(kName, &colour);
    EXPECT_NE(colour, 0x0000FFu);
    rowHeader(kPhysics, &colour);
    EXPECT_EQ(colour, 0x0000FFu);
}

TEST_F(WindowTest, phraseEditorOpensOnTheCurrentPhraseOrTheFirst)
{
    start();
    QSignalSpy editor(&window(), &Tffwmain::phraseEditorRequested);
    selectCell(0, kPhysics);
    window().speedButton(2).click();
    selectCell(0, kPhraseCount);  // the pupils' averages row
    window().speedButton(2).click();
    ASSERT_EQ(editor.count(), 2);
    EXPECT_EQ(editor.at(0).at(0).toInt(), kPhysics);
    EXPECT_EQ(editor.at(1).at(0).toInt(), 0);
}

TEST_F(WindowTest, shortcutsReachTheirCommandsFromTheGrid)
{
    start();
    window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    grid().setFocus();
    QTest::keyClick(&grid(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(dialogs->openAsked.size(), 1u);
    QTest::keyClick(&grid(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(dialogs->saveAsked.size(), 1u);
}

TEST_F(WindowTest, printingWithoutPhrasesIsDisabledByButtonMenuAndShortcutAlike)
{
    start();
    window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    QSignalSpy print(&window(), &Tffwmain::printRequested);
    context->printer().setOutputFormat(QPrinter::PdfFormat);
    context->printer().setOutputFileName(folder.filePath(QStringLiteral("karta.pdf")));
    selectCell(0, 0);
    QTest::keyClick(&grid(), Qt::Key_P, Qt::ControlModifier);
    ASSERT_EQ(print.count(), 1);  // the shortcut works while there are cards

    action(window(), "Nowy1")->trigger();
    window().speedButton(3).click();  // a pupil, but no phrase: no card to print
    ASSERT_EQ(doc().pupils().count(), 1u);
    selectCell(0, 0);
    ASSERT_EQ(window().selectedPupils(), (std::vector<std::size_t>{0}));

    EXPECT_FALSE(window().speedButton(8).isEnabled());
    EXPECT_FALSE(action(window(), "Drukujzaznwkz1")->isEnabled());
    const std::pair<const char*, std::function<void()>> ways[] = {
        {"toolbar", [this] { window().speedButton(8).click(); }},
        {"menu", [this] { action(window(), "Drukujzaznwkz1")->trigger(); }},
        {"Ctrl+P", [this] { QTest::keyClick(&grid(), Qt::Key_P, Qt::ControlModifier); }},
    };
    for (const auto& [way, run] : ways) {
        run();
        EXPECT_EQ(print.count(), 1) << way;
    }
}

namespace {

// Alt and one letter runs one command of a menu, never picks between two.
TEST_F(WindowTest, everyMenusAcceleratorsAreItsOwn)
{
    start();
    for (const QAction* top : window().menuBar()->actions()) {
        if (top->menu() == nullptr)
            continue;
        std::map<QChar, QString> owners;
        for (const QAction* item : top->menu()->actions()) {
            const QString text = item->text();
            const qsizetype at = text.indexOf(u'&');
            if (at < 0 || at + 1 >= text.size())
                continue;
            const QChar key = text[at + 1].toLower();
            EXPECT_FALSE(owners.count(key))
                << top->text().toStdString() << ": " << text.toStdString() << " / "
                << owners[key].toStdString();
            owners[key] = text;
        }
    }
}

}  // namespace

}  // namespace wykazki
