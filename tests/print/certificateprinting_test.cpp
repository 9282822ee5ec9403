// Printing the chosen pupils' cards: one job, one sheet per pupil in the
// given order, only the chosen page of the form, pupils beyond the list
// skipped, no job for nobody, and every printer failure reported as code 4.
// The printer is the program's own, switched to PDF output, and the PDF is
// read back with poppler's pdfinfo and pdftotext.

#include "windowtestclass.h"

#include "print/certificateprinting.h"
#include "print/programprinter.h"

#include "document/ekolmoerror.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace wykazki {

namespace {

QString runTool(const QString& program, const QStringList& args)
{
    QProcess process;
    process.start(program, args);
    EXPECT_TRUE(process.waitForFinished(60000)) << program.toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

int pdfPageCount(const QString& pdf)
{
    const QString info = runTool(QStringLiteral("pdfinfo"), {pdf});
    const auto match = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// The text of one PDF page (from 1), blanks and line ends squeezed.
QString pdfPageText(const QString& pdf, int page)
{
    const QString n = QString::number(page);
    return runTool(QStringLiteral("pdftotext"),
                   {QStringLiteral("-f"), n, QStringLiteral("-l"), n, pdf, QStringLiteral("-")})
        .simplified();
}

class CertificatePrinting : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        folder_ = dir_.path().toStdString() + "/";
        pdf_ = dir_.filePath(QStringLiteral("karty.pdf"));
        printer_ = makeProgramPrinter();
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setOutputFileName(pdf_);
    }

    std::size_t print(const Document& doc, const std::vector<std::size_t>& pupils, int page = 0)
    {
        return printCertificates(*printer_, doc, pupils, page, folder_);
    }

    QTemporaryDir dir_;
    std::string folder_;
    QString pdf_;
    std::unique_ptr<QPrinter> printer_;
};

TEST(ProgramPrinter, isHighResolutionFullPageWithoutMargins)
{
    const auto printer = makeProgramPrinter();
    EXPECT_TRUE(printer->fullPage());
    EXPECT_EQ(printer->pageLayout().margins(QPageLayout::Millimeter), QMarginsF(0, 0, 0, 0));
    // The painter's origin is the sheet's corner.
    EXPECT_EQ(printer->pageLayout().paintRectPixels(printer->resolution()).topLeft(), QPoint(0, 0));
    EXPECT_GE(printer->resolution(), 300);
}

TEST_F(CertificatePrinting, threePupils_threeSheetsInOneJobInTheGivenOrder)
{
    const Document doc = WindowTestClass::make({"Ąda Łęcka", "Bożena Źrebna", "Cezary Śmigły"});
    EXPECT_EQ(print(doc, {0, 1, 2}), 3u);
    ASSERT_EQ(pdfPageCount(pdf_), 3);
    // Polish letters come out as written.
    EXPECT_EQ(pdfPageText(pdf_, 1), QStringLiteral("Ąda Łęcka"));
    EXPECT_EQ(pdfPageText(pdf_, 2), QStringLiteral("Bożena Źrebna"));
    EXPECT_EQ(pdfPageText(pdf_, 3), QStringLiteral("Cezary Śmigły"));
}

// Copies follow each other per pupil; progress is told before every sheet,
// and a cancelled job throws and is aborted.
TEST_F(CertificatePrinting, copiesProgressAndCancelling)
{
    const Document doc = WindowTestClass::make({"Adam", "Basia", "Czesio"});
    std::vector<std::pair<std::size_t, std::size_t>> told;
    CardPrintOptions options;
    options.copies = 2;
    options.progress = [&told](std::size_t done, std::size_t total) {
        told.emplace_back(done, total);
        return true;
    };
    EXPECT_EQ(printCertificates(*printer_, doc, {2, 0}, 0, folder_, nullptr, options), 4u);
    ASSERT_EQ(pdfPageCount(pdf_), 4);
    EXPECT_EQ(pdfPageText(pdf_, 2), QStringLiteral("Czesio"));
    EXPECT_EQ(pdfPageText(pdf_, 3), QStringLiteral("Adam"));
    EXPECT_EQ(told, (std::vector<std::pair<std::size_t, std::size_t>>{
                        {0, 4}, {1, 4}, {2, 4}, {3, 4}, {4, 4}}));

    const QString cancelled = dir_.filePath(QStringLiteral("przerwany.pdf"));
    printer_->setOutputFileName(cancelled);
    options.progress = [](std::size_t done, std::size_t) { return done < 2; };
    EXPECT_THROW(printCertificates(*printer_, doc, {0, 1, 2}, 0, folder_, nullptr, options),
                 CardPrintingCancelled);
    EXPECT_NE(printer_->printerState(), QPrinter::Active);
}

TEST_F(CertificatePrinting, pupilsBeyondTheListAreSkipped)
{
    const Document doc = WindowTestClass::make({"Adam", "Basia", "Czesio"});
    EXPECT_EQ(print(doc, {3, 2, 7, 0}), 2u);
    ASSERT_EQ(pdfPageCount(pdf_), 2);
    EXPECT_EQ(pdfPageText(pdf_, 1), QStringLiteral("Czesio"));
    EXPECT_EQ(pdfPageText(pdf_, 2), QStringLiteral("Adam"));
}

TEST_F(CertificatePrinting, noPupil_startsNoJob)
{
    const Document doc = WindowTestClass::make({"Adam"});
    EXPECT_EQ(print(doc, {}), 0u);
    EXPECT_EQ(print(doc, {1, 5}), 0u);
    EXPECT_FALSE(QFile::exists(pdf_));
    // Not even a printer that could not print is asked.
    printer_->setOutputFileName(dir_.filePath(QStringLiteral("brak/karty.pdf")));
    EXPECT_EQ(print(doc, {1}), 0u);
}

TEST_F(CertificatePrinting, onlyTheChosenPageOfTheFormIsDrawn)
{
    const Document doc = WindowTestClass::make({"Adam", "Basia"});
    EXPECT_EQ(print(doc, {1, 0}, 2), 2u);
    ASSERT_EQ(pdfPageCount(pdf_), 2);
    EXPECT_EQ(pdfPageText(pdf_, 1), QStringLiteral("STRONA TRZECIA"));
    EXPECT_EQ(pdfPageText(pdf_, 2), QStringLiteral("STRONA TRZECIA"));
}

TEST_F(CertificatePrinting, aPictureOnEveryCardIsStoredOnce)
{
    QImage picture(40, 40, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    ASSERT_TRUE(picture.save(dir_.filePath(QStringLiteral("godlo.bmp")), "BMP"));
    Document doc = WindowTestClass::make({"Adam", "Basia", "Czesio"});
    WindowTestClass::addPicture(doc, "godlo");

    EXPECT_EQ(print(doc, {0, 1, 2}), 3u);
    QFile file(pdf_);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().count("/Subtype /Image"), 1);
}

TEST_F(CertificatePrinting, printerThatCannotStart_reportsCode4)
{
    const Document doc = WindowTestClass::make({"Adam"});
    printer_->setOutputFileName(dir_.filePath(QStringLiteral("nie-ma-takiego-folderu/karty.pdf")));
    try {
        print(doc, {0});
        FAIL() << "printing into a missing folder went through";
    } catch (const EKolmoError& e) {
        EXPECT_EQ(e.code(), ErrorCode::PrintFailed);
        EXPECT_STREQ(e.what(), " Wydruk nie powiódł się");
    }
}

// Report cards hold pupils' personal data: an existing PDF keeps its mode,
// a read-only one is refused with the reason and left as it was.
TEST_F(CertificatePrinting, pdfOutputsKeepTheirModeAndReadOnlyOnesAreRefused)
{
    const Document doc = WindowTestClass::make({"Adam"});
    for (const QFile::Permissions mode :
         {QFile::ReadOwner | QFile::WriteOwner, QFile::ReadOwner | QFile::ReadGroup}) {
        const bool readOnly = !(mode & QFile::WriteOwner);
        SCOPED_TRACE(readOnly ? "read-only" : "0600");
        QFile old(pdf_);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old");
        old.close();
        ASSERT_TRUE(old.setPermissions(mode));
        std::string detail;
        try {
            print(doc, {0});
        } catch (const EKolmoError& e) {
            EXPECT_EQ(e.code(), ErrorCode::PrintFailed);
            detail = e.detail();
        }
        EXPECT_EQ(detail, readOnly ? "karty.pdf: plik jest tylko do odczytu" : "");
        EXPECT_EQ(QFileInfo(pdf_).permissions() & QFile::Permissions(0x7077), mode);
        QFile back(pdf_);
        ASSERT_TRUE(back.open(QIODevice::ReadOnly));
        EXPECT_EQ(back.read(4), readOnly ? QByteArray("old") : QByteArray("%PDF"));
        back.close();
        ASSERT_TRUE(back.setPermissions(mode | QFile::WriteOwner));
        ASSERT_TRUE(back.remove());
    }
}

TEST_F(CertificatePrinting, noPrinterAtAll_reportsCode4InsteadOfDoingNothing)
{
    if (!QPrinterInfo::availablePrinters().isEmpty())
        GTEST_SKIP() << "this machine has a printer";
    // The program's printer as it comes up on a machine without printers.
    const auto printer = makeProgramPrinter();
    const Document doc = WindowTestClass::make({"Adam"});
    try {
        printCertificates(*printer, doc, {0}, 0, folder_);
        FAIL() << "printing without a printer went through";
    } catch (const EKolmoError& e) {
        EXPECT_EQ(e.code(), ErrorCode::PrintFailed);
    }
}

TEST_F(CertificatePrinting, damagedOrMissingPicturesAreLeftOutAndListed)
{
    QFile bad(dir_.filePath(QStringLiteral("zepsuty.bmp")));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("to nie jest obrazek");
    bad.close();
    Document doc = WindowTestClass::make({"Adam", "Basia", "Czesio"});
    const std::size_t j = WindowTestClass::addPicture(doc, "");
    // Only the second and third cards have one; "żółw" is no file.
    doc.setCells({{1, j, ValueField::Picture, std::string("zepsuty.bmp")},
                  {2, j, ValueField::Picture, std::string("\xBF\xF3\xB3w")}});

    std::vector<MissingPicture> missing;
    EXPECT_EQ(printCertificates(*printer_, doc, {0, 1, 2}, 0, folder_, &missing), 3u);
    EXPECT_EQ(pdfPageCount(pdf_), 3);
    EXPECT_EQ(missing,
              (std::vector<MissingPicture>{{1, "zepsuty.bmp", true}, {2, "\xBF\xF3\xB3w", false}}));
    EXPECT_EQ(
        missingPicturesText(missing),
        QStringLiteral("Wydrukowano bez obrazków: uczeń 2: zepsuty.bmp (uszkodzony lub za duży); "
                       "uczeń 3: żółw (brak pliku)"));
    EXPECT_EQ(missingPicturesText({}), QString());
}

TEST_F(CertificatePrinting, sheetsOutside1To1000MillimetresStartNoJob)
{
    const struct {
        int width, height;
    } sheets[] = {{0, 297}, {-1, 297}, {210, 0}, {2147483647, 297}, {210, 1001}};
    for (const auto& sheet : sheets) {
        Document doc = WindowTestClass::make({"Adam"});
        TOpcje options = doc.options();
        options.width = sheet.width;
        options.height = sheet.height;
        doc.setOptions(options);
        try {
            print(doc, {0});
            ADD_FAILURE() << "printed on a sheet of " << sheet.width << " x " << sheet.height
                          << " mm";
        } catch (const EKolmoError& e) {
            EXPECT_EQ(e.code(), ErrorCode::PrintFailed);
            EXPECT_EQ(e.detail(), "Wymiary arkusza " + std::to_string(sheet.width) + " × "
                                      + std::to_string(sheet.height)
                                      + " mm są poza zakresem od 1 do 1000 mm");
        }
        EXPECT_FALSE(QFile::exists(pdf_));
    }
}

}  // namespace

}  // namespace wykazki
