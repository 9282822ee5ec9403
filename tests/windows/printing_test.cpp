// The main window's print commands reach the preview, the printer and the
// print options window.

#include "windowfixture.h"

#include "windows/ffwopcje.h"
#include "windows/ffwpodglad.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPrinter>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

namespace wykazki {

namespace {

int pdfPageCount(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QString text = QString::fromLatin1(file.readAll());
    return int(text.count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))));
}

}  // namespace

TEST_F(WindowTest, printingTheSelectedPupilsMakesOneJobOfOneSheetEach)
{
    start();
    const QString pdf = folder.filePath(QStringLiteral("karty.pdf"));
    printCardsTo(pdf);
    // Three pupil columns and the averages column.
    select(0, 0, kPupilCount, 1);
    // The emblem is missing from every card: printing asks first.
    dialogs->questionAnswers.push_back(QMessageBox::Yes);
    window().speedButton(8).click();
    ASSERT_EQ(dialogs->questions.size(), 1u);
    EXPECT_TRUE(dialogs->questions[0].text.contains(QStringLiteral("Świadectwa 3 uczniów")));
    EXPECT_TRUE(dialogs->errors.empty());
    EXPECT_EQ(pdfPageCount(pdf), kPupilCount);
}

TEST_F(WindowTest, printingWithoutAPrinterReportsTheFailure)
{
    start();
    printCardsTo(folder.filePath(QStringLiteral("missing/folder/karty.pdf")));
    selectCell(1, 0);
    dialogs->questionAnswers.push_back(QMessageBox::Yes);
    window().speedButton(8).click();
    ASSERT_EQ(dialogs->errors.size(), 1u);
    EXPECT_EQ(dialogs->errors[0], QString::fromUtf8(" Wydruk nie powiódł się"));
}

TEST_F(WindowTest, previewShowsTheCurrentPupilAtTheChosenPage)
{
    start();
    window().setChosenPage(1);
    selectCell(2, 0);
    closeModalSoon();
    window().speedButton(7).click();
    EXPECT_EQ(context->previewWindow().pupil(), 2);
    EXPECT_EQ(context->previewWindow().page(), 1);
    EXPECT_FALSE(context->previewWindow().isVisible());
}

TEST_F(WindowTest, editedWordingsShowInTheGridAtOnce)
{
    start();
    closeModalSoon([](QWidget& options) {
        // Edit4 holds the wording of key 4, index 3.
        auto* edit = options.findChild<QLineEdit*>(QStringLiteral("Edit4"));
        ASSERT_NE(edit, nullptr);
        edit->setText(QStringLiteral("Dobra"));
    });
    window().speedButton(6).click();
    EXPECT_EQ(doc().options().wordings[3], "Dobra");
    EXPECT_TRUE(editor().isModified()) << "changed wordings are a change to save";
    // Pupil 3 has maths index 2, pupil 1 has physics index 5; set one to 3.
    setGrade(0, kMaths, 3);
    EXPECT_EQ(cell(0, kMaths), QStringLiteral("Dobra"));
}

TEST_F(WindowTest, saveStoresWhereThePreviewWasShown)
{
    start();
    selectCell(0, 0);
    closeModalSoon();
    window().speedButton(7).click();
    const QString path = writeClass(QStringLiteral("zapis.wkz"), sampleClass());
    dialogs->saveAnswers.push_back(path);
    window().saveAs();
    const QRect shown = context->previewWindow().frameGeometry();
    const WindowRect stored = doc().screen().preview;
    EXPECT_EQ(stored.left, shown.left());
    EXPECT_EQ(stored.right - stored.left, shown.width());
}

TEST_F(WindowTest, picturesPrintedWithoutAreListedInTheStatusBar)
{
    start();  // the class's emblem "godlo" is not in the program folder
    printCardsTo(folder.filePath(QStringLiteral("karty.pdf")));
    select(1, 0, 2, 0);
    dialogs->questionAnswers.push_back(QMessageBox::Yes);
    window().speedButton(8).click();
    EXPECT_TRUE(dialogs->errors.empty());
    EXPECT_EQ(pdfPageCount(folder.filePath(QStringLiteral("karty.pdf"))), 2);
    EXPECT_EQ(window().statusText(),
              QStringLiteral("Zapisano do pliku PDF: 2 świadectwa (karty.pdf). Wydrukowano bez "
                             "obrazków: uczeń 2: godlo (brak pliku); uczeń 3: godlo (brak pliku)"));
}

TEST_F(WindowTest, aSheetOutside1To1000MillimetresIsRefusedSayingWhy)
{
    ClassFileContents c = sampleClass();
    c.options.width = 0;
    writeClass(QStringLiteral("Przyklad.wkz"), c);
    start(false);
    printCardsTo(folder.filePath(QStringLiteral("karty.pdf")));
    selectCell(0, 0);
    window().speedButton(8).click();
    ASSERT_EQ(dialogs->errors.size(), 1u);
    EXPECT_EQ(dialogs->errors[0], QString::fromUtf8(" Wydruk nie powiódł się"));
    EXPECT_EQ(window().statusText(),
              QStringLiteral("Wymiary arkusza 0 × 297 mm są poza zakresem od 1 do 1000 mm"));
    EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("karty.pdf"))));
}

}  // namespace wykazki
