// wkz print end to end: the PDF's text lands where the layout puts it (as
// pdftotext reads it back), Polish letters survive, and every bad option or
// file is reported with the right exit status and no PDF left behind.

#include "printtestsupport.h"

#include "document/classfile.h"
#include "document/cp1250.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include <sys/stat.h>

namespace wykazki {

namespace {

constexpr double kMmPerPoint = 25.4 / 72.0;

struct RunResult {
    int exitCode = -1;
    QString standardError;
};

RunResult runWkz(const QStringList& args)
{
    QProcess wkz;
    wkz.start(QStringLiteral(WYKAZKI_BIN_DIR "/wkz"), args);
    EXPECT_TRUE(wkz.waitForFinished(60000));
    return {wkz.exitStatus() == QProcess::NormalExit ? wkz.exitCode() : -1,
            QString::fromUtf8(wkz.readAllStandardError())};
}

// A line of text as pdftotext places it, in millimetres from the top left.
struct PdfLine {
    QString text;
    double xMinMm, yMinMm, xMaxMm, yMaxMm;
};
using PdfPage = std::vector<PdfLine>;

std::vector<PdfPage> readPdfLines(const QString& pdfPath)
{
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"),
                    {QStringLiteral("-bbox-layout"), pdfPath, QStringLiteral("-")});
    EXPECT_TRUE(pdftotext.waitForFinished(60000));
    QXmlStreamReader xml(pdftotext.readAllStandardOutput());
    std::vector<PdfPage> pages;
    PdfLine line{};
    while (!xml.atEnd()) {
        xml.readNext();
        auto mm = [&](const char* name) {
            return xml.attributes().value(QLatin1String(name)).toDouble() * kMmPerPoint;
        };
        if (xml.isStartElement() && xml.name() == u"page") {
            pages.emplace_back();
        } else if (xml.isStartElement() && xml.name() == u"line") {
            line = PdfLine{QString(), mm("xMin"), mm("yMin"), mm("xMax"), mm("yMax")};
        } else if (xml.isStartElement() && xml.name() == u"word") {
            if (!line.text.isEmpty())
                line.text += u' ';
            line.text += xml.readElementText();
        } else if (xml.isEndElement() && xml.name() == u"line") {
            pages.back().push_back(line);
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return pages;
}

const PdfLine* findLine(const PdfPage& page, const QString& text)
{
    for (const PdfLine& line : page)
        if (line.text == text)
            return &line;
    return nullptr;
}

class PrintCommand : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        classPath = dir.filePath(QStringLiteral("klasa.wkz"));
        pdfPath = dir.filePath(QStringLiteral("wykazki.pdf"));

        c.options.width = 200;
        c.options.height = 280;
        c.options.left = 3;
        c.options.top = -2;
        addText(20, 40.0f, 100, 0);  // left-aligned
        addText(30, 60.5f, 120, 1);  // centred
        addText(40, 80.2f, 100, 2);  // right-aligned
        addText(25, 95.3f, 0, 1);    // no width: left-aligned after all
        TFra grade = phraseAt(PhraseKind::Grade, 50, 120.0f, 60, 10);
        grade.align = 1;
        c.phrases.push_back(grade);
        addText(20, 50.0f, 100, 0, 1);  // on the second page of the form

        const char* texts[3][4] = {
            {"Anna Żółkiewska", "Szkoła Podstawowa nr 1 w Łodzi", "Kraków, 20 czerwca",
             "Ćma ŹREBIĘ"},
            {"Bartłomiej Gęś", "Zażółć gęślą jaźń", "ZAŻÓŁĆ GĘŚLĄ JAŹŃ", "ąćęłńóśźż"},
            {"Cezary Źdźbło", "Świętokrzyskie", "Wrocław", "Łęczyca"},
        };
        c.pupils.resize(3, c.phrases.count());
        for (std::size_t i = 0; i < 3; ++i) {
            for (std::size_t j = 0; j < 4; ++j)
                c.pupils.value(i, j).text = cp(texts[i][j]);
            c.pupils.value(i, 4).grade =
                static_cast<std::int8_t>(i + 3);  // Dobry, Bardzo dobry, Celujący
            c.pupils.value(i, 5).text = cp("Strona druga");
        }
        saveClassFileAt(classPath.toStdString(), c);
    }
    void addText(int x0Mm, float y0Mm, int widthMm, int align, int page = 0)
    {
        TFra f = phraseAt(PhraseKind::Text, x0Mm, y0Mm, widthMm, 10, page);
        f.align = static_cast<std::int16_t>(align);
        f.fontSize = 12;
        c.phrases.push_back(f);
    }
    // Where the layout puts a phrase's first line: its left edge, centre or
    // right edge, and its base line, in millimetres.
    double expectedXMm(std::size_t j) const
    {
        const TFra& f = c.phrases[j];
        const double leftMm = f.x0 + c.options.left;
        if (f.width > 0 && f.align == 1)
            return leftMm + f.width / 2.0;
        if (f.width > 0 && f.align == 2)
            return leftMm + f.width;
        return leftMm;
    }
    static double measuredXMm(const PdfLine& line, const TFra& f)
    {
        if (f.width > 0 && f.align == 1)
            return (line.xMinMm + line.xMaxMm) / 2;
        if (f.width > 0 && f.align == 2)
            return line.xMaxMm;
        return line.xMinMm;
    }

    QTemporaryDir dir;
    QString classPath;
    QString pdfPath;
    ClassFileContents c;
};

TEST_F(PrintCommand, firstLinesLandWithin0_2mmOfTheirPositionsAndPolishLettersSurvive)
{
    const RunResult run = runWkz({QStringLiteral("print"), classPath, QStringLiteral("-o"), pdfPath,
                                  QStringLiteral("--pupils"), QStringLiteral("3,1")});
    ASSERT_EQ(run.exitCode, 0) << run.standardError.toStdString();
    EXPECT_TRUE(run.standardError.isEmpty()) << run.standardError.toStdString();

    const auto pages = readPdfLines(pdfPath);
    ASSERT_EQ(pages.size(), 2u);
    const std::size_t pupilOfPage[2] = {2, 0};
    for (std::size_t p = 0; p < 2; ++p) {
        const std::size_t pupil = pupilOfPage[p];
        for (std::size_t j = 0; j < 5; ++j) {
            const TFra& f = c.phrases[j];
            const QString text =
                j == 4 ? QString::fromUtf8(pupil == 2 ? "Celujący" : "Dobry")
                       : QString::fromUtf8(cp1250::toUtf8(c.pupils.value(pupil, j).text).c_str());
            const PdfLine* line = findLine(pages[p], text);
            ASSERT_NE(line, nullptr) << "page " << p << ": " << text.toStdString();
            EXPECT_NEAR(measuredXMm(*line, f), expectedXMm(j), 0.2) << text.toStdString();
            EXPECT_NEAR(line->yMaxMm, double(f.y0) + c.options.top, 0.2) << text.toStdString();
        }
        EXPECT_EQ(findLine(pages[p], QStringLiteral("Strona druga")), nullptr);
    }
}

TEST_F(PrintCommand, pageOptionPrintsOnlyThatPagesPhrasesForEveryPupil)
{
    const RunResult run = runWkz({QStringLiteral("print"), classPath, QStringLiteral("-o"), pdfPath,
                                  QStringLiteral("--page"), QStringLiteral("2")});
    ASSERT_EQ(run.exitCode, 0) << run.standardError.toStdString();
    const auto pages = readPdfLines(pdfPath);
    ASSERT_EQ(pages.size(), 3u);
    for (const PdfPage& page : pages) {
        ASSERT_EQ(page.size(), 1u);
        EXPECT_EQ(page[0].text, QStringLiteral("Strona druga"));
        EXPECT_NEAR(page[0].xMinMm, 23.0, 0.2);
        EXPECT_NEAR(page[0].yMaxMm, 48.0, 0.2);
    }
}

TEST_F(PrintCommand, pageSizeIsTheClasssSheet)
{
    ASSERT_EQ(runWkz({QStringLiteral("print"), classPath, QStringLiteral("-o"), pdfPath,
                      QStringLiteral("--pupils"), QStringLiteral("2")})
                  .exitCode,
              0);
    QProcess pdfinfo;
    pdfinfo.start(QStringLiteral("pdfinfo"), {pdfPath});
    ASSERT_TRUE(pdfinfo.waitForFinished(60000));
    const QString info = QString::fromUtf8(pdfinfo.readAllStandardOutput()).simplified();
    // 200 × 280 mm = 566.93 × 793.70 pt, stored to whole points.
    EXPECT_TRUE(info.contains(QStringLiteral("Page size: 567 x 794 pts"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("Pages: 1 "))) << info.toStdString();
}

TEST_F(PrintCommand, picturesComeFromThePicturesFolderAndAreStoredOnce)
{
    QImage logo(40, 30, QImage::Format_RGB32);
    logo.fill(Qt::darkBlue);
    ASSERT_TRUE(logo.save(dir.filePath(QStringLiteral("herb.bmp")), "BMP"));
    TFra picture = phraseAt(PhraseKind::Picture, 10, 30.0f, 20, 15);
    picture.picture = "herb";
    c.phrases.push_back(picture);
    for (TDok& pupil : c.pupils)
        pupil.values.resize(c.phrases.count());
    saveClassFileAt(classPath.toStdString(), c);

    const RunResult run = runWkz({QStringLiteral("print"), classPath, QStringLiteral("-o"), pdfPath,
                                  QStringLiteral("--pictures"), dir.path()});
    ASSERT_EQ(run.exitCode, 0) << run.standardError.toStdString();
    QFile pdf(pdfPath);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_EQ(pdf.readAll().count("/Subtype /Image"), 1);
}

TEST_F(PrintCommand, missingDamagedAndOutsidePicturesAreNamedAndTheRestPrints)
{
    QFile broken(dir.filePath(QStringLiteral("herb.bmp")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("BM not a picture");
    broken.close();
    TFra picture = phraseAt(PhraseKind::Picture, 10, 30.0f, 20, 15);
    picture.picture = "herb";
    c.phrases.push_back(picture);
    for (TDok& pupil : c.pupils)
        pupil.values.resize(c.phrases.count());
    c.pupils.value(1, c.phrases.count() - 1).picture = "brak.bmp";
    c.pupils.value(2, c.phrases.count() - 1).picture = "../klasa.wkz";
    saveClassFileAt(classPath.toStdString(), c);
    QDir(dir.path()).mkdir(QStringLiteral("obrazki"));

    const RunResult run =
        runWkz({QStringLiteral("print"), classPath, QStringLiteral("-o"), pdfPath,
                QStringLiteral("--pictures"), dir.filePath(QStringLiteral("obrazki"))});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.standardError,
              QStringLiteral(
                  "wkz print: pupil 1: picture herb is missing; printed without it\n"
                  "wkz print: pupil 2: picture brak.bmp is missing; printed without it\n"
                  "wkz print: pupil 3: picture ../klasa.wkz is missing; printed without it\n"));
    EXPECT_EQ(readPdfLines(pdfPath).size(), 3u);

    const RunResult damaged = runWkz({QStringLiteral("print"), classPath, QStringLiteral("-o"),
                                      pdfPath, QStringLiteral("--pictures"), dir.path(),
                                      QStringLiteral("--pupils"), QStringLiteral("1")});
    EXPECT_EQ(damaged.exitCode, 0);
    EXPECT_EQ(
        damaged.standardError,
        QStringLiteral(
            "wkz print: pupil 1: picture herb is damaged or too large; printed without it\n"));
}

TEST_F(PrintCommand, sheetsOutside1To1000MillimetresAreRefused)
{
    const struct {
        std::int32_t width, height;
        bool prints;
    } cases[] = {
        {0, 297, false},    {-5, 297, false}, {2147483647, 297, false}, {210, 0, false},
        {210, 1001, false}, {1, 1, true},     {1000, 1000, true},
    };
    for (const auto& sheet : cases) {
        SCOPED_TRACE(std::to_string(sheet.width) + " x " + std::to_string(sheet.height));
        QFile::remove(pdfPath);
        c.options.width = sheet.width;
        c.options.height = sheet.height;
        saveClassFileAt(classPath.toStdString(), c);
        const RunResult run =
            runWkz({QStringLiteral("print"), classPath, QStringLiteral("-o"), pdfPath});
        EXPECT_EQ(run.exitCode, sheet.prints ? 0 : 1);
        EXPECT_EQ(QFile::exists(pdfPath), sheet.prints);
        if (!sheet.prints) {
            EXPECT_TRUE(
                run.standardError.contains(QStringLiteral("mm są poza zakresem od 1 do 1000 mm")))
                << run.standardError.toStdString();
        }
    }
}

// Values one flipped byte can put in a file: they print, off the sheet,
// without a fault (the sanitizer build runs this too).
TEST_F(PrintCommand, extremeStoredValuesPrintWithoutFault)
{
    const float inf = std::numeric_limits<float>::infinity();
    c.options.left = 2147483647;
    c.options.top = -2147483647 - 1;
    TFra far =
        phraseAt(PhraseKind::Text, 32767, std::numeric_limits<float>::quiet_NaN(), 32767, 32767);
    far.lineSpacing = inf;
    c.phrases.push_back(far);
    TFra below = phraseAt(PhraseKind::Text, -32768, inf, 0, 0);
    below.lineSpacing = -inf;
    c.phrases.push_back(below);
    for (TDok& pupil : c.pupils) {
        pupil.values.resize(c.phrases.count());
        pupil.values[c.phrases.count() - 1].text = pupil.values[c.phrases.count() - 2].text =
            "Ala ma kota";
    }
    saveClassFileAt(classPath.toStdString(), c);
    const RunResult run =
        runWkz({QStringLiteral("print"), classPath, QStringLiteral("-o"), pdfPath});
    EXPECT_EQ(run.exitCode, 0) << run.standardError.toStdString();
    EXPECT_TRUE(QFile::exists(pdfPath));
}

TEST_F(PrintCommand, outputsThatAreNotRegularFilesAreNeverReplaced)
{
    const QString fifo = dir.filePath(QStringLiteral("fifo"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(fifo, dir.filePath(QStringLiteral("link.pdf"))));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.pdf")));
    for (const char* name : {"fifo", "link.pdf", "folder.pdf"}) {
        SCOPED_TRACE(name);
        const RunResult run = runWkz({QStringLiteral("print"), classPath, QStringLiteral("-o"),
                                      dir.filePath(QLatin1String(name))});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.standardError.contains(QStringLiteral("refusing to replace it")))
            << run.standardError.toStdString();
        EXPECT_TRUE(QFileInfo(fifo).exists() && !QFileInfo(fifo).isFile());
        EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("link.pdf"))).isSymLink());
    }
}

TEST_F(PrintCommand, readFailuresReportTheProgramsMessages)
{
    RunResult run = runWkz({QStringLiteral("print"), dir.filePath(QStringLiteral("brak.wkz")),
                            QStringLiteral("-o"), pdfPath});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.standardError, QString::fromUtf8(" Odczyt danych z archiwum nie powiódł się\n"));

    QFile old(dir.filePath(QStringLiteral("stary.wkz")));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray("\x27\x00", 2));  // version 39
    old.close();
    run = runWkz({QStringLiteral("print"), old.fileName(), QStringLiteral("-o"), pdfPath});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.standardError, QString::fromUtf8(" Niewłaściwa wersja pliku z danymi\n"
                                                   " Odczyt danych z archiwum nie powiódł się\n"));
    EXPECT_FALSE(QFile::exists(pdfPath));
}

TEST_F(PrintCommand, aClassWithoutPupilsOrAnUnwritableOutputIsAnError)
{
    RunResult run = runWkz({QStringLiteral("print"), classPath, QStringLiteral("-o"),
                            dir.filePath(QStringLiteral("brak/wykazki.pdf"))});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.standardError.startsWith(QStringLiteral("wkz print: cannot write ")))
        << run.standardError.toStdString();

    c.pupils.clear();
    saveClassFileAt(classPath.toStdString(), c);
    run = runWkz({QStringLiteral("print"), classPath, QStringLiteral("-o"), pdfPath});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.standardError.contains(QStringLiteral("holds no pupils")))
        << run.standardError.toStdString();
    EXPECT_FALSE(QFile::exists(pdfPath));
}

TEST_F(PrintCommand, usageErrorsSayWhatIsWrong)
{
    const QString missingFolder = dir.filePath(QStringLiteral("nie-ma"));
    const struct {
        QStringList args;
        const char* message;
    } cases[] = {
        {{}, "print needs a class file"},
        {{classPath}, "print needs -o OUT.pdf"},
        {{classPath, QStringLiteral("-o")}, "-o needs a value"},
        {{classPath, QStringLiteral("-o"), pdfPath, QStringLiteral("--page"), QStringLiteral("5")},
         "--page must be 1, 2, 3 or 4, not '5'"},
        {{classPath, QStringLiteral("-o"), pdfPath, QStringLiteral("--page"), QStringLiteral("0")},
         "--page must be 1, 2, 3 or 4, not '0'"},
        {{classPath, QStringLiteral("-o"), pdfPath, QStringLiteral("--page"), QStringLiteral("2x")},
         "--page must be 1, 2, 3 or 4, not '2x'"},
        {{classPath, QStringLiteral("-o"), pdfPath, QStringLiteral("--page"), QStringLiteral("1"),
          QStringLiteral("--page"), QStringLiteral("2")},
         "--page given twice"},
        {{classPath, QStringLiteral("-o"), pdfPath, QStringLiteral("--pupils"),
          QStringLiteral("0")},
         "pupils are numbered from 1"},
        {{classPath, QStringLiteral("-o"), pdfPath, QStringLiteral("--pupils"),
          QStringLiteral("3-1")},
         "the range '3-1' runs backwards"},
        {{classPath, QStringLiteral("-o"), pdfPath, QStringLiteral("--pupils"),
          QStringLiteral("1,,2")},
         "empty item"},
        {{classPath, QStringLiteral("-o"), pdfPath, QStringLiteral("--pupils"),
          QStringLiteral("1;2")},
         "'1;2' is neither a pupil number nor a range"},
        {{classPath, QStringLiteral("-o"), pdfPath, QStringLiteral("--pupils"),
          QStringLiteral("2-9")},
         "there is no pupil 4; the class has 3 pupils"},
        {{classPath, QStringLiteral("-o"), pdfPath, QStringLiteral("--pupils"),
          QStringLiteral("1,2-3,2")},
         "pupil 2 is listed twice"},
        {{classPath, QStringLiteral("-o"), pdfPath, QStringLiteral("--pictures"), missingFolder},
         "is not a folder"},
        {{classPath, QStringLiteral("-o"), pdfPath, QStringLiteral("--colour")},
         "unknown option '--colour'"},
        {{classPath, classPath, QStringLiteral("-o"), pdfPath}, "print takes one class file"},
        {{classPath, QStringLiteral("-o"), classPath}, "-o names the class file itself"},
    };
    for (const auto& tc : cases) {
        const RunResult run = runWkz(QStringList{QStringLiteral("print")} + tc.args);
        EXPECT_EQ(run.exitCode, 2) << tc.message;
        EXPECT_TRUE(run.standardError.contains(QString::fromUtf8(tc.message)))
            << run.standardError.toStdString();
        EXPECT_TRUE(run.standardError.contains(QStringLiteral("Usage: wkz print"))) << tc.message;
        EXPECT_FALSE(QFile::exists(pdfPath)) << tc.message;
    }
    EXPECT_EQ(readClassFileAt(classPath.toStdString()).pupils,
              c.pupils);  // never overwritten
}

}  // namespace

}  // namespace wykazki
