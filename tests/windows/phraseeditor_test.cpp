// The phrase editor driven through its real grid: every column's keys and
// clicks, edits over a selection of rows, adding and removing phrases with
// every pupil kept in step, paste, the picture chooser and the font dialog,
// and the main window following each change.

#include "windowfixture.h"

#include "document/phrasecolumns.h"
#include "qtbridge/cp1250text.h"
#include "windows/closa.h"
#include "windows/ffdruk.h"
#include "windows/ffopcje.h"
#include "windows/ffwfrazy.h"
#include "windows/ffwlista.h"
#include "windows/ffwopis.h"
#include "windows/phrasefontdialog.h"
#include "windows/phrasegrid.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFontDatabase>
#include <QFontDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QSpinBox>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include <array>
#include <functional>
#include <ostream>

namespace wykazki {

class PhraseEditorTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        start();
        markSaved();
        window().speedButton(2).click();  // "Edytuj elementy świadectwa"
    }

    Tffwfrazy& editorWindow() { return context->phraseEditor(); }
    TCellEdi& phrases() { return editorWindow().grid(); }
    const TFra& phrase(int j) { return doc().phrases()[static_cast<std::size_t>(j)]; }

    // Rows y1..y2 of column x selected, (x, y1) current.
    void selectRows(int x, int y1, int y2)
    {
        phrases().setPozX(x);
        phrases().setPozY(y1);
        phrases().selectRange(GridRect{x + 1, y1 + 1, x + 1, y2 + 1});
    }
    // Plays keys and clicks on the current cell: '<' a left click, '>' a
    // right click, '~' the Delete key, anything else typed.
    void play(const char* actions)
    {
        for (const char* a = actions; *a; ++a) {
            const QPoint centre =
                phrases().cellRect(phrases().currentColumn(), phrases().currentRow()).center();
            if (*a == '<')
                QTest::mouseClick(phrases().viewport(), Qt::LeftButton, {}, centre);
            else if (*a == '>')
                QTest::mouseClick(phrases().viewport(), Qt::RightButton, {}, centre);
            else if (*a == '~')
                QTest::keyClick(&phrases(), Qt::Key_Delete);
            else
                QTest::keyClick(&phrases(), *a);
        }
    }
    // New definitions, as the program would make them.
    void define(int j, const std::function<void(TFra&)>& change)
    {
        TFra p = phrase(j);
        change(p);
        editor().setPhrases(QStringLiteral("test"), {{static_cast<std::size_t>(j), p}});
    }
    QString shown(int x, int y, TKolor* colour = nullptr)
    {
        TTekstOczka ato(phrases().OczkoKolor(), TJustTyp::Lewo);
        phrases().owner()->cellText(phrases(), x, y, ato);
        if (colour)
            *colour = ato.kolor;
        return qstringFromCp1250(ato.tekst[0]);
    }
    void removeAllPhrases()
    {
        while (!doc().phrases().empty())
            editor().removePhrase(0);
    }
    void writePicture(const QString& name)
    {
        QImage image(4, 4, QImage::Format_RGB32);
        image.fill(Qt::red);
        ASSERT_TRUE(image.save(folder.filePath(name), "BMP"));
    }
};

TEST_F(PhraseEditorTest, opensOnTheMainWindowsPhraseRowWithItsColumnsAndStatusText)
{
    EXPECT_TRUE(editorWindow().isVisible());
    EXPECT_EQ(editorWindow().windowTitle(), QStringLiteral("Elementy świadectwa"));
    EXPECT_EQ(phrases().Ilx(), kPhraseEditorColumns);
    EXPECT_EQ(phrases().Ily(), kPhraseCount);
    EXPECT_EQ(editorWindow().statusText(),
              QStringLiteral("Gotowe wzory znajdują się na naszych stronach WWW ..."));
    EXPECT_EQ(editorWindow().speedButton(2).toolTip(), QStringLiteral("Dodaj frazę"));
    EXPECT_EQ(editorWindow().speedButton(4).toolTip(), QStringLiteral("Drukuj tabelkę"));

    // On the average row the editor opens at phrase 0; on a phrase row at it.
    editorWindow().close();
    selectCell(1, kPhysics);
    window().speedButton(2).click();
    EXPECT_EQ(phrases().PozY(), kPhysics);
    selectCell(1, kPhraseCount);
    window().speedButton(2).click();
    EXPECT_EQ(phrases().PozY(), 0);

    TKolor colour = 0;
    EXPECT_EQ(shown(kColumnKind, kMaths, &colour), QStringLiteral("Ocena"));
    EXPECT_EQ(colour, kGradeRowColor);
    EXPECT_EQ(shown(kColumnKind, kEmblem, &colour), QStringLiteral("Obrazek"));
    EXPECT_EQ(colour, kPictureRowColor);
    EXPECT_EQ(shown(kColumnFont, kEmblem, &colour), QStringLiteral("???"));  // no file yet
    EXPECT_EQ(colour, kEmptyNameColor);
    EXPECT_EQ(shown(kColumnPage, kRemarks), QStringLiteral("3"));

    // Escape closes the window and goes no further.
    QTest::keyClick(&phrases(), Qt::Key_Escape);
    EXPECT_FALSE(editorWindow().isVisible());
    EXPECT_FALSE(editor().isModified());
}

// One column's keys and clicks, in its own case: the row before, the keys
// and clicks played ('<' left, '>' right click, '~' Delete), the row after.
struct ColumnCase {
    int row;
    int column;
    std::function<void(TFra&)> before;
    const char* actions;
    std::function<bool(const TFra&)> after;
    const char* what;
};
void PrintTo(const ColumnCase& c, std::ostream* out)
{
    *out << c.what;
}

const ColumnCase kColumnCases[] = {
    {kName, kColumnName, nullptr, "abcdefgh",
     [](const TFra& f) { return f.name == cp("Imię i nazwiskoabcde"); }, "20 characters"},
    {kName, kColumnName, nullptr, "~x", [](const TFra& f) { return f.name == "x"; },
     "Delete clears"},
    {kName, kColumnKind,
     [](TFra& f) {
         f.lineSpacing = 2;
         f.width = 5;
     },
     "<", [](const TFra& f) { return f.kind == PhraseKind::Grade && f.lineSpacing == 0; },
     "Ocena loses V-Korekta"},
    {kName, kColumnKind, nullptr, "<<<a",
     [](const TFra& f) { return f.kind == PhraseKind::Picture; }, "at most Obrazek, keys nothing"},
    {kMaths, kColumnKind, nullptr, ">>", [](const TFra& f) { return f.kind == PhraseKind::Text; },
     "at least Tekst"},
    {kName, kColumnX0, [](TFra& f) { f.x0 = 1000; }, "+",
     [](const TFra& f) { return f.x0 == 1000; }, "+ at 1000 refused"},
    {kName, kColumnX0, [](TFra& f) { f.x0 = 5; }, "<<>", [](const TFra& f) { return f.x0 == 6; },
     "clicks step"},
    {kName, kColumnX0, nullptr, "12", [](const TFra& f) { return f.x0 == 12; }, "typed"},
    {kName, kColumnX0, nullptr, "1001", [](const TFra& f) { return f.x0 == 100; },
     "a digit beyond 1000 refused"},
    {kName, kColumnX0, nullptr, ",-", [](const TFra& f) { return f.x0 == 0; },
     "no decimals, nothing below 0"},
    {kName, kColumnY0, nullptr, "12,5", [](const TFra& f) { return f.y0 == 12.5f; }, "one decimal"},
    {kName, kColumnY0, [](TFra& f) { f.y0 = 7.5f; }, "~+",
     [](const TFra& f) { return f.y0 == 1.0f; }, "Delete sets 0"},
    {kName, kColumnWidth,
     [](TFra& f) {
         f.width = 1;
         f.lineSpacing = 1.5f;
     },
     "-", [](const TFra& f) { return f.width == 0 && f.lineSpacing == 0; }, "no box, no V-Korekta"},
    {kName, kColumnHeight, nullptr, "7<", [](const TFra& f) { return f.height == 8; }, "Wys"},
    {kName, kColumnAlignment, [](TFra& f) { f.width = 10; }, "<p",
     [](const TFra& f) { return f.align == 2; }, "click and letter"},
    {kName, kColumnAlignment,
     [](TFra& f) {
         f.width = 10;
         f.align = 2;
     },
     "<c>", [](const TFra& f) { return f.align == 0; }, "at most Prawo"},
    {kName, kColumnAlignment, nullptr, "<p", [](const TFra& f) { return f.align == 0; },
     "no box: nothing"},
    {kEmblem, kColumnAlignment, [](TFra& f) { f.width = 10; }, "<c",
     [](const TFra& f) { return f.align == 0; }, "picture: nothing"},
    {kName, kColumnLineSpacing,
     [](TFra& f) {
         f.width = 10;
         f.lineSpacing = 5;
     },
     "+", [](const TFra& f) { return f.lineSpacing == 5.0f; }, "+ at 5,0 refused"},
    {kName, kColumnLineSpacing,
     [](TFra& f) {
         f.width = 10;
         f.lineSpacing = -2;
     },
     "-", [](const TFra& f) { return f.lineSpacing == -2.0f; }, "- at -2,0 refused"},
    {kName, kColumnLineSpacing, [](TFra& f) { f.width = 10; }, "<<<>-",
     [](const TFra& f) { return f.lineSpacing == 0.5f; }, "half steps"},
    {kMaths, kColumnLineSpacing, [](TFra& f) { f.width = 10; }, "<",
     [](const TFra& f) { return f.lineSpacing == 0; }, "grade: nothing"},
    {kName, kColumnPage, nullptr, "<<<<<", [](const TFra& f) { return f.page == 3; },
     "at most page 4"},
    {kRemarks, kColumnPage, nullptr, ">>>x", [](const TFra& f) { return f.page == 0; },
     "at least page 1, keys nothing"},
};

class PhraseEditorColumnTest : public PhraseEditorTest,
                               public ::testing::WithParamInterface<ColumnCase> {};

TEST_P(PhraseEditorColumnTest, keysAndClicksAreOneStepThatUndoes)
{
    const ColumnCase& c = GetParam();
    if (c.before)
        define(c.row, c.before);
    selectRows(c.column, c.row, c.row);
    play(c.actions);
    EXPECT_TRUE(c.after(phrase(c.row))) << c.what;
    // Every edit is one step: undone, the class is the sample again.
    while (editor().undoStack().canUndo())
        editor().undoStack().undo();
    EXPECT_EQ(doc().phrases(), sampleClass().phrases) << c.what;
}

INSTANTIATE_TEST_SUITE_P(EachColumn, PhraseEditorColumnTest, ::testing::ValuesIn(kColumnCases));

TEST_F(PhraseEditorTest, editsReachEverySelectedRowThatTakesThem)
{
    for (int j : {kName, kRemarks})
        define(j, [](TFra& f) { f.width = 50; });
    define(kMaths, [](TFra& f) { f.width = 20; });

    const int defined = editor().undoStack().index();
    selectRows(kColumnPage, kName, kRemarks);  // current row on page 1
    play("<");
    for (int j = 0; j < kPhraseCount; ++j)
        EXPECT_EQ(phrase(j).page, 1) << j;

    selectRows(kColumnAlignment, kMaths, kRemarks);  // a picture and a text without box among them
    play("p");
    EXPECT_EQ(phrase(kMaths).align, 2);
    EXPECT_EQ(phrase(kPhysics).align, 0);  // Szer 0
    EXPECT_EQ(phrase(kEmblem).align, 0);   // picture
    EXPECT_EQ(phrase(kRemarks).align, 2);

    selectRows(kColumnLineSpacing, kName, kRemarks);
    play("<<");
    EXPECT_EQ(phrase(kName).lineSpacing, 1.0f);
    EXPECT_EQ(phrase(kMaths).lineSpacing, 0.0f);  // grade
    EXPECT_EQ(phrase(kPhysics).lineSpacing, 0.0f);
    EXPECT_EQ(phrase(kRemarks).lineSpacing, 1.0f);  // a text with a box

    selectRows(kColumnX0, kMaths, kEmblem);
    play("42");
    for (int j : {kMaths, kPhysics, kEmblem})
        EXPECT_EQ(phrase(j).x0, 42) << j;
    EXPECT_EQ(phrase(kName).x0, 0);

    selectRows(kColumnKind, kName, kPhysics);
    play("<");  // the current row's kind raised, written to every row
    for (int j : {kName, kMaths, kPhysics})
        EXPECT_EQ(phrase(j).kind, PhraseKind::Grade) << j;
    EXPECT_EQ(phrase(kName).lineSpacing, 0.0f);

    // Each key and click was one step of the history.
    EXPECT_EQ(editor().undoStack().index() - defined, 7);
    while (editor().undoStack().index() > defined)
        editor().undoStack().undo();
    for (int j = 0; j < kPhraseCount; ++j)
        EXPECT_EQ(phrase(j).x0, 0) << j;
    EXPECT_EQ(phrase(kName).page, 0);
    EXPECT_TRUE(editor().isModified());  // the widths set above
}

TEST_F(PhraseEditorTest, addingAndRemovingKeepEveryPupilInStepAndTheMainGridTrue)
{
    removeAllPhrases();
    EXPECT_EQ(phrases().Ily(), 1);
    EXPECT_EQ(shown(kColumnName, 0), QStringLiteral("........"));
    play("<a~+");  // nothing to edit
    EXPECT_TRUE(doc().phrases().empty());

    editorWindow().speedButton(2).click();  // on an empty list: at 0, no new grid row
    ASSERT_EQ(doc().phrases().count(), 1u);
    EXPECT_EQ(phrases().Ily(), 1);
    EXPECT_EQ(phrases().PozY(), 0);
    EXPECT_EQ(phrase(0), TFra{});
    for (int x = 0; x < kPupilCount; ++x)
        EXPECT_EQ(value(x, 0), TFra{}) << x;

    editorWindow().speedButton(2).click();  // on the last row: appended, cursor on it
    EXPECT_EQ(doc().phrases().count(), 2u);
    EXPECT_EQ(phrases().Ily(), 2);
    EXPECT_EQ(phrases().PozY(), 1);

    // A grade row in the main grid at once, with its wordings and colour.
    selectRows(kColumnKind, 1, 1);
    play("<");
    EXPECT_EQ(grid().Ily(), 3);  // two phrases and the averages
    EXPECT_EQ(cell(0, 1), QStringLiteral("--------------"));

    // Removing every phrase, the last one included, leaves one empty row.
    editorWindow().speedButton(3).click();
    editorWindow().speedButton(3).click();
    EXPECT_TRUE(doc().phrases().empty());
    for (int x = 0; x < kPupilCount; ++x)
        EXPECT_TRUE(doc().pupils()[static_cast<std::size_t>(x)].values.empty()) << x;
    EXPECT_EQ(phrases().Ily(), 1);
    EXPECT_EQ(grid().Ily(), 1);
}

// After Dodaj frazę the keyboard names the new phrase, whichever column
// the cursor was in (in "Font/plik" a key would open the font dialog).
TEST_F(PhraseEditorTest, aNewPhraseTakesTheCursorToItsName)
{
    for (const int column : {kColumnFont, kColumnPage, kColumnName}) {
        SCOPED_TRACE(column);
        selectRows(column, kMaths, kMaths);
        editorWindow().speedButton(2).click();
        EXPECT_EQ(phrases().PozX(), kColumnName);
        EXPECT_EQ(phrases().PozY(), kMaths + 1);
        bool modal = false;
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [&modal] {
            if (QWidget* window = QApplication::activeModalWidget()) {
                modal = true;
                window->close();
            }
        });
        closer.start(10);
        QTest::keyClicks(&phrases(), QStringLiteral("Wiek"));
        closer.stop();
        EXPECT_FALSE(modal);
        EXPECT_EQ(phrase(kMaths + 1).name, "Wiek");
        editor().removePhrase(kMaths + 1);
    }
}

TEST_F(PhraseEditorTest, removingThePhraseTheLongTextEditorShowsUnbindsIt)
{
    window().longTextSwitch().click();
    selectCell(1, kRemarks);
    window().longTextUpdate();
    ASSERT_EQ(context->opis().boundPhrase(), kRemarks);

    selectRows(kColumnName, kRemarks, kRemarks);
    editorWindow().speedButton(3).click();
    EXPECT_EQ(doc().phrases().count(), std::size_t(kRemarks));
    EXPECT_LT(context->opis().boundPhrase(), kRemarks);
    EXPECT_LT(grid().PozY(), grid().Ily());
}

TEST_F(PhraseEditorTest, pasteReadsEachColumnAsOneStepAndNeverMakesPhrases)
{
    selectRows(kColumnY0, kMaths, kMaths);
    phrases().pasteText("12,34\t20000\t\t\t10, Arial\t-1,5\t9\r\n"
                        "20000\t99999\t5\tCentr\tx.bmp\t+2\t0\r\n"
                        "1\t2\t3\t4\t5\t6\t7\r\n"
                        "1\t2\t3\t4\t5\t6\t7\r\n");  // beyond the last phrase
    EXPECT_EQ(phrase(kMaths).y0, 12.3f);
    EXPECT_EQ(phrase(kMaths).width, 1000);
    EXPECT_EQ(phrase(kMaths).fontName, "MS Sans Serif");  // "Font/plik" takes nothing
    EXPECT_EQ(phrase(kMaths).lineSpacing, -1.5f);
    EXPECT_EQ(phrase(kMaths).page, 3);
    EXPECT_EQ(phrase(kPhysics).y0, 10000.0f);
    EXPECT_EQ(phrase(kPhysics).width, 1000);  // clamped, not wrapped
    EXPECT_EQ(phrase(kPhysics).height, 5);
    EXPECT_EQ(phrase(kPhysics).align, 1);  // after its pasted width
    EXPECT_EQ(phrase(kPhysics).page, 0);
    EXPECT_EQ(phrase(kEmblem).picture, "");
    EXPECT_EQ(doc().phrases().count(), std::size_t(kPhraseCount));
    EXPECT_TRUE(editor().isModified());

    editor().undoStack().undo();  // the whole paste at once
    EXPECT_EQ(doc().phrases(), sampleClass().phrases);

    selectRows(kColumnKind, kName, kName);
    phrases().pasteText("Ocena\r\nobrazek\r\ntekst\r\n");
    EXPECT_EQ(phrase(kName).kind, PhraseKind::Grade);
    EXPECT_EQ(phrase(kMaths).kind, PhraseKind::Picture);
    EXPECT_EQ(phrase(kPhysics).kind, PhraseKind::Text);
}

TEST_F(PhraseEditorTest, aCopiedLayoutPastesBackToTheSamePhrases)
{
    for (int j = 0; j < kPhraseCount; ++j)
        define(j, [j](TFra& f) {
            f.x0 = std::int16_t(10 * j);
            f.y0 = 20.5f + static_cast<float>(j);
            f.width = std::int16_t(j % 2 ? 0 : 60);
            f.height = 5;
            f.align = std::int16_t(j % 3);
            f.lineSpacing = f.kind == PhraseKind::Text && f.width > 0 ? -1.5f : 0.0f;
        });
    const TFrazy layout = doc().phrases();
    phrases().selectRange(GridRect{1, 1, kPhraseEditorColumns, kPhraseCount});
    std::string copied;
    phrases().TekstZakresu(copied, true);

    for (int j = 0; j < kPhraseCount; ++j)
        define(j, [](TFra& f) { f = TFra{}; });
    phrases().setPozX(0);
    phrases().setPozY(0);
    phrases().pasteText(copied);
    TFrazy expected = layout;
    for (TFra& f : expected) {
        f.picture.clear();  // the file column is not pasted
        if (!hasAlignment(f))
            f.align = 0;  // shown as "........"
    }
    EXPECT_EQ(doc().phrases(), expected);
}

TEST_F(PhraseEditorTest, aChosenPictureReachesTheSelectedPictureRowsInEveryPupil)
{
    writePicture(QStringLiteral("Łódź.bmp"));
    writePicture(QStringLiteral("godlo.bmp"));
    define(kRemarks, [](TFra& f) { f.kind = PhraseKind::Picture; });
    define(kEmblem, [](TFra& f) { f.picture = "godlo"; });  // the pupils' copies
    selectRows(kColumnFont, kEmblem, kRemarks);
    QTimer::singleShot(0, [] {
        auto* chooser = qobject_cast<Tffwlista*>(QApplication::activeModalWidget());
        ASSERT_NE(chooser, nullptr);
        EXPECT_EQ(chooser->windowTitle(), QStringLiteral("Pliki z obrazami"));
        QTest::sendKeyEvent(QTest::Click, &chooser->grid(), Qt::Key_L, QStringLiteral("ł"),
                            Qt::NoModifier);
        QTest::keyClick(&chooser->grid(), Qt::Key_Return);
    });
    play("<");
    const std::string chosen = cp("Łódź.bmp");
    for (int j : {kEmblem, kRemarks}) {
        EXPECT_EQ(phrase(j).picture, chosen) << j;
        for (int x = 0; x < kPupilCount; ++x)
            EXPECT_EQ(value(x, j).picture, chosen) << x << " " << j;
    }
    EXPECT_EQ(cell(0, kEmblem), qstringFromCp1250(chosen));

    // Escape in the chooser changes nothing.
    QTimer::singleShot(0,
                       [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape); });
    play("x");
    EXPECT_EQ(value(1, kEmblem).picture, chosen);

    // Delete clears the rows and every pupil's copy; one undo brings all back.
    play("~");
    for (int x = 0; x < kPupilCount; ++x)
        EXPECT_EQ(value(x, kRemarks).picture, "") << x;
    EXPECT_EQ(shown(kColumnFont, kEmblem), QStringLiteral("???"));
    editor().undoStack().undo();
    for (int x = 0; x < kPupilCount; ++x)
        EXPECT_EQ(value(x, kEmblem).picture, chosen) << x;
}

// A pupil's own picture (neither empty nor the phrase's) survives choosing
// and clearing the phrase's picture; the status bar counts such pupils.
TEST_F(PhraseEditorTest, aPhrasesPictureKeepsThePupilsOwnPictures)
{
    writePicture(QStringLiteral("nowy.bmp"));
    define(kEmblem, [](TFra& f) { f.picture = "godlo"; });
    editor().setCells(QStringLiteral("test"), {{0, kEmblem, ValueField::Picture, ""},
                                               {2, kEmblem, ValueField::Picture, "wlasny.bmp"}});
    const std::size_t stepsBefore = static_cast<std::size_t>(editor().undoStack().count());
    selectRows(kColumnFont, kEmblem, kEmblem);
    QTimer::singleShot(0, [] {
        QTest::keyClick(&qobject_cast<Tffwlista*>(QApplication::activeModalWidget())->grid(),
                        Qt::Key_Return);
    });
    const auto expectPictures = [this](const char* step,
                                       const std::array<std::string, kPupilCount>& pictures) {
        for (int x = 0; x < kPupilCount; ++x)
            EXPECT_EQ(value(x, kEmblem).picture, pictures[static_cast<std::size_t>(x)])
                << step << " " << x;
    };
    const QString kept = QStringLiteral("Własny obrazek zachowało uczniów: 1.");

    play("<");
    expectPictures("chosen", {"nowy.bmp", "nowy.bmp", "wlasny.bmp"});
    EXPECT_EQ(editorWindow().statusText(), kept);
    play("~");
    expectPictures("cleared", {"", "", "wlasny.bmp"});
    EXPECT_EQ(editorWindow().statusText(), kept);

    // Each of choosing and clearing was one step.
    EXPECT_EQ(static_cast<std::size_t>(editor().undoStack().count()), stepsBefore + 2);
    editor().undoStack().undo();
    editor().undoStack().undo();
    EXPECT_EQ(phrase(kEmblem).picture, "godlo");
    expectPictures("undone", {"", "godlo", "wlasny.bmp"});
}

TEST_F(PhraseEditorTest, theFontDialogWritesFontAndColourIntoTheSelectedTextAndGradeRows)
{
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<PhraseFontDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        QFont font = dialog->fontDialog().currentFont();
        font.setFamily(QFontDatabase::families().value(0));
        font.setPointSize(14);
        font.setItalic(true);
        dialog->fontDialog().setCurrentFont(font);
        dialog->setColour(QColor(0x12, 0x34, 0x56));
        dialog->accept();
    });
    selectRows(kColumnFont, kPhysics, kRemarks);
    play("<");
    const std::string family =
        cp1250FromQString(QFontDatabase::families().value(0), Unmappable::Question);
    for (int j : {kPhysics, kRemarks}) {
        EXPECT_EQ(phrase(j).fontName, family) << j;
        EXPECT_EQ(phrase(j).fontSize, 14) << j;
        EXPECT_EQ(phrase(j).italic, 1) << j;
        EXPECT_EQ(phrase(j).bold, 0) << j;
        EXPECT_EQ(phrase(j).fontColor, 0x563412u) << j;
    }
    EXPECT_EQ(phrase(kEmblem).fontName, "MS Sans Serif");  // a picture has no font

    // Cancelled: nothing changes.
    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    play("<");
    EXPECT_EQ(phrase(kRemarks).fontSize, 14);
}

TEST(PhraseFontDialogTest, keepsAFamilyThatIsNotInstalledAsWritten)
{
    TFra phrase;
    phrase.fontName = "Nie Ma Takiej Czcionki";
    phrase.fontSize = 0;  // nothing shows that size
    phrase.bold = 1;
    phrase.underline = 1;
    phrase.strikeout = 1;
    phrase.fontColor = 0x020000FF;  // a stored colour with its high byte
    PhraseFontDialog dialog;
    dialog.preset(phrase);
    EXPECT_TRUE(dialog.fontDialog().currentFont().strikeOut());
    EXPECT_EQ(dialog.colour(), QColor(0xFF, 0, 0));
    TFra confirmed;
    dialog.applyTo(confirmed);
    EXPECT_EQ(confirmed.fontName, phrase.fontName);
    EXPECT_EQ(confirmed.fontSize, 0);
    EXPECT_EQ(confirmed.fontColor, phrase.fontColor);
    EXPECT_EQ(confirmed.bold + confirmed.underline + confirmed.strikeout + confirmed.italic, 3);

    EXPECT_TRUE(dialog.findChild<QLabel*>(QStringLiteral("Zapisana"))
                    ->text()
                    .contains(QStringLiteral("Nie Ma Takiej Czcionki")));

    // What the user changes is taken.
    QFont font = dialog.fontDialog().currentFont();
    font.setItalic(!font.italic());
    font.setPointSize(font.pointSize() + 3);
    dialog.fontDialog().setCurrentFont(font);
    dialog.setColour(QColor(0, 0x80, 0));
    dialog.applyTo(confirmed);
    EXPECT_EQ(confirmed.italic, font.italic() ? 1 : 0);
    EXPECT_EQ(confirmed.fontSize, font.pointSize());
    EXPECT_EQ(confirmed.fontColor, 0x008000u);
    EXPECT_EQ(confirmed.fontName, phrase.fontName);
}

TEST_F(PhraseEditorTest, rectangleAndGridLayoutComeFromTheClassFileAndGoBackOnSave)
{
    // The sample class put the editor at (1, 2), 302 x 402.
    EXPECT_EQ(editorWindow().size(), QSize(302, 402));
    phrases().setSzerIo(kColumnFont, 77);
    editorWindow().resize(420, 330);
    dialogs->saveAnswers.push_back(folder.filePath(QStringLiteral("zapis.wkz")));
    editorWindow().speedButton(1).click();  // Zapisz
    EXPECT_EQ(doc().screen().phraseEditor.right - doc().screen().phraseEditor.left, 420);
    EXPECT_EQ(doc().screen().phraseGrid.columnWidths.size(), std::size_t(kPhraseEditorColumns + 1));
    EXPECT_EQ(doc().screen().phraseGrid.columnWidths[kColumnFont + 1], 77);
    EXPECT_EQ(doc().screen().phraseGrid.rowHeights.size(), std::size_t(kPhraseCount + 1));
    EXPECT_FALSE(editor().isModified());
}

TEST_F(PhraseEditorTest, thePupilGridsPictureCellsOpenTheSameChooser)
{
    writePicture(QStringLiteral("herb.bmp"));
    select(0, kEmblem, 1, kEmblem);
    QTimer::singleShot(0, [] {
        auto* chooser = qobject_cast<Tffwlista*>(QApplication::activeModalWidget());
        ASSERT_NE(chooser, nullptr);
        EXPECT_TRUE(chooser->filter().empty());  // the key that opened it is no filter
        QTest::keyClick(&chooser->grid(), Qt::Key_Return);
    });
    QTest::keyClick(&grid(), Qt::Key_X);
    EXPECT_EQ(value(0, kEmblem).picture, "herb.bmp");
    EXPECT_EQ(value(1, kEmblem).picture, "herb.bmp");
    EXPECT_EQ(value(2, kEmblem).picture, "godlo");  // outside the selection
}

TEST(PhraseFontDialogTest, escapeAndEnterInsideQtsFontDialogEndTheWholeDialog)
{
    for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
        TFra phrase;
        phrase.fontSize = 12;
        QTimer::singleShot(0, [key] {
            auto* dialog = qobject_cast<PhraseFontDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            QWidget* list = dialog->fontDialog().findChild<QListView*>();
            ASSERT_NE(list, nullptr);
            QTest::keyClick(list, key);
        });
        EXPECT_EQ(PhraseFontDialog::choose(nullptr, phrase), key == Qt::Key_Return);
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        EXPECT_EQ(phrase.fontSize, 12);
    }
}

// The first ten phrases of the sample class as LibreOffice Calc put them on
// the clipboard after they were copied from the phrase editor and pasted
// there: the same cells, with LF line ends.
TEST_F(PhraseEditorTest, theSampleLayoutComesBackFromASpreadsheetUnchanged)
{
    QFile calc(QStringLiteral(WYKAZKI_TEST_DATA "/calc_phrases.txt"));
    ASSERT_TRUE(calc.open(QIODevice::ReadOnly));
    const std::string fromCalc =
        cp1250FromQString(QString::fromUtf8(calc.readAll()), Unmappable::Question);
    QFile::remove(folder.filePath(QStringLiteral("Przyklad.wkz")));
    ASSERT_TRUE(QFile::copy(QStringLiteral(WYKAZKI_BIN_DIR "/Przyklad.wkz"),
                            folder.filePath(QStringLiteral("Przyklad.wkz"))));
    ASSERT_TRUE(context->closa().read());
    ASSERT_GE(doc().phrases().count(), 10u);

    // What the editor copies is what went to the spreadsheet.
    phrases().setPozX(0);
    phrases().setPozY(0);
    phrases().selectRange(GridRect{1, 1, kPhraseEditorColumns, 10});
    std::string copied;
    phrases().TekstZakresu(copied, true);
    QString asCalc = qstringFromCp1250(copied);
    asCalc.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    EXPECT_EQ(asCalc.toStdString(), qstringFromCp1250(fromCalc).toStdString());

    const TFrazy layout = doc().phrases();
    std::vector<std::pair<std::size_t, TFra>> blank;
    for (std::size_t j = 0; j < 10; ++j)
        blank.emplace_back(j, TFra{});
    editor().setPhrases(QStringLiteral("test"), blank);
    phrases().setPozX(0);
    phrases().setPozY(0);
    phrases().pasteText(fromCalc);
    for (std::size_t j = 0; j < 10; ++j) {
        // Fonts and files are not pasted; "........" is no alignment.
        TFra expected;
        expected.name = layout[j].name;
        expected.kind = layout[j].kind;
        expected.x0 = layout[j].x0;
        expected.y0 = layout[j].y0;
        expected.width = layout[j].width;
        expected.height = layout[j].height;
        expected.align = layout[j].align;
        expected.lineSpacing = layout[j].lineSpacing;
        expected.page = layout[j].page;
        if (!hasAlignment(expected))
            expected.align = 0;
        EXPECT_EQ(phrase(int(j)), expected) << j;
    }
}

TEST_F(PhraseEditorTest, tablePrintAndTheCornerOpenTheirWindowsOnThisGrid)
{
    context->tablePrintWindow().titleEdit().setText(QStringLiteral("inny"));
    editorWindow().speedButton(4).click();  // Drukuj tabelkę
    EXPECT_EQ(context->tablePrintWindow().titleEdit().text(), QStringLiteral("Kolmo'05"));

    phrases().owner()->cornerClicked(phrases(), kButtonLeft, 0);
    EXPECT_EQ(context->gridOptionsWindow().headerWidthSpin().value(), phrases().SzerInfo());
    EXPECT_EQ(context->gridOptionsWindow().cellWidthSpin().value(), 100);  // percent
}

}  // namespace wykazki
