// Printing the calibration page on the program's printer (switched to PDF
// output): one sheet titled "Strona kalibracyjna", moved by the options'
// shift, and every failure reported as code 4 as for report cards.

#include "print/calibrationpage.h"
#include "print/programprinter.h"

#include "document/ekolmoerror.h"
#include "document/topcje.h"

#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <optional>

namespace wykazki {

namespace {

constexpr double kMmPerPoint = 25.4 / 72.0;

QString runTool(const QString& program, const QStringList& args)
{
    QProcess tool;
    tool.start(program, args);
    EXPECT_TRUE(tool.waitForFinished(60000)) << program.toStdString();
    return QString::fromUtf8(tool.readAllStandardOutput());
}

// The top left corner of the title's first word, in millimetres.
std::optional<QPointF> titleCorner(const QString& pdf)
{
    QXmlStreamReader xml(
        runTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")}));
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement() || xml.name() != u"word")
            continue;
        const QPointF corner(xml.attributes().value(QLatin1String("xMin")).toDouble(),
                             xml.attributes().value(QLatin1String("yMin")).toDouble());
        if (xml.readElementText() == QStringLiteral("Strona"))
            return corner * kMmPerPoint;
    }
    return std::nullopt;
}

class CalibrationPrinting : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        printer_ = makeProgramPrinter();
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setOutputFileName(pdf("kalibracja.pdf"));
    }
    QString pdf(const char* name) const { return dir_.filePath(QString::fromUtf8(name)); }

    QTemporaryDir dir_;
    std::unique_ptr<QPrinter> printer_;
};

TEST_F(CalibrationPrinting, oneTitledSheetMovedByTheOptionsShift)
{
    TOpcje options;
    printCalibrationPage(*printer_, options);
    options.left = 3;
    options.top = -2;
    printer_->setOutputFileName(pdf("przesunieta.pdf"));
    printCalibrationPage(*printer_, options);

    const QString info = runTool(QStringLiteral("pdfinfo"), {pdf("przesunieta.pdf")}).simplified();
    EXPECT_TRUE(info.contains(QStringLiteral("Title: Strona kalibracyjna "))) << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("Pages: 1 "))) << info.toStdString();
    const auto unshifted = titleCorner(pdf("kalibracja.pdf"));
    const auto shifted = titleCorner(pdf("przesunieta.pdf"));
    ASSERT_TRUE(unshifted && shifted);
    EXPECT_NEAR(shifted->x() - unshifted->x(), 3.0, 0.05);
    EXPECT_NEAR(shifted->y() - unshifted->y(), -2.0, 0.05);
}

TEST_F(CalibrationPrinting, failuresAreCode4WithTheReasonWhereThereIsOne)
{
    QFile readOnly(pdf("tylko.pdf"));
    ASSERT_TRUE(readOnly.open(QIODevice::WriteOnly));
    readOnly.close();
    ASSERT_TRUE(readOnly.setPermissions(QFile::ReadOwner));
    struct Row {
        int widthMm;
        const char* output;
        const char* detail;
    };
    const Row rows[] = {
        {0, "kalibracja.pdf", "Wymiary arkusza 0 × 297 mm są poza zakresem od 1 do 1000 mm"},
        {1001, "kalibracja.pdf", "Wymiary arkusza 1001 × 297 mm są poza zakresem od 1 do 1000 mm"},
        {210, "tylko.pdf", "tylko.pdf: plik jest tylko do odczytu"},
        {210, "nie-ma-takiego-folderu/kalibracja.pdf", ""},
        {210, "", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.output);
        TOpcje options;
        options.width = row.widthMm;
        printer_->setOutputFileName(*row.output ? pdf(row.output) : QString());
        try {
            printCalibrationPage(*printer_, options);
            ADD_FAILURE() << "printed";
        } catch (const EKolmoError& e) {
            EXPECT_EQ(e.code(), ErrorCode::PrintFailed);
            EXPECT_EQ(e.detail(), row.detail);
        }
        EXPECT_FALSE(QFile::exists(pdf("kalibracja.pdf")));
    }
    ASSERT_TRUE(readOnly.open(QIODevice::ReadOnly));
    EXPECT_EQ(readOnly.size(), 0);
}

}  // namespace

}  // namespace wykazki
