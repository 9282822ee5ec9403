// The print dialog for report cards: any set of pupils, the line that
// states the job, a PDF file asked for every job, and the keys.

#include "windowfixture.h"

#include "document/classfile.h"
#include "print/formscans.h"
#include "windows/jobprogress.h"
#include "windows/printcardsdialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPrinter>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

namespace wykazki {

namespace {

constexpr int kClassSize = 25;

// The sample class grown to 25 pupils named "Uczeń N"; pupils 2 and 4 (from
// 1) have all grades "celujący", pupil 5 fails maths.
ClassFileContents largeClass()
{
    ClassFileContents c = sampleClass();
    for (auto i = static_cast<std::size_t>(kPupilCount); i < kClassSize; ++i)
        c.pupils.insert(i, kPhraseCount);
    for (std::size_t i = 0; i < kClassSize; ++i) {
        TFrazy& values = c.pupils[i].values;
        values[kName].text = cp(QStringLiteral("Uczeń %1").arg(i + 1).toUtf8().constData());
        values[kMaths].grade = 3;
        values[kPhysics].grade = 3;
    }
    for (std::size_t i : {1u, 3u})
        c.pupils[i].values[kMaths].grade = c.pupils[i].values[kPhysics].grade = 5;
    c.pupils[4].values[kMaths].grade = 0;
    return c;
}

// The sheets of a PDF the program wrote.
int pageCount(const QByteArray& pdf)
{
    return int(
        QString::fromLatin1(pdf).count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))));
}

class PrintDialogTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        writeClass(QStringLiteral("Przyklad.wkz"), largeClass());
        start(false);
        ASSERT_EQ(doc().pupils().count(), std::size_t{kClassSize});
    }
    PrintCardsDialog& dialog() { return context->printCardsDialog(); }
    void prepare(const std::vector<std::size_t>& selected, int page = 0)
    {
        dialog().prepare(doc(), QStringLiteral("/x/7a.wkz"), selected, page);
    }
    void check(std::initializer_list<int> rows, bool on = true)
    {
        for (const int row : rows)
            dialog().pupilList().item(row)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    }
};

TEST_F(PrintDialogTest, theLineStatesTheJobWithThePolishPlural)
{
    prepare({});
    dialogs->saveAnswers.push_back(folder.filePath(QStringLiteral("a.pdf")));
    dialog().pdfButton().click();
    const struct {
        int pupils;
        const char* text;
    } cases[] = {
        {1, "1 świadectwo"},   {2, "2 świadectwa"},  {5, "5 świadectw"},
        {22, "22 świadectwa"}, {25, "25 świadectw"}, {12, "12 świadectw"},
    };
    EXPECT_FALSE(dialog().printButton().isEnabled());
    EXPECT_EQ(dialog().summary(), QStringLiteral("Nie zaznaczono żadnego ucznia."));
    for (const auto& c : cases) {
        dialog().groupButton(PrintCardsDialog::None).click();
        for (int row = 0; row < c.pupils; ++row)
            check({row});
        dialog().pageBox().setCurrentIndex(2);
        const QString line = dialog().summaryLabel().text();
        EXPECT_TRUE(line.startsWith(QStringLiteral("Do wydruku: ") + QString::fromUtf8(c.text)
                                    + QStringLiteral(", strona 3, ")))
            << line.toStdString();
        EXPECT_TRUE(line.endsWith(QStringLiteral("plik PDF a.pdf"))) << line.toStdString();
        EXPECT_TRUE(dialog().printButton().isEnabled());
    }
    dialog().copiesSpin().setValue(2);
    EXPECT_TRUE(dialog().summary().contains(QStringLiteral("po 2 kopie")));
}

TEST_F(PrintDialogTest, groupsFollowTheClassCheck)
{
    prepare({0});
    const auto checked = [this] {
        std::vector<std::size_t> rows = dialog().choice().pupils;
        return rows;
    };
    EXPECT_EQ(checked(), (std::vector<std::size_t>{0}));
    dialog().groupButton(PrintCardsDialog::All).click();
    EXPECT_EQ(checked().size(), std::size_t{kClassSize});
    dialog().groupButton(PrintCardsDialog::NotPromoted).click();
    EXPECT_EQ(checked(), (std::vector<std::size_t>{4}));
    dialog().groupButton(PrintCardsDialog::NoDistinction).click();
    EXPECT_EQ(checked().size(), std::size_t{kClassSize - 1});
    dialog().groupButton(PrintCardsDialog::None).click();
    EXPECT_TRUE(checked().empty());
    // Space checks the current pupil, as in any list of check boxes.
    dialog().pupilList().setCurrentRow(6);
    QTest::keyClick(&dialog().pupilList(), Qt::Key_Space);
    EXPECT_EQ(checked(), (std::vector<std::size_t>{6}));
}

TEST_F(PrintDialogTest, pupilsOneThreeAndFivePrintInThatOrderToAPdfAskedForEveryJob)
{
    const QString pdf = folder.filePath(QStringLiteral("karty.pdf"));
    printCardsTo(pdf, [this](PrintCardsDialog& print) {
        print.groupButton(PrintCardsDialog::None).click();
        check({4, 0, 2});
    });
    dialogs->questionAnswers.push_back(QMessageBox::Yes);  // although the emblem is missing
    select(7, 0, 7, 0);
    window().speedButton(8).click();
    ASSERT_EQ(dialogs->saveAsked.size(), 1u);
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_EQ(pageCount(bytes), 3);
    // In the order of the class: the names on pages 1, 2 and 3.
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    if (text.waitForFinished(30000)) {
        const QStringList pages = QString::fromUtf8(text.readAllStandardOutput())
                                      .split(QLatin1Char('\f'), Qt::SkipEmptyParts);
        ASSERT_EQ(pages.size(), 3);
        for (int i = 0; i < 3; ++i)
            EXPECT_TRUE(pages[i].contains(QStringLiteral("Uczeń %1").arg(2 * i + 1)))
                << pages[i].toStdString();
    }
    EXPECT_EQ(context->printer().docName(), QStringLiteral("Świadectwa – Przyklad – strona 1"));
    EXPECT_EQ(window().statusText(),
              QStringLiteral("Zapisano do pliku PDF: 3 świadectwa (karty.pdf). Wydrukowano bez "
                             "obrazków: uczeń 1: godlo (brak pliku); uczeń 3: godlo (brak "
                             "pliku)"));
    // No partial file is left beside it.
    EXPECT_EQ(
        QDir(folder.path()).entryList({QStringLiteral("*czesciowy*")}, QDir::Files | QDir::Hidden),
        QStringList());

    // The second job asks for its file again; cancelling it prints nothing
    // and leaves the first PDF as it was.
    dialogs->inModal.clear();
    dialogs->inModal[QStringLiteral("printCardsDialog")] = [](QDialog& d) {
        auto& print = static_cast<PrintCardsDialog&>(d);
        print.pdfButton().click();  // answered with nothing: cancelled
        return print.choice().pdfFile.isEmpty() && print.choice().printer.isEmpty()
                   ? int(QDialog::Rejected)
                   : int(QDialog::Accepted);
    };
    window().speedButton(8).click();
    EXPECT_EQ(dialogs->saveAsked.size(), 2u);
    file.close();
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), bytes);
    EXPECT_TRUE(context->printer().outputFileName().isEmpty());
}

TEST_F(PrintDialogTest, copiesAndAProofPrintTheirSheets)
{
    const QString pdf = folder.filePath(QStringLiteral("kopie.pdf"));
    printCardsTo(pdf, [this](PrintCardsDialog& print) {
        print.groupButton(PrintCardsDialog::None).click();
        check({1, 3});
        print.copiesSpin().setValue(3);
        print.proofBox().setChecked(true);
    });
    dialogs->questionAnswers.push_back(QMessageBox::Yes);
    window().speedButton(8).click();
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(pageCount(file.readAll()), 6);
}

TEST_F(PrintDialogTest, enterPrintsAndEscapeCancels)
{
    prepare({0, 2});
    dialogs->saveAnswers.push_back(folder.filePath(QStringLiteral("a.pdf")));
    dialog().pdfButton().click();
    ASSERT_TRUE(dialog().printButton().isEnabled());
    QSignalSpy accepted(&dialog(), &QDialog::accepted);
    QSignalSpy rejected(&dialog(), &QDialog::rejected);
    dialog().show();
    dialog().pupilList().setFocus();
    QTest::keyClick(&dialog().pupilList(), Qt::Key_Return);
    EXPECT_EQ(accepted.count(), 1);
    dialog().show();
    QTest::keyClick(&dialog().pupilList(), Qt::Key_Escape);
    EXPECT_EQ(rejected.count(), 1);
}

TEST_F(PrintDialogTest, thePageIsRememberedPerClassForTheSession)
{
    prepare({0}, 1);
    EXPECT_EQ(dialog().pageBox().currentIndex(), 1);
    const QString pdf = folder.filePath(QStringLiteral("strona.pdf"));
    printCardsTo(pdf, [](PrintCardsDialog& print) { print.pageBox().setCurrentIndex(3); });
    dialogs->questionAnswers.push_back(QMessageBox::Yes);
    selectCell(0, 0);
    window().speedButton(8).click();
    ASSERT_TRUE(QFile::exists(pdf));
    // The main window's page is Pierwszą; the dialog offers what was printed.
    dialogs->inModal[QStringLiteral("printCardsDialog")] = [](QDialog& d) {
        EXPECT_EQ(static_cast<PrintCardsDialog&>(d).pageBox().currentIndex(), 3);
        return int(QDialog::Rejected);
    };
    window().speedButton(8).click();
}

// A proof print draws the scanned form under the texts; a real print of
// the same pupil never does. The preview shows it when the user wants.
TEST_F(PrintDialogTest, theScannedFormIsOnTheProofOnly)
{
    QImage scan(420, 594, QImage::Format_RGB32);
    scan.fill(QColor(250, 240, 200));
    ASSERT_TRUE(scan.save(folder.filePath(QStringLiteral("formularz1.png"))));
    dialogs->chooseAnswers = {};
    dialogs->openAnswers.push_back(folder.filePath(QStringLiteral("formularz1.png")));
    context->chooseFormScan(0);
    EXPECT_EQ(FormScans::load(context->classFilePath()).name(0), QStringLiteral("formularz1.png"));

    const auto images = [](const QString& pdf) {
        QFile file(pdf);
        return file.open(QIODevice::ReadOnly)
                   ? int(QString::fromLatin1(file.readAll())
                             .count(QRegularExpression(QStringLiteral("/Subtype\\s*/Image"))))
                   : -1;
    };
    for (const bool proof : {true, false}) {
        const QString pdf =
            folder.filePath(proof ? QStringLiteral("proba.pdf") : QStringLiteral("prawdziwy.pdf"));
        printCardsTo(pdf, [this, proof](PrintCardsDialog& print) {
            print.groupButton(PrintCardsDialog::None).click();
            check({6});
            print.proofBox().setChecked(proof);
        });
        window().speedButton(8).click();
        EXPECT_EQ(images(pdf), proof ? 1 : 0) << pdf.toStdString();
    }
}

}  // namespace

namespace {

// Long jobs show their progress; Anuluj stops a print before anything
// reaches the queue or a file, and the status bar says so.
TEST_F(PrintDialogTest, cancellingAPrintLeavesNoPdf)
{
    JobProgress::setDelayMs(0);
    const QString pdf = folder.filePath(QStringLiteral("przerwane.pdf"));
    printCardsTo(pdf,
                 [](PrintCardsDialog& print) { print.groupButton(PrintCardsDialog::All).click(); });
    dialogs->questionAnswers.push_back(QMessageBox::Yes);
    bool shown = false;
    // Runs inside the job's event processing once the dialog is up.
    QTimer cancel;
    QObject::connect(&cancel, &QTimer::timeout, [&shown] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* progress = qobject_cast<QProgressDialog*>(w);
                progress != nullptr && progress->isVisible() && progress->value() >= 3) {
                shown = true;
                progress->cancel();
            }
    });
    cancel.start(0);
    window().speedButton(8).click();
    cancel.stop();
    JobProgress::setDelayMs(500);
    EXPECT_TRUE(shown);
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_EQ(
        QDir(folder.path()).entryList({QStringLiteral("*czesciowy*")}, QDir::Files | QDir::Hidden),
        QStringList());
    EXPECT_TRUE(window().statusText().startsWith(QStringLiteral("Drukowanie przerwano")));
}

}  // namespace

namespace {

// Report cards hold pupils' personal data: a PDF written over an existing
// private file stays private, and a read-only one is left as it is.
TEST_F(PrintDialogTest, aPdfKeepsTheModeOfTheFileItReplacesAndAReadOnlyOneIsRefused)
{
    const struct {
        QFile::Permissions before;
        bool replaced;
    } cases[] = {
        {QFile::ReadOwner | QFile::WriteOwner, true},
        {QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther, false},
    };
    for (const auto& c : cases) {
        const QString pdf = folder.filePath(QStringLiteral("prywatne.pdf"));
        QFile::remove(pdf);
        QFile old(pdf);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("stary");
        old.close();
        ASSERT_TRUE(QFile::setPermissions(pdf, c.before));
        printCardsTo(pdf, [this](PrintCardsDialog& print) {
            print.groupButton(PrintCardsDialog::None).click();
            check({0});
        });
        dialogs->questionAnswers.push_back(QMessageBox::Yes);
        dialogs->errors.clear();
        select(7, 0, 7, 0);
        window().speedButton(8).click();
        QFile file(pdf);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll().startsWith("%PDF"), c.replaced);
        EXPECT_EQ(QFile::permissions(pdf) & 0x7077, c.before & 0x7077);
        if (!c.replaced) {
            EXPECT_EQ(window().statusText(),
                      QStringLiteral("prywatne.pdf: plik jest tylko do odczytu"));
            EXPECT_FALSE(dialogs->errors.empty());
        }
        QFile::setPermissions(pdf, QFile::ReadOwner | QFile::WriteOwner);
    }
    EXPECT_EQ(
        QDir(folder.path()).entryList({QStringLiteral("*czesciowy*")}, QDir::Files | QDir::Hidden),
        QStringList());
}

}  // namespace

}  // namespace wykazki
