// Printing through a real CUPS queue: scripts/cups-test.sh starts a daemon
// of its own, makes its PDF queue the default and runs these one at a time
// with WYKAZKI_CUPS_TEST set; anywhere else they are skipped.

#include "windowfixture.h"

#include "print/programprinter.h"
#include "windows/ffdruk.h"

#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>

namespace wykazki {

namespace {

class CupsPrinting : public WindowTest {
protected:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("WYKAZKI_CUPS_TEST"))
            GTEST_SKIP() << "run by scripts/cups-test.sh";
        WindowTest::SetUp();
        // The sample class with its pictures, as the program folder holds it.
        const QString bin = QStringLiteral(WYKAZKI_BIN_DIR) + QLatin1Char('/');
        for (const char* name : {"Przyklad.wkz", "godlo.bmp", "logo.bmp"})
            ASSERT_TRUE(
                QFile::copy(bin + QLatin1String(name), folder.filePath(QLatin1String(name))))
                << name;
        start(false);
        ASSERT_EQ(context->printer().outputFormat(), QPrinter::NativeFormat);
        ASSERT_TRUE(canPrintOn(context->printer()));
    }
    void TearDown() override
    {
        if (context)
            WindowTest::TearDown();
    }
};

TEST_F(CupsPrinting, twoPagesOfTheTable)
{
    Tffdruk& dialog = context->tablePrintWindow();
    dialog.prepare(grid(), QStringLiteral("Tabela CUPS"));
    ASSERT_GE(dialog.toSpin().maximum(), 2);
    dialog.toSpin().setValue(2);
    dialog.okButton().click();
    EXPECT_EQ(dialog.statusLine().text(), QStringLiteral(" Strona 2"));
    EXPECT_FALSE(dialog.jobOpen());
}

// Pupils 1 and 3 through the print dialog, on the queue it preselects.
TEST_F(CupsPrinting, twoReportCards)
{
    select(0, 0, 1, 0);
    dialogs->inModal[QStringLiteral("printCardsDialog")] = [](QDialog& d) {
        auto& print = static_cast<PrintCardsDialog&>(d);
        EXPECT_EQ(print.choice().printer, QStringLiteral("wkz-pdf"));
        print.groupButton(PrintCardsDialog::None).click();
        for (const int row : {0, 2})
            print.pupilList().item(row)->setCheckState(Qt::Checked);
        return int(QDialog::Accepted);
    };
    dialogs->questionAnswers.push_back(QMessageBox::Yes);
    window().speedButton(8).click();
    EXPECT_TRUE(dialogs->errors.empty());
    EXPECT_EQ(window().statusText(), QStringLiteral("Wysłano do drukarki: 2 świadectwa (wkz-pdf)"));
}

}  // namespace

}  // namespace wykazki
