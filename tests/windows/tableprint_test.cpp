// The table-print dialog and the grid options window on the program's
// grids and printer.

#include "windowfixture.h"

#include "windows/ffdruk.h"
#include "windows/ffopcje.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTest>

#include <map>

namespace wykazki {

namespace {

int pdfPages(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    return int(QString::fromLatin1(file.readAll())
                   .count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))));
}

TEST(PageCountText, usesThePolishPluralForEveryNumber)
{
    // n .. last inclusive, all with the same word.
    struct Range {
        int first, last;
        const char* word;
    };
    const Range ranges[] = {
        {1, 1, "strona"},     {2, 4, "strony"},    {5, 21, "stron"},     {22, 24, "strony"},
        {25, 30, "stron"},    {100, 101, "stron"}, {102, 104, "strony"}, {105, 121, "stron"},
        {122, 124, "strony"}, {125, 125, "stron"},
    };
    for (const Range& r : ranges)
        for (int n = r.first; n <= r.last; ++n)
            EXPECT_EQ(Tffdruk::pageCountText(n),
                      QStringLiteral("%1 %2").arg(n).arg(QLatin1String(r.word)));
}

class TablePrintWindow : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        start();
        pdf = folder.filePath(QStringLiteral("tabela.pdf"));
        context->printer().setOutputFormat(QPrinter::PdfFormat);
        context->printer().setOutputFileName(pdf);
    }
    Tffdruk& dialog() { return context->tablePrintWindow(); }

    QString pdf;
};

TEST_F(TablePrintWindow, theToolbarButtonOpensTheDialogOnThePupilGrid)
{
    window().speedButton(5).click();
    EXPECT_EQ(dialog().titleEdit().text(), QStringLiteral("Kolmo'05"));
    EXPECT_EQ(dialog().pageCountLabel().text(), QStringLiteral("1 strona"));
    EXPECT_EQ(dialog().printerPanel().text(), QStringLiteral("Drukowanie ") + pdf);
    EXPECT_EQ(dialog().fromSpin().value(), 1);
    EXPECT_EQ(dialog().toSpin().value(), 1);
    EXPECT_EQ(dialog().statusLine().text(), QStringLiteral(" "));
}

TEST_F(TablePrintWindow, headersOnEveryPageIsTickedAndDrivesTheLayout)
{
    dialog().prepare(grid(), QStringLiteral("T"));
    dialog().show();
    dialog().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog()));
    QCheckBox& box = dialog().headersOnEveryPageBox();
    EXPECT_EQ(box.text(), QString::fromUtf8("Nagłówki na każdej &stronie"));
    EXPECT_TRUE(box.isChecked());
    EXPECT_TRUE(grid().printState().headersOnEveryPage);
    QTest::mouseClick(&box, Qt::LeftButton);
    EXPECT_FALSE(grid().printState().headersOnEveryPage);
    // The accelerator clicks the box the way a button shows a click: a
    // moment later.
    QTest::keyClick(&dialog(), Qt::Key_S, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&box] { return box.isChecked(); }, 2000));
    EXPECT_TRUE(grid().printState().headersOnEveryPage);
    // Tab reaches it right after the top headers.
    dialog().topHeadersBox().setFocus();
    QTest::keyClick(&dialog().topHeadersBox(), Qt::Key_Tab);
    EXPECT_TRUE(box.hasFocus());
    dialog().hide();
}

TEST_F(TablePrintWindow, everyAcceleratorOfTheDialogIsItsOwn)
{
    // The labels of the form rows and the page fields are QLabels too.
    std::map<QChar, QString> owners;
    const auto take = [&owners](const QString& text) {
        for (qsizetype i = text.indexOf(u'&'); i >= 0 && i + 1 < text.size();
             i = text.indexOf(u'&', i + 2)) {
            if (text[i + 1] == u'&')
                continue;
            const QChar key = text[i + 1].toLower();
            EXPECT_FALSE(owners.count(key)) << qPrintable(text) << " / " << qPrintable(owners[key]);
            owners[key] = text;
        }
    };
    for (const QAbstractButton* button : dialog().findChildren<QAbstractButton*>())
        take(button->text());
    for (const QLabel* label : dialog().findChildren<QLabel*>())
        take(label->text());
    EXPECT_EQ(owners[u's'], QString::fromUtf8("Nagłówki na każdej &stronie"));
}

TEST_F(TablePrintWindow, aTableJobIsNamedAfterItsTitleAndUsesThePrintableArea)
{
    struct Case {
        const char* title;
        const char* docName;
    };
    for (const Case& c : {Case{"Oceny 3a", "Tabela \u2013 Oceny 3a"}, Case{"", "Tabela \u2013 "}}) {
        SCOPED_TRACE(c.title);
        // As the report cards leave the printer: the whole sheet.
        context->printer().setFullPage(true);
        dialog().prepare(grid(), QString::fromUtf8(c.title));
        dialog().ejectBox().setChecked(false);
        dialog().okButton().click();
        ASSERT_TRUE(dialog().jobOpen());
        EXPECT_EQ(context->printer().docName(), QString::fromUtf8(c.docName));
        EXPECT_FALSE(context->printer().fullPage());
        EXPECT_TRUE(dialog().finishOpenJob());
    }
}

TEST_F(TablePrintWindow, tablesWithoutEjectingShareOneSheet)
{
    dialog().prepare(grid(), QStringLiteral("Pierwsza"));
    dialog().ejectBox().setChecked(false);
    dialog().okButton().click();
    ASSERT_TRUE(dialog().jobOpen());
    const int afterFirst = dialog().sheetY();
    EXPECT_GT(afterFirst, 0);
    EXPECT_EQ(dialog().statusLine().text(), QStringLiteral(" Strona 1"));

    dialog().prepare(grid(), QStringLiteral("Druga"));
    dialog().ejectBox().setChecked(true);
    dialog().okButton().click();
    EXPECT_FALSE(dialog().jobOpen());
    EXPECT_EQ(dialog().sheetY(), 0);
    EXPECT_EQ(pdfPages(pdf), 1);
}

TEST_F(TablePrintWindow, cancellingAnOpenJobAsksAndKeepsThePrintedTablesOnNo)
{
    struct Case {
        QMessageBox::StandardButton answer;
        int pages;  // of the PDF afterwards; an aborted job leaves none
    };
    for (const Case& c : {Case{QMessageBox::No, 1}, Case{QMessageBox::Yes, -1}}) {
        QFile::remove(pdf);
        dialogs->questions.clear();
        dialog().prepare(grid(), QStringLiteral("T"));
        dialog().ejectBox().setChecked(false);
        dialog().okButton().click();
        ASSERT_TRUE(dialog().jobOpen());

        dialog().prepare(grid(), QStringLiteral("T"));
        dialogs->questionAnswers.push_back(c.answer);
        dialog().reject();
        ASSERT_EQ(dialogs->questions.size(), 1u);
        EXPECT_EQ(dialogs->questions[0].text,
                  QString::fromUtf8("Na arkuszu są już wydrukowane tabele. Przerwać wydruk?"));
        EXPECT_FALSE(dialog().jobOpen());
        if (c.pages > 0)
            EXPECT_EQ(pdfPages(pdf), c.pages);
        else
            EXPECT_LE(pdfPages(pdf), 0);
    }
}

TEST_F(TablePrintWindow, printerOptionsEndTheJobThenShowThePrinterSetupAndLayOutAgain)
{
    int setups = 0;
    dialog().setPrinterSetup([&](QPrinter& printer, QWidget*) {
        ++setups;
        EXPECT_FALSE(dialog().jobOpen());
        printer.setOutputFileName(folder.filePath(QStringLiteral("inna.pdf")));
        return true;
    });
    dialog().prepare(grid(), QStringLiteral("T"));
    dialog().ejectBox().setChecked(false);
    dialog().okButton().click();
    dialogs->questionAnswers.push_back(QMessageBox::No);
    dialog().printerOptionsButton().click();
    EXPECT_EQ(setups, 1);
    EXPECT_EQ(pdfPages(pdf), 1);
    EXPECT_EQ(dialog().printerPanel().text(),
              QStringLiteral("Drukowanie ") + folder.filePath(QStringLiteral("inna.pdf")));
}

TEST_F(TablePrintWindow, theLastPageFollowsTheFirstAndRefusedLayoutsSayWhy)
{
    dialog().prepare(grid(), QStringLiteral("T"));
    dialog().sizeSpin().setValue(900);
    const int pages = dialog().toSpin().value();
    ASSERT_GE(pages, 3);
    EXPECT_EQ(dialog().pageCountLabel().text(), Tffdruk::pageCountText(pages));
    dialog().fromSpin().setValue(3);
    dialog().toSpin().setValue(1);
    EXPECT_EQ(dialog().toSpin().value(), 3);

    TCellEdi wide;
    wide.setIlx(150);
    wide.setDefaultSzerIo(300);
    dialog().prepare(wide, QStringLiteral("T"));
    dialog().sizeSpin().setValue(900);
    EXPECT_EQ(dialog().statusLine().text(), QString::fromUtf8("Wydruk się nie powiódł..."));
    EXPECT_FALSE(dialog().okButton().isEnabled());
    dialog().sizeSpin().setValue(100);
    EXPECT_EQ(dialog().statusLine().text(), QStringLiteral(" "));
    EXPECT_TRUE(dialog().okButton().isEnabled());
}

TEST_F(TablePrintWindow, aPrinterThatCannotPrintKeepsTheDialogOpenWithTheFailure)
{
    context->printer().setOutputFileName(
        folder.filePath(QStringLiteral("missing/folder/tabela.pdf")));
    dialog().prepare(grid(), QStringLiteral("T"));
    dialog().okButton().click();
    EXPECT_EQ(dialog().statusLine().text(), QString::fromUtf8("Wydruk się nie powiódł..."));
    EXPECT_FALSE(dialog().jobOpen());
    EXPECT_NE(dialog().result(), QDialog::Accepted);
}

TEST_F(TablePrintWindow, reportCardsEjectAnOpenTableFirst)
{
    dialog().prepare(grid(), QStringLiteral("T"));
    dialog().ejectBox().setChecked(false);
    dialog().okButton().click();
    ASSERT_TRUE(dialog().jobOpen());
    selectCell(1, 0);
    dialogs->questionAnswers.push_back(QMessageBox::Yes);
    const QString cards = folder.filePath(QStringLiteral("karty.pdf"));
    printCardsTo(cards);
    window().speedButton(8).click();
    EXPECT_TRUE(dialogs->errors.empty());
    EXPECT_FALSE(dialog().jobOpen());
    EXPECT_EQ(pdfPages(pdf), 1);
    // The cards go to a file of their own, never into the table's.
    EXPECT_EQ(pdfPages(cards), 1);
}

TEST_F(WindowTest, gridOptionsChangeTheGridAtOnceInBothModes)
{
    start();
    Tffopcje& options = context->gridOptionsWindow();
    options.prepare(grid(), Tffopcje::Mode::UniformSizes);
    EXPECT_EQ(options.headerWidthSpin().value(), grid().SzerInfo());
    options.cellWidthSpin().setValue(120);
    options.headerHeightSpin().setValue(30);
    options.alignmentGroup().button(2)->click();
    EXPECT_EQ(grid().DefaultSzerIo(), 120);
    EXPECT_EQ(grid().SzerIo(0), 120);
    EXPECT_EQ(grid().WysInfo(), 30);
    EXPECT_EQ(grid().DefaultJust(), TJustTyp::Prawo);
    options.finish();

    // Percent mode scales every column as it was when the window opened.
    grid().setSzerIo(0, 81);
    grid().setSzerIo(1, 40);
    options.prepare(grid(), Tffopcje::Mode::Percent);
    EXPECT_EQ(options.cellWidthSpin().value(), 100);
    options.cellWidthSpin().setValue(150);
    EXPECT_EQ(grid().SzerIo(0), 121);
    EXPECT_EQ(grid().SzerIo(1), 60);
    options.cellWidthSpin().setValue(50);
    EXPECT_EQ(grid().SzerIo(0), 40);
    options.finish();

    // The font chosen is what the next save stores.
    options.prepare(grid(), Tffopcje::Mode::UniformSizes);
    options.setFontChooser(
        [](QWidget*, const QFont& initial, const std::function<void(const QFont&)>& apply) {
            QFont font = initial;
            font.setPointSize(40);
            font.setBold(true);
            apply(font);
        });
    options.fontButton().click();
    options.finish();
    EXPECT_EQ(grid().gridLayout().fontSize, 20);
    EXPECT_EQ(grid().gridLayout().bold, 1);
    EXPECT_EQ(grid().gridLayout().cellWidth, 120);
}

}  // namespace

}  // namespace wykazki
