// The calibration page: crosshairs centred where they belong, every mark
// moved by exactly the shift (as painted, and as wkz calibration writes
// it into a PDF), a bounded drawing whatever it is given, and the command
// line's checks said in Polish with the usage status.

#include "print/calibrationdrawing.h"

#include <QFile>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace wykazki {

namespace {

constexpr double kPixelsPerMm = 10.0;
constexpr double kMmPerPoint = 25.4 / 72.0;

// What a painter was asked to draw, in device pixels.
struct Marks {
    std::vector<QPointF> points;   // line ends, ellipse corners, text origins, in drawing order
    std::vector<QLineF> lines;     // the lines alone
    std::vector<QRectF> ellipses;  // the circles alone
};

class RecordingEngine : public QPaintEngine {
public:
    explicit RecordingEngine(Marks& marks) : QPaintEngine(AllFeatures), marks_(marks) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    Type type() const override { return User; }
    void drawPixmap(const QRectF& r, const QPixmap&, const QRectF&) override { add(r); }
    void drawLines(const QLineF* lines, int count) override
    {
        for (int i = 0; i < count; ++i) {
            marks_.lines.push_back(lines[i]);
            marks_.points.insert(marks_.points.end(), {lines[i].p1(), lines[i].p2()});
        }
    }
    void drawEllipse(const QRectF& r) override
    {
        marks_.ellipses.push_back(r);
        add(r);
    }
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode) override
    {
        marks_.points.insert(marks_.points.end(), points, points + count);
    }
    void drawPath(const QPainterPath& path) override { add(path.boundingRect()); }
    void drawTextItem(const QPointF& origin, const QTextItem&) override
    {
        marks_.points.push_back(origin);
    }

private:
    void add(const QRectF& r)
    {
        marks_.points.insert(marks_.points.end(), {r.topLeft(), r.bottomRight()});
    }
    Marks& marks_;
};

// A surface of kPixelsPerMm that keeps what is drawn on it.
class RecordingDevice : public QPaintDevice {
public:
    QPaintEngine* paintEngine() const override { return &engine_; }
    Marks marks;

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
        case PdmHeight: return 20000;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY: return 254;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return static_cast<int>(devicePixelRatioFScale());
        case PdmDepth: return 32;
        case PdmNumColors: return std::numeric_limits<int>::max();
        default: return QPaintDevice::metric(metric);
        }
    }

private:
    mutable RecordingEngine engine_{marks};
};

Marks drawn(QSizeF sheetMm, double leftMm, double topMm, double pixelsPerMm = kPixelsPerMm)
{
    RecordingDevice device;
    QPainter painter(&device);
    drawCalibrationPage(painter, sheetMm, leftMm, topMm, pixelsPerMm);
    painter.end();
    return device.marks;
}

TEST(CalibrationPage, crosshairsAreCentredAt20And50mmWithArmsThroughTheirCentres)
{
    const Marks marks = drawn(QSizeF(210, 297), 0, 0);
    ASSERT_EQ(marks.ellipses.size(), 2U);
    for (std::size_t i = 0; i < 2; ++i) {
        const double centrePx = (i == 0 ? 20.0 : 50.0) * kPixelsPerMm;
        SCOPED_TRACE(centrePx);
        EXPECT_NEAR(marks.ellipses[i].center().x(), centrePx, 1e-9);
        EXPECT_NEAR(marks.ellipses[i].center().y(), centrePx, 1e-9);
        // A horizontal and a vertical arm cross at the centre.
        int arms = 0;
        for (const QLineF& arm : marks.lines)
            if (QLineF(arm.center(), QPointF(centrePx, centrePx)).length() < 1e-9
                && arm.length() > 0 && (arm.dx() == 0 || arm.dy() == 0))
                ++arms;
        EXPECT_EQ(arms, 2);
    }
}

TEST(CalibrationPage, everyMarkMovesByExactlyTheShift)
{
    const QSizeF sheet(210, 297);
    const Marks unshifted = drawn(sheet, 0, 0);
    struct Shift {
        double leftMm, topMm;
    };
    for (const Shift shift : {Shift{3, 2}, Shift{-5, 0.5}, Shift{0, -50}, Shift{500, 12}}) {
        SCOPED_TRACE(QStringLiteral("%1, %2").arg(shift.leftMm).arg(shift.topMm).toStdString());
        const Marks shifted = drawn(sheet, shift.leftMm, shift.topMm);
        ASSERT_EQ(shifted.points.size(), unshifted.points.size());
        for (std::size_t i = 0; i < shifted.points.size(); ++i) {
            const QPointF movedMm = (shifted.points[i] - unshifted.points[i]) / kPixelsPerMm;
            ASSERT_NEAR(movedMm.x(), shift.leftMm, 0.05) << "mark " << i;
            ASSERT_NEAR(movedMm.y(), shift.topMm, 0.05) << "mark " << i;
        }
    }
}

TEST(CalibrationPage, drawsNothingForNonNumbersAndStaysBoundedForHugeValues)
{
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    constexpr double kInf = std::numeric_limits<double>::infinity();
    struct Row {
        QSizeF sheetMm;
        double leftMm, topMm, pixelsPerMm;
        bool drawsNothing;
    };
    const Row rows[] = {
        {QSizeF(kNaN, 297), 0, 0, kPixelsPerMm, true},
        {QSizeF(210, 297), kInf, 0, kPixelsPerMm, true},
        {QSizeF(210, 297), 0, kNaN, kPixelsPerMm, true},
        {QSizeF(210, 297), 0, 0, 0, true},
        {QSizeF(210, 297), 0, 0, -kPixelsPerMm, true},
        {QSizeF(1e12, 1e12), 1e12, -1e12, 1e12, false},
        {QSizeF(-5, 0), 0, 0, kPixelsPerMm, false},
    };
    // Two ruler ticks for each millimetre of the largest sheet, crosshairs
    // and text: never more, whatever the sheet.
    constexpr std::size_t kMostPoints = 2 * 2 * 1001 + 200 + 200;
    for (const Row& row : rows) {
        const Marks marks = drawn(row.sheetMm, row.leftMm, row.topMm, row.pixelsPerMm);
        EXPECT_EQ(marks.points.empty(), row.drawsNothing) << &row - rows;
        EXPECT_LE(marks.points.size(), kMostPoints) << &row - rows;
        for (const QPointF& p : marks.points)
            ASSERT_TRUE(std::isfinite(p.x()) && std::isfinite(p.y())) << &row - rows;
    }
}

// wkz calibration end to end.

struct RunResult {
    int exitCode = -1;
    QString standardError;
};

RunResult runCalibration(const QStringList& args)
{
    QProcess wkz;
    wkz.start(QStringLiteral(WYKAZKI_BIN_DIR "/wkz"),
              QStringList{QStringLiteral("calibration")} + args);
    EXPECT_TRUE(wkz.waitForFinished(60000));
    return {wkz.exitStatus() == QProcess::NormalExit ? wkz.exitCode() : -1,
            QString::fromUtf8(wkz.readAllStandardError())};
}

QString runTool(const QString& program, const QStringList& args)
{
    QProcess tool;
    tool.start(program, args);
    EXPECT_TRUE(tool.waitForFinished(60000)) << program.toStdString();
    return QString::fromUtf8(tool.readAllStandardOutput());
}

// Every word's top left corner as pdftotext places it, in millimetres.
std::vector<QPointF> wordCorners(const QString& pdf)
{
    QXmlStreamReader xml(
        runTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")}));
    std::vector<QPointF> corners;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == u"word")
            corners.emplace_back(
                xml.attributes().value(QLatin1String("xMin")).toDouble() * kMmPerPoint,
                xml.attributes().value(QLatin1String("yMin")).toDouble() * kMmPerPoint);
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return corners;
}

class CalibrationCommand : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString pdf(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }
    QTemporaryDir dir;
};

TEST_F(CalibrationCommand, shiftMovesEveryWordOfThePdfByExactlyThatMuch)
{
    ASSERT_EQ(runCalibration({QStringLiteral("-o"), pdf("a.pdf")}).exitCode, 0);
    ASSERT_EQ(runCalibration({QStringLiteral("-o"), pdf("b.pdf"), QStringLiteral("--left"),
                              QStringLiteral("3"), QStringLiteral("--top"), QStringLiteral("2")})
                  .exitCode,
              0);
    const std::vector<QPointF> unshifted = wordCorners(pdf("a.pdf"));
    const std::vector<QPointF> shifted = wordCorners(pdf("b.pdf"));
    // Ruler numbers and the instruction.
    ASSERT_GT(unshifted.size(), 50U);
    ASSERT_EQ(shifted.size(), unshifted.size());
    for (std::size_t i = 0; i < shifted.size(); ++i) {
        ASSERT_NEAR(shifted[i].x() - unshifted[i].x(), 3.0, 0.05) << "word " << i;
        ASSERT_NEAR(shifted[i].y() - unshifted[i].y(), 2.0, 0.05) << "word " << i;
    }
}

TEST_F(CalibrationCommand, writesOnePageOfTheSheetAtTheLimitsOfEveryOption)
{
    struct Row {
        QStringList options;
        int widthPt, heightPt;  // pdfinfo rounds to whole points
    };
    const Row rows[] = {
        {{}, 595, 842},
        {{QStringLiteral("--sheet"), QStringLiteral("100x150")}, 283, 425},
        {{QStringLiteral("--sheet"), QStringLiteral("1X1"), QStringLiteral("--left"),
          QStringLiteral("-50"), QStringLiteral("--top"), QStringLiteral("500")},
         3,
         3},
        {{QStringLiteral("--sheet"), QStringLiteral("1000x1000"), QStringLiteral("--left"),
          QStringLiteral("500"), QStringLiteral("--top"), QStringLiteral("-50")},
         2835,
         2835},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.options.join(u' ').toStdString());
        const RunResult run =
            runCalibration(QStringList{QStringLiteral("-o"), pdf("k.pdf")} + row.options);
        ASSERT_EQ(run.exitCode, 0) << run.standardError.toStdString();
        const QString info = runTool(QStringLiteral("pdfinfo"), {pdf("k.pdf")}).simplified();
        EXPECT_TRUE(info.contains(QStringLiteral("Pages: 1 "))) << info.toStdString();
        const auto size =
            QRegularExpression(QStringLiteral("Page size: ([0-9.]+) x ([0-9.]+) pts")).match(info);
        ASSERT_TRUE(size.hasMatch()) << info.toStdString();
        EXPECT_NEAR(size.captured(1).toDouble(), row.widthPt, 1.0);
        EXPECT_NEAR(size.captured(2).toDouble(), row.heightPt, 1.0);
    }
}

TEST_F(CalibrationCommand, badArgumentsAreSaidInPolishWithTheUsageStatusAndWriteNothing)
{
    struct Row {
        QStringList args;
        const char* message;
    };
    const QString out = pdf("x.pdf");
    const QString o = QStringLiteral("-o");
    const Row rows[] = {
        {{}, "brak -o PLIK.pdf"},
        {{o}, "po -o brak wartości"},
        {{o, QString()}, "-o wymaga nazwy pliku PDF"},
        {{o, out, QStringLiteral("--left"), QStringLiteral("501")},
         "--left musi być liczbą całkowitą milimetrów od -50 do 500, a nie „501”"},
        {{o, out, QStringLiteral("--left"), QStringLiteral("-51")}, "od -50 do 500, a nie „-51”"},
        {{o, out, QStringLiteral("--top"), QStringLiteral("2.5")},
         "--top musi być liczbą całkowitą"},
        {{o, out, QStringLiteral("--top"), QStringLiteral("+2")},
         "--top musi być liczbą całkowitą"},
        {{o, out, QStringLiteral("--top"), QStringLiteral("99999999999")}, "a nie „99999999999”"},
        {{o, out, QStringLiteral("--top")}, "po --top brak wartości"},
        {{o, out, QStringLiteral("--sheet"), QStringLiteral("0x297")}, "każdy wymiar od 1 do 1000"},
        {{o, out, QStringLiteral("--sheet"), QStringLiteral("210x1001")}, "a nie „210x1001”"},
        {{o, out, QStringLiteral("--sheet"), QStringLiteral("210")}, "SZEROKOŚĆxWYSOKOŚĆ"},
        {{o, out, QStringLiteral("--sheet"), QStringLiteral("210x297x1")}, "SZEROKOŚĆxWYSOKOŚĆ"},
        {{o, out, QStringLiteral("--sheet"), QStringLiteral("x")}, "SZEROKOŚĆxWYSOKOŚĆ"},
        {{o, out, QStringLiteral("--left"), QStringLiteral("3"), QStringLiteral("--left"),
          QStringLiteral("3")},
         "--left podano dwa razy"},
        {{o, out, QStringLiteral("--colour")}, "nieznana opcja „--colour”"},
        {{o, out, QStringLiteral("klasa.wkz")}, "nieoczekiwany argument „klasa.wkz”"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.args.join(u' ').toStdString());
        const RunResult run = runCalibration(row.args);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.standardError.startsWith(QStringLiteral("wkz calibration: ")))
            << run.standardError.toStdString();
        EXPECT_TRUE(run.standardError.contains(QString::fromUtf8(row.message)))
            << run.standardError.toStdString();
        EXPECT_FALSE(QFile::exists(out));
    }
}

}  // namespace

}  // namespace wykazki
