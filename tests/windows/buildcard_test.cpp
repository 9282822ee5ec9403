// A teacher builds a report card from an empty document through the
// windows only: a pupil, three phrases with their kinds, positions, a font
// and a picture, the pupil's values, then Zapisz. wkz dump of the saved
// file shows exactly that layout, and wkz print places it there.

#include "windowfixture.h"

#include "windows/ffwfrazy.h"
#include "windows/ffwlista.h"
#include "windows/phrasefontdialog.h"

#include <QApplication>
#include <QFontDialog>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <QXmlStreamReader>

namespace wykazki {

namespace {

struct ProcessResult {
    int exitCode = -1;
    QByteArray out;
    QString err;
};

ProcessResult run(const QString& program, const QStringList& args)
{
    QProcess process;
    process.start(program, args);
    EXPECT_TRUE(process.waitForFinished(60000)) << program.toStdString();
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), QString::fromUtf8(process.readAllStandardError())};
}

// The first page's text lines as pdftotext places them, in millimetres.
struct Line {
    QString text;
    double leftMm, rightMm, baseMm;
};

std::vector<Line> firstPageLines(const QString& pdf)
{
    constexpr double kMmPerPoint = 25.4 / 72.0;
    const ProcessResult bbox =
        run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox-layout"), QStringLiteral("-l"),
                                          QStringLiteral("1"), pdf, QStringLiteral("-")});
    QXmlStreamReader xml(bbox.out);
    std::vector<Line> lines;
    while (!xml.atEnd()) {
        xml.readNext();
        auto mm = [&](const char* name) {
            return xml.attributes().value(QLatin1String(name)).toDouble() * kMmPerPoint;
        };
        if (xml.isStartElement() && xml.name() == u"line")
            lines.push_back({QString(), mm("xMin"), mm("xMax"), mm("yMax")});
        else if (xml.isStartElement() && xml.name() == u"word")
            lines.back().text += (lines.back().text.isEmpty() ? QString() : QStringLiteral(" "))
                                 + xml.readElementText();
    }
    return lines;
}

}  // namespace

class BuildCardTest : public WindowTest {
protected:
    TCellEdi& phrases() { return context->phraseEditor().grid(); }

    // Keys and clicks on cell (x, y) of the phrase editor: '<' a left click,
    // anything else typed.
    void edit(int x, int y, const char* actions)
    {
        phrases().setPozX(x);
        phrases().setPozY(y);
        for (const char* a = actions; *a; ++a) {
            if (*a == '<')
                QTest::mouseClick(phrases().viewport(), Qt::LeftButton, {},
                                  phrases().cellRect(x + 1, y + 1).center());
            else
                QTest::keyClick(&phrases(), *a);
        }
    }
    void addPhrase() { context->phraseEditor().speedButton(2).click(); }
};

TEST_F(BuildCardTest, aCardBuiltInTheWindowsIsSavedAndPrintedAsLaidOut)
{
    start();
    markSaved();
    window().newDocument();
    ASSERT_TRUE(doc().phrases().empty());
    QImage emblem(20, 20, QImage::Format_RGB32);
    emblem.fill(Qt::darkRed);
    ASSERT_TRUE(emblem.save(folder.filePath(QStringLiteral("godlo.bmp")), "BMP"));

    window().speedButton(3).click();  // Dodaj ucznia
    window().speedButton(2).click();  // Edytuj elementy świadectwa

    addPhrase();  // 0: the pupil's name, centred in a box, 14 pt bold
    edit(0, 0, "Imie");
    edit(2, 0, "20");
    edit(3, 0, "40");
    edit(4, 0, "100");
    edit(5, 0, "10");
    edit(6, 0, "c");
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<PhraseFontDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        QFont font = dialog->fontDialog().currentFont();
        font.setFamily(QStringLiteral("DejaVu Sans"));  // a family with a bold style
        font.setPointSize(14);
        font.setBold(true);
        dialog->fontDialog().setCurrentFont(font);
        dialog->accept();
    });
    edit(7, 0, "<");

    addPhrase();  // 1: a grade, right-aligned, on a half millimetre
    edit(0, 1, "Ocena");
    edit(1, 1, "<");
    edit(2, 1, "30");
    edit(3, 1, "60,5");
    edit(4, 1, "80");
    edit(6, 1, "p");

    addPhrase();  // 2: the emblem
    edit(0, 2, "Godlo");
    edit(1, 2, "<<");
    edit(2, 2, "150");
    edit(3, 2, "50");
    edit(4, 2, "30");
    edit(5, 2, "30");
    QTimer::singleShot(0, [] {
        QTest::keyClick(&qobject_cast<Tffwlista*>(QApplication::activeModalWidget())->grid(),
                        Qt::Key_Return);
    });
    edit(7, 2, "<");

    // The pupil's values in the main window.
    selectCell(0, 0);
    QTest::keyClicks(&grid(), QStringLiteral("Anna"));
    selectCell(0, 1);
    QTest::keyClick(&grid(), Qt::Key_5);

    const QString path = folder.filePath(QStringLiteral("karta.wkz"));
    dialogs->saveAnswers.push_back(path);
    window().speedButton(1).click();  // Zapisz
    ASSERT_FALSE(editor().isModified());

    const ProcessResult dump =
        run(QStringLiteral(WYKAZKI_BIN_DIR "/wkz"), {QStringLiteral("dump"), path});
    ASSERT_EQ(dump.exitCode, 0) << dump.err.toStdString();
    const QJsonObject json = QJsonDocument::fromJson(dump.out).object();
    const QJsonArray layout = json[QStringLiteral("phrases")].toArray();
    ASSERT_EQ(layout.size(), 3);
    const struct {
        const char* name;
        const char* font;
        int kind, x0;
        double y0;
        int width, height, align, fontSize, bold;
        const char* picture;
    } expected[] = {
        {"Imie", "DejaVu Sans", 0, 20, 40.0, 100, 10, 1, 14, 1, ""},
        {"Ocena", "MS Sans Serif", 1, 30, 60.5, 80, 0, 2, 10, 0, ""},
        {"Godlo", "MS Sans Serif", 2, 150, 50.0, 30, 30, 0, 10, 0, "godlo.bmp"},
    };
    for (int j = 0; j < 3; ++j) {
        const QJsonObject p = layout[j].toObject();
        const auto& e = expected[j];
        EXPECT_EQ(p[QStringLiteral("name")].toString(), QString::fromUtf8(e.name)) << j;
        EXPECT_EQ(p[QStringLiteral("kind")].toInt(), e.kind) << j;
        EXPECT_EQ(p[QStringLiteral("x0")].toInt(), e.x0) << j;
        EXPECT_EQ(p[QStringLiteral("y0")].toDouble(), e.y0) << j;
        EXPECT_EQ(p[QStringLiteral("width")].toInt(), e.width) << j;
        EXPECT_EQ(p[QStringLiteral("height")].toInt(), e.height) << j;
        EXPECT_EQ(p[QStringLiteral("align")].toInt(), e.align) << j;
        EXPECT_EQ(p[QStringLiteral("fontName")].toString(), QString::fromUtf8(e.font)) << j;
        EXPECT_EQ(p[QStringLiteral("fontSize")].toInt(), e.fontSize) << j;
        EXPECT_EQ(p[QStringLiteral("bold")].toInt(), e.bold) << j;
        EXPECT_EQ(p[QStringLiteral("picture")].toString(), QString::fromUtf8(e.picture)) << j;
        EXPECT_EQ(p[QStringLiteral("lineSpacing")].toDouble(), 0.0) << j;
        EXPECT_EQ(p[QStringLiteral("page")].toInt(), 0) << j;
    }
    const QJsonArray pupil = json[QStringLiteral("pupils")].toArray()[0].toArray();
    ASSERT_EQ(pupil.size(), 3);
    EXPECT_EQ(pupil[0].toObject()[QStringLiteral("text")].toString(), QStringLiteral("Anna"));
    EXPECT_EQ(pupil[1].toObject()[QStringLiteral("grade")].toInt(), 4);
    EXPECT_EQ(pupil[2].toObject()[QStringLiteral("picture")].toString(),
              QStringLiteral("godlo.bmp"));
    const QJsonArray rect =
        json[QStringLiteral("windows")].toObject()[QStringLiteral("phraseEditor")].toArray();
    EXPECT_GT(rect[2].toInt() - rect[0].toInt(), 0);
    EXPECT_EQ(json[QStringLiteral("phraseGrid")]
                  .toObject()[QStringLiteral("columnWidths")]
                  .toArray()
                  .size(),
              11);

    const QString pdf = folder.filePath(QStringLiteral("karta.pdf"));
    const ProcessResult print = run(QStringLiteral(WYKAZKI_BIN_DIR "/wkz"),
                                    {QStringLiteral("print"), path, QStringLiteral("-o"), pdf,
                                     QStringLiteral("--pictures"), folder.path()});
    ASSERT_EQ(print.exitCode, 0) << print.err.toStdString();
    const std::vector<Line> lines = firstPageLines(pdf);
    auto find = [&lines](const char* text) -> const Line* {
        for (const Line& line : lines)
            if (line.text == QLatin1String(text))
                return &line;
        return nullptr;
    };
    const Line* name = find("Anna");
    ASSERT_NE(name, nullptr);
    EXPECT_NEAR((name->leftMm + name->rightMm) / 2, 20 + 100 / 2.0, 0.3);  // centred in its box
    EXPECT_NEAR(name->baseMm, 40.0, 0.3);
    const Line* grade = find("Bardzo dobry");
    ASSERT_NE(grade, nullptr);
    EXPECT_NEAR(grade->rightMm, 30 + 80, 0.3);  // right-aligned in its box
    EXPECT_NEAR(grade->baseMm, 60.5, 0.3);
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().count("/Subtype /Image"), 1);  // the emblem
}

}  // namespace wykazki
