// Pupils from a teacher's sheet through the import dialog, driven with
// keys; the transposed paste; F5 saving the grid as text.

#include "windowfixture.h"

#include "windows/importdialog.h"
#include "windows/jobprogress.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

namespace wykazki {

namespace {

// One pupil per row, as teachers keep them: a known pupil, a new one and
// one with a value that is no grade.
SheetTable teachersSheet()
{
    SheetTable table;
    table.rows = {
        {QStringLiteral("Nazwisko i imię"), QStringLiteral("Matematyka"), QStringLiteral("Fizyka"),
         QStringLiteral("Uwagi")},
        {QStringLiteral("Jan Nowak"), QStringLiteral("bdb"), QStringLiteral("zw")},
        {QStringLiteral("Piotr Zieliński"), QStringLiteral("3"), QStringLiteral("nkl"),
         QStringLiteral("nowy")},
        {QStringLiteral("anna kowalska"), QStringLiteral("xyz"), QStringLiteral("6")},
    };
    return table;
}

ImportSource sourceOf(const SheetTable& table, int* reads = nullptr)
{
    ImportSource source;
    source.isText = true;
    source.read = [table, reads](ImportSource::Encoding, int, QString*) {
        if (reads)
            ++*reads;
        return table;
    };
    return source;
}

class SheetImportTest : public WindowTest {
protected:
    // The user's keys in the import dialog, shown as exec() would show it.
    void inImportDialog(const std::function<void(ImportDialog&)>& keys)
    {
        dialogs->inModal[QStringLiteral("importDialog")] = [keys](QDialog& d) {
            auto& dialog = static_cast<ImportDialog&>(d);
            dialog.setWindowModality(Qt::ApplicationModal);
            dialog.show();
            dialog.activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
            keys(dialog);
            return dialog.result();
        };
    }
};

TEST_F(SheetImportTest, proposedMappingTakenWithEnterUpdatesAndAppendsInOneStep)
{
    start();
    const Document before = doc();
    inImportDialog([](ImportDialog& dialog) {
        EXPECT_EQ(dialog.columnBoxCount(), 4);
        EXPECT_EQ(dialog.columnBox(0).currentText(), QStringLiteral("Imię i nazwisko"));
        EXPECT_EQ(dialog.columnBox(3).currentText(), QStringLiteral("Uwagi"));
        EXPECT_EQ(dialog.preview().rowCount(), 4);
        QTest::keyClick(&dialog, Qt::Key_Return);
    });
    window().importFrom(QStringLiteral("klasa.csv"), sourceOf(teachersSheet()));

    ASSERT_EQ(doc().pupils().count(), 4u);
    EXPECT_EQ(value(1, kMaths).grade, 4);
    EXPECT_EQ(value(1, kPhysics).grade, 8);  // Zwolniony
    EXPECT_EQ(value(0, kMaths).grade, 4) << "xyz leaves the grade";
    EXPECT_EQ(value(0, kPhysics).grade, 5);
    EXPECT_EQ(value(3, kName).text, cp("Piotr Zieliński"));
    EXPECT_EQ(value(3, kPhysics).grade, 10);  // Nieklasyfikowany
    EXPECT_EQ(value(3, kRemarks).text, "nowy");
    EXPECT_EQ(window().statusText(),
              QStringLiteral("Zaimportowano 3 uczniów, 5 ocen; nie rozpoznano 1 wartości: "
                             "„xyz” (B4)."));
    EXPECT_EQ(grid().Ilx(), 5) << "the new pupil's column";

    action(window(), "Cofnij1")->trigger();
    EXPECT_EQ(doc().pupils(), before.pupils());
}

// A long import shows its progress; Anuluj there leaves the class as it
// was, with no step to undo; a job let run imports every pupil.
TEST_F(SheetImportTest, aLongImportShowsItsProgressAndAnulujChangesNothing)
{
    SheetTable sheet;
    sheet.rows = {{QStringLiteral("Imię i nazwisko"), QStringLiteral("Matematyka")}};
    for (int i = 0; i < 1000; ++i)
        sheet.rows.append({QStringLiteral("Uczeń %1").arg(i), QStringLiteral("5")});
    start();
    JobProgress::setDelayMs(0);
    for (const bool cancel : {true, false}) {
        const Document before = doc();
        const bool couldUndo = editor().undoStack().canUndo();
        inImportDialog([](ImportDialog& dialog) { QTest::keyClick(&dialog, Qt::Key_Return); });
        int shownAt = -1;
        // Runs inside the job's event processing once the dialog is up.
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&shownAt, cancel] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* progress = qobject_cast<QProgressDialog*>(w);
                    progress != nullptr && progress->isVisible() && progress->value() > 0) {
                    if (shownAt < 0)
                        shownAt = progress->value();
                    if (cancel)
                        progress->cancel();
                }
        });
        watch.start(0);
        window().importFrom(QStringLiteral("klasa.csv"), sourceOf(sheet));
        watch.stop();
        EXPECT_GT(shownAt, 0) << cancel;
        EXPECT_LT(shownAt, 1000) << cancel;
        if (cancel) {
            EXPECT_EQ(doc().pupils(), before.pupils());
            EXPECT_EQ(editor().undoStack().canUndo(), couldUndo);
            EXPECT_EQ(window().statusText(),
                      QStringLiteral("Import przerwano: klasa jest bez zmian."));
        } else {
            EXPECT_EQ(doc().pupils().count(), before.pupils().count() + 1000);
            EXPECT_TRUE(window().statusText().startsWith(QStringLiteral("Zaimportowano 1000")));
        }
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* progress = qobject_cast<QProgressDialog*>(w)) {
                EXPECT_FALSE(progress->isVisible()) << "closed with its job";
            }
        }
    }
    JobProgress::setDelayMs(500);
}

TEST_F(SheetImportTest, keysChooseColumnsAndReplaceTheClass)
{
    start();
    inImportDialog([](ImportDialog& dialog) {
        // Uwagi: not imported; Tab on to the name phrase and "Zastąp całą klasę".
        dialog.columnBox(3).setFocus();
        QTest::keyClick(&dialog.columnBox(3), Qt::Key_Home);
        QTest::keyClick(&dialog.columnBox(3), Qt::Key_Tab);
        EXPECT_EQ(dialog.focusWidget(), &dialog.namePhraseBox());
        QTest::keyClick(dialog.focusWidget(), Qt::Key_Tab);
        ASSERT_EQ(dialog.focusWidget(), &dialog.replaceBox());
        QTest::keyClick(dialog.focusWidget(), Qt::Key_Space);
        EXPECT_TRUE(dialog.replaceBox().isChecked());
        QTest::keyClick(dialog.focusWidget(), Qt::Key_Return);
    });
    window().importFrom(QStringLiteral("klasa.csv"), sourceOf(teachersSheet()));

    ASSERT_EQ(doc().pupils().count(), 3u);
    EXPECT_EQ(value(0, kName).text, "Jan Nowak");
    EXPECT_EQ(value(2, kName).text, "anna kowalska");
    EXPECT_EQ(value(2, kMaths).grade, kNoSubjectGrade);
    EXPECT_EQ(value(1, kRemarks).text, "");
    EXPECT_EQ(value(0, kEmblem).picture, "") << "a new class: nothing of the old pupils";
}

TEST_F(SheetImportTest, pupilsInColumnsAndTheHeaderRowFollowTheKeys)
{
    start();
    SheetTable table;
    table.rows = {{QString(), QStringLiteral("Ala Kot"), QStringLiteral("Ola Mysz")},
                  {QStringLiteral("Matematyka"), QStringLiteral("1"), QStringLiteral("2")}};
    int reads = 0;
    inImportDialog([](ImportDialog& dialog) {
        dialog.columnsButton().setFocus();
        QTest::keyClick(&dialog.columnsButton(), Qt::Key_Space);
        EXPECT_TRUE(dialog.columnsButton().isChecked());
        ASSERT_EQ(dialog.columnBoxCount(), 2);
        EXPECT_EQ(dialog.columnBox(1).currentText(), QStringLiteral("Matematyka"));
        // The first column heads the rows, so pupils' names come from its row 1.
        EXPECT_EQ(dialog.columnBox(0).currentText(), QStringLiteral("Imię i nazwisko"));
        // A CSV file read again in another encoding.
        dialog.encodingBox().setFocus();
        QTest::keyClick(&dialog.encodingBox(), Qt::Key_Down);
        EXPECT_EQ(dialog.encodingBox().currentText(), QStringLiteral("UTF-8"));
        QTest::keyClick(&dialog.encodingBox(), Qt::Key_Return);
    });
    window().importFrom(QStringLiteral("klasa.csv"), sourceOf(table, &reads));
    EXPECT_EQ(reads, 2);
    ASSERT_EQ(doc().pupils().count(), 5u);
    EXPECT_EQ(value(4, kName).text, "Ola Mysz");
    EXPECT_EQ(value(4, kMaths).grade, 1);
}

TEST_F(SheetImportTest, cancellingOrAnUnreadableSheetChangesNothing)
{
    start();
    const Document before = doc();
    inImportDialog([](ImportDialog& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); });
    window().importFrom(QStringLiteral("klasa.csv"), sourceOf(teachersSheet()));
    EXPECT_EQ(doc().pupils(), before.pupils());

    ImportSource broken;
    broken.read = [](ImportSource::Encoding, int, QString* problem) {
        *problem = QStringLiteral("Plik jest uszkodzony.");
        return SheetTable{};
    };
    inImportDialog([](ImportDialog& dialog) {
        EXPECT_FALSE(dialog.importButton().isEnabled());
        QTest::keyClick(&dialog, Qt::Key_Return);
    });
    window().importFrom(QStringLiteral("klasa.xlsx"), broken);
    EXPECT_EQ(doc().pupils(), before.pupils());
    EXPECT_FALSE(context->editor().undoStack().canUndo());
}

TEST_F(SheetImportTest, exportedSheetsImportBackAsTheSameClass)
{
    start();
    const Document before = doc();
    for (const char* name : {"klasa.xlsx", "klasa.ods", "klasa.csv"}) {
        const QString path = folder.filePath(QString::fromLatin1(name));
        dialogs->saveAnswers.push_back(path);
        dialogs->chooseAnswers.push_back(0);  // Uczniowie w wierszach
        action(window(), "Eksportujdoarkusza1")->trigger();
        ASSERT_TRUE(QFile::exists(path)) << window().statusText().toStdString();
        EXPECT_TRUE(window().statusText().startsWith(QStringLiteral("Wyeksportowano 3 uczniów")));

        dialogs->openAnswers.push_back(path);
        inImportDialog([](ImportDialog& dialog) {
            EXPECT_EQ(dialog.encodingBox().isVisible(), dialog.sheetBox().isHidden());
            dialog.replaceBox().setFocus();
            QTest::keyClick(&dialog.replaceBox(), Qt::Key_Space);
            QTest::keyClick(&dialog.replaceBox(), Qt::Key_Return);
        });
        action(window(), "Importujzarkusza1")->trigger();
        EXPECT_EQ(doc().pupils(), before.pupils()) << name;
        EXPECT_TRUE(window().statusText().startsWith(QStringLiteral("Zaimportowano 3 uczniów")))
            << window().statusText().toStdString();
    }
    EXPECT_FALSE(context->editor().undoStack().canUndo()) << "the same class: no step";

    // A file that is no sheet is said, and nothing changes.
    window().importSheetFile(folder.filePath(QStringLiteral("Przyklad.wkz")));
    ASSERT_FALSE(dialogs->questions.empty());
    EXPECT_TRUE(dialogs->questions.back().text.contains(QStringLiteral("nie jest arkuszem")));
}

// ---- Pasting a sheet's column along the row ------------------------------------------

TEST_F(SheetImportTest, transposedPasteFillsTheRowInOneStep)
{
    start();
    selectCell(0, kName);
    QApplication::clipboard()->setText(QStringLiteral("Ala\t5\nOla\tdst\nEla\txyz\n"));
    QTest::keyClick(&grid(), Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(value(0, kName).text, "Ala");
    EXPECT_EQ(value(1, kName).text, "Ola");
    EXPECT_EQ(value(2, kName).text, "Ela");
    EXPECT_EQ(value(0, kMaths).grade, 4);
    EXPECT_EQ(value(1, kMaths).grade, 2);
    EXPECT_EQ(value(2, kMaths).grade, 2) << "xyz leaves the grade";
    action(window(), "Cofnij1")->trigger();
    EXPECT_EQ(value(1, kName).text, "Jan Nowak");
    EXPECT_EQ(value(0, kMaths).grade, 4);
    EXPECT_EQ(value(1, kMaths).grade, 0);
    EXPECT_FALSE(context->editor().undoStack().canUndo()) << "one step";

    // The menu entry does the same.
    selectCell(1, kName);
    QApplication::clipboard()->setText(QStringLiteral("Iza\nEwa\nOla\n"));
    action(window(), "Wklejzzamiana1")->trigger();
    EXPECT_EQ(value(1, kName).text, "Iza");
    EXPECT_EQ(value(2, kName).text, "Ewa");
}

TEST_F(SheetImportTest, aColumnPastedDownTheNamesSuggestsTheTransposedPaste)
{
    start();
    const struct {
        const char* text;
        int phrase;
        bool suggests;
    } cases[] = {
        {"Ala\nOla\nEla\n", kName, true},
        {"Ala\tOla\tEla\n", kName, false},   // along the row already
        {"Ala\n", kName, false},             // one cell
        {"Ala\nOla\n", kRemarks, false},     // not the names
        {"Ala\t1\nOla\t2\n", kName, false},  // a block
    };
    for (const auto& c : cases) {
        selectCell(0, c.phrase);
        window().setStatusText(QString());
        grid().pasteText(c.text);
        EXPECT_EQ(window().statusText().contains(QStringLiteral("Ctrl+Shift+V")), c.suggests)
            << c.text;
    }
}

// ---- F5 --------------------------------------------------------------------------------

TEST_F(SheetImportTest, f5SavesTheSelectionOrTheGridAsText)
{
    start();
    const QString path = folder.filePath(QStringLiteral("tabela.txt"));
    const auto saved = [&] {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
    };
    select(0, kName, 1, kMaths);
    dialogs->saveAnswers.push_back(path);
    QTest::keyClick(&grid(), Qt::Key_F5);
    EXPECT_EQ(saved(), QByteArray("Anna Kowalska\tJan Nowak\r\nBardzo dobry\tNiedostateczny\r\n"));
    EXPECT_EQ(window().statusText(), QStringLiteral("Zapisano tabelę do pliku: ") + path);
    ASSERT_EQ(dialogs->saveAsked.size(), 1u);
    EXPECT_EQ(dialogs->saveAsked[0].defaultSuffix, QStringLiteral("txt"));

    // One cell: the whole grid, averages and all; cancelling writes nothing.
    selectCell(1, kPhysics);
    dialogs->saveAnswers.push_back(path);
    QTest::keyClick(&grid(), Qt::Key_F5);
    const QList<QByteArray> lines = saved().split('\n');
    ASSERT_EQ(lines.size(), kPhraseCount + 2);  // a line per row and the empty rest
    EXPECT_TRUE(lines[kMaths].startsWith("Bardzo dobry\tNiedostateczny\tDostateczny\t"))
        << lines[kMaths].toStdString();
    QFile::remove(path);
    QTest::keyClick(&grid(), Qt::Key_F5);
    EXPECT_FALSE(QFile::exists(path));
}

}  // namespace

}  // namespace wykazki
