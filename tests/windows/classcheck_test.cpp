// Computed averages, pupil groups and the check before printing, driven
// through the main window.

#include "windowfixture.h"

#include "document/computedvalues.h"
#include "grid/celledi.h"
#include "windows/classcheckwindow.h"
#include "windows/ffwfrazy.h"
#include "windows/ffwmain.h"
#include "windows/ffwopis.h"
#include "windows/pupilgrid.h"
#include "windows/spellinghighlighter.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace wykazki {

namespace {

// The remarks phrase becomes the computed average.
void tagRemarksAsAverage(DocumentEditor& editor)
{
    TFra remarks = editor.document().phrases()[kRemarks];
    remarks.text = std::string(kAverageTag);
    editor.setPhrases(QStringLiteral("t"), {{kRemarks, remarks}});
}

}  // namespace

TEST_F(WindowTest, aComputedAverageIsShownRefusesTypingAndCanBeWrittenDown)
{
    start();
    tagRemarksAsAverage(editor());
    // Anna: 5 and 6 (indexes 4, 5); Jan: 1 and no physics.
    EXPECT_EQ(cell(0, kRemarks), QStringLiteral("5,50"));
    EXPECT_EQ(cell(1, kRemarks), QStringLiteral("1,00"));

    selectCell(0, kRemarks);
    QTest::keyClick(&grid(), Qt::Key_X);
    EXPECT_EQ(doc().value(0, kRemarks).text, "");
    EXPECT_TRUE(window().statusText().contains(QStringLiteral("wylicza program")));

    const int steps = editor().undoStack().count();
    window().computeAverages();
    EXPECT_EQ(editor().undoStack().count(), steps + 1);
    EXPECT_EQ(doc().value(0, kRemarks).text, "5,50");
    EXPECT_EQ(doc().value(2, kRemarks).text, "3,50");
    window().computeAverages();
    EXPECT_EQ(editor().undoStack().count(), steps + 1) << "nothing left to write";
    editor().undoStack().undo();
    EXPECT_EQ(doc().value(0, kRemarks).text, "");
}

TEST_F(WindowTest, headersMarkTheGroups)
{
    start();
    // Jan has a "niedostateczny" in maths and no physics grade.
    EXPECT_EQ(columnHeader(0), QStringLiteral("1"));
    TTekstOczka ato(grid().InfoKolor(), TJustTyp::Lewo);
    grid().owner()->columnHeader(grid(), 1, ato);
    EXPECT_EQ(ato.tekst[1], "N !");
    const QString tip = grid().owner()->toolTip(grid(), 2, 0);
    EXPECT_TRUE(tip.contains(QStringLiteral("niepromowany")));
    EXPECT_TRUE(tip.contains(QStringLiteral("niepełne")));
}

TEST_F(WindowTest, theCheckWindowListsFindingsAndTakesTheCursorThere)
{
    start();
    window().setChosenPage(1);  // the grades' page
    window().checkClass();
    ClassCheckWindow& report = context->classCheckWindow();
    ASSERT_TRUE(report.isVisible());
    EXPECT_TRUE(report.summary().text().contains(QStringLiteral("1 uwaga u 1 ucznia")))
        << report.summary().text().toStdString();
    QTreeWidgetItem* jan = report.list().topLevelItem(0);
    ASSERT_NE(jan, nullptr);
    EXPECT_TRUE(jan->text(0).endsWith(QStringLiteral("Jan Nowak")));
    ASSERT_EQ(jan->childCount(), 1);
    EXPECT_EQ(jan->child(0)->text(0), QStringLiteral("Fizyka"));
    EXPECT_EQ(jan->child(0)->text(1), QStringLiteral("brak oceny"));

    emit report.list().itemActivated(jan->child(0), 0);
    EXPECT_EQ(grid().PozX(), 1);
    EXPECT_EQ(grid().PozY(), kPhysics);
}

struct PrintAnswerCase {
    QMessageBox::StandardButton answer;
    bool printed;
    bool reportShown;
};

class PrintAnswer : public WindowTest, public testing::WithParamInterface<PrintAnswerCase> {};

TEST_P(PrintAnswer, decidesWhetherCardsWithFindingsPrint)
{
    start();
    const QString pdf = folder.filePath(QStringLiteral("karty.pdf"));
    printCardsTo(pdf);
    window().setChosenPage(1);
    select(0, 0, 2, 0);
    dialogs->questionAnswers.push_back(GetParam().answer);
    window().speedButton(8).click();
    ASSERT_EQ(dialogs->questions.size(), 1u);
    EXPECT_TRUE(dialogs->questions[0].text.contains(QStringLiteral("Świadectwa 1 ucznia")));
    EXPECT_EQ(QFile::exists(pdf), GetParam().printed);
    EXPECT_EQ(context->classCheckWindow().isVisible(), GetParam().reportShown);
}

INSTANTIATE_TEST_SUITE_P(Answers, PrintAnswer,
                         testing::Values(PrintAnswerCase{QMessageBox::Yes, true, false},
                                         PrintAnswerCase{QMessageBox::No, false, true},
                                         PrintAnswerCase{QMessageBox::Cancel, false, false}));

TEST_F(WindowTest, thePhraseEditorsMenuTagsTextPhrasesOnly)
{
    start();
    Tffwfrazy& phrases = context->phraseEditor();
    const QList<QAction*> roles = phrases.roleMenu().actions();
    ASSERT_EQ(roles.size(), 2);
    for (const auto& [row, tagged] :
         {std::pair{int(kRemarks), true}, std::pair{int(kMaths), false}}) {
        phrases.showAtRow(row);
        emit phrases.roleMenu().aboutToShow();
        roles[0]->trigger();  // "Wyliczane: średnia ocen"
        EXPECT_EQ(taggedRole(doc().phrases()[static_cast<std::size_t>(row)]) == PhraseRole::Average,
                  tagged);
    }
    EXPECT_EQ(phrases.statusText(), QStringLiteral("Wyliczane bywają tylko frazy tekstowe."));
    phrases.showAtRow(kRemarks);
    emit phrases.roleMenu().aboutToShow();
    EXPECT_TRUE(roles[0]->isChecked());
    roles[1]->trigger();  // "Ocena zachowania" replaces it
    EXPECT_EQ(behaviourPhrase(doc().phrases()), std::optional<std::size_t>(kRemarks));
    editor().undoStack().undo();
    EXPECT_EQ(taggedRole(doc().phrases()[kRemarks]), PhraseRole::Average);
}

TEST_F(WindowTest, charactersTheFileCannotHoldAreNamedAndListedByTheCheck)
{
    start();
    selectCell(2, kName);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("Ы"));
    QApplication::sendEvent(&grid(), &press);
    EXPECT_EQ(window().statusText(),
              QStringLiteral("Pominięto znaki spoza polskiego alfabetu: Ы (uczeń 3, fraza „Imię i "
                             "nazwisko”)"));
    Tffwopis& longText = context->opis();
    longText.bind(0, kRemarks, false);
    longText.memo().insertPlainText(QStringLiteral("ıx"));
    EXPECT_EQ(doc().value(0, kRemarks).text, "x");
    EXPECT_TRUE(window().statusText().contains(QStringLiteral(": ı (uczeń 1, fraza „Uwagi”)")));

    window().setChosenPage(0);
    window().checkClass();
    const QTreeWidget& list = context->classCheckWindow().list();
    QStringList found;
    for (int i = 0; i < list.topLevelItemCount(); ++i)
        for (int j = 0; j < list.topLevelItem(i)->childCount(); ++j)
            found << list.topLevelItem(i)->child(j)->text(1);
    EXPECT_TRUE(found.contains(QStringLiteral("pominięto znaki spoza polskiego alfabetu: Ы")))
        << found.join(u'|').toStdString();
}

TEST_F(WindowTest, theLongTextEditorUnderlinesUnknownWordsAndOffersWords)
{
    start();
    if (!context->speller())
        GTEST_SKIP() << "no Polish dictionary installed";
    setText(0, kRemarks, "Bardzo sumiena uczennica");
    Tffwopis& longText = context->opis();
    longText.bind(0, kRemarks, false);
    const QTextBlock block = longText.memo().document()->firstBlock();
    std::vector<int> wavy;
    for (const QTextLayout::FormatRange& range : block.layout()->formats())
        if (range.format.underlineStyle() == QTextCharFormat::SpellCheckUnderline)
            wavy.push_back(range.start);
    EXPECT_EQ(wavy, std::vector<int>{7});

    const QRect word = longText.memo().cursorRect([&] {
        QTextCursor c(longText.memo().document());
        c.setPosition(9);
        return c;
    }());
    std::unique_ptr<QMenu> menu(longText.contextMenuAt(word.center()));
    ASSERT_FALSE(menu->actions().isEmpty());
    const QString first = context->speller()->suggestions(QStringLiteral("sumiena")).value(0);
    EXPECT_EQ(menu->actions().first()->text(), first);
    menu->actions().first()->trigger();
    EXPECT_EQ(doc().value(0, kRemarks).text, "Bardzo " + first.toStdString() + " uczennica");

    longText.bind(0, kName, false);  // names are not checked
    EXPECT_FALSE(longText.spelling().isChecking());
}

}  // namespace wykazki
