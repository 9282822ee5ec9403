// Range text, copy, paste and the text file, byte for byte.

#include "gridfixture.h"

#include "grid/rangetext.h"
#include "qtbridge/cp1250text.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

namespace wykazki {

namespace {

using Log = std::vector<std::string>;
using RangeText = GridFixture;
using Paste = GridFixture;

Log walked(std::string_view bytes, int columns, int rows)
{
    Log out;
    walkPastedText(bytes, columns, rows, [&](int i, int j, std::string& text) {
        out.push_back(std::to_string(i) + "," + std::to_string(j) + " " + text);
    });
    return out;
}

TEST_F(RangeText, copiesTheSelectionWithTabsAndCrLf)
{
    bindAll();
    cells[{1, 1}] = "a";
    cells[{2, 1}] = "b";
    cells[{1, 2}] = "c";
    cells[{2, 2}] = "d";
    grid().selectRange({2, 2, 3, 3});
    std::string text = "left over";
    grid().TekstZakresu(text, true);
    EXPECT_EQ(text, "a\tb\r\nc\td\r\n");
    grid().copySelection();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("a\tb\r\nc\td\r\n"));
}

// As spreadsheets write them: a cell with a line break, a TAB or a leading
// quote in double quotes, inner quotes doubled, each line break one LF.
TEST_F(RangeText, cellsThatNeedItAreQuotedAsSpreadsheetsWriteThem)
{
    bindAll();
    const struct {
        const char* cell;
        const char* written;
    } cases[] = {
        {"x\r\ny", "\"x\ny\""},
        {"a\r\n\r\nb\rc\nd", "\"a\n\nb\nc\nd\""},
        {"say \"hi\"\r\n", "\"say \"\"hi\"\"\n\""},
        {"\"q\"", "\"\"\"q\"\"\""},
        {"Szko\xB3"
         "a \"Orze\xB3\"",
         "Szko\xB3"
         "a \"Orze\xB3\""},  // inner quotes alone: as it is
    };
    for (const auto& c : cases) {
        cells[{0, 0}] = c.cell;
        std::string text;
        grid().TekstZakresu(text, false, 0, 0, 1, 1);
        EXPECT_EQ(text, std::string(c.written) + "\r\n") << c.cell;
    }
}

TEST_F(RangeText, onlyOneTabIsRemovedAtALinesEnd)
{
    bindAll();
    cells[{0, 0}] = "a";
    cells[{0, 1}] = "b\t";
    std::string text;
    grid().TekstZakresu(text, false, 0, 0, 2, 2);
    EXPECT_EQ(text, "a\t\r\n\"b\t\"\t\r\n");
}

TEST_F(RangeText, rangeEndsOutsideTheDataMeanTheWholeGrid)
{
    grid().setIlx(2);
    grid().setIly(2);
    bindAll();
    cells[{1, 1}] = "z";
    std::string text;
    grid().TekstZakresu(text, false, 0, 0, 0, -4);
    EXPECT_EQ(text, "\t\r\n\tz\r\n");
    grid().TekstZakresu(text, false, 1, 1, 99, 99);
    EXPECT_EQ(text, "z\r\n");
    // No cells in a row: just the line end.
    grid().TekstZakresu(text, false, 2, 0, 1, 2);
    EXPECT_EQ(text, "\r\n\r\n");
    // Coordinates before the data are asked of the owner as they are.
    int lowest = 0;
    owner().OnOczkoToClipboard = [&](TCellEdi&, int x, int, std::string&) {
        lowest = std::min(lowest, x);
    };
    grid().TekstZakresu(text, false, -1, 0, 1, 1);
    EXPECT_EQ(lowest, -1);
}

TEST_F(RangeText, copyHandsPolishTextsToTheClipboardAsUnicode)
{
    bindAll();
    cells[{0, 0}] = "\xBF\xF3\xB3w";  // "żółw" in Windows-1250
    grid().copySelection();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("żółw\r\n"));
}

TEST_F(RangeText, savesTheRangeToAFileAndFailsQuietly)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string path = dir.filePath(QStringLiteral("out.txt")).toStdString();
    EXPECT_FALSE(grid().ZapiszTekst(path, 0, 0, 1, 1));  // no OnOczkoToClipboard
    EXPECT_FALSE(QFile::exists(QString::fromStdString(path)));

    bindAll();
    cells[{0, 0}] = "\xB9";  // ą
    cells[{1, 0}] = "b";
    {
        QFile old(QString::fromStdString(path));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("a much longer old content that must be replaced");
    }
    EXPECT_TRUE(grid().ZapiszTekst(path, 0, 0, 2, 1));
    QFile in(QString::fromStdString(path));
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    EXPECT_EQ(in.readAll(), QByteArray("\xB9\tb\r\n"));
    in.close();
    // A read-only file is refused and stays as it was.
    ASSERT_TRUE(QFile::setPermissions(QString::fromStdString(path), QFile::ReadOwner));
    EXPECT_FALSE(grid().ZapiszTekst(path, 0, 0, 1, 1));
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    EXPECT_EQ(in.readAll(), QByteArray("\xB9\tb\r\n"));
    EXPECT_FALSE(grid().ZapiszTekst(
        dir.filePath(QStringLiteral("missing/dir/out.txt")).toStdString(), 0, 0, 1, 1));
}

TEST(PastedText, splitsAtTabsAndLineEnds)
{
    EXPECT_EQ(walked("a\tb\r\n", 5, 5), (Log{"0,0 a", "1,0 b"}));
    EXPECT_EQ(walked("a\tb\nc\td\n", 5, 5), (Log{"0,0 a", "1,0 b", "0,1 c", "1,1 d"}));
    // Text after the last TAB or line end is a cell too (one cell copied
    // from an editor has no line end); an empty last line is none.
    EXPECT_EQ(walked("a", 5, 5), Log{"0,0 a"});
    EXPECT_EQ(walked("a\tb", 5, 5), (Log{"0,0 a", "1,0 b"}));
    EXPECT_EQ(walked("a\r\nb", 5, 5), (Log{"0,0 a", "0,1 b"}));
    EXPECT_EQ(walked("", 5, 5), Log{});
    // A TAB right before CR gives no extra empty cell; other empty cells count.
    EXPECT_EQ(walked("a\t\r\n", 5, 5), (Log{"0,0 a"}));
    EXPECT_EQ(walked("\t\tc\n", 5, 5), (Log{"0,0 ", "1,0 ", "2,0 c"}));
    // A quoted field is one cell: its line breaks come back as CR LF, its
    // doubled quotes as one.
    EXPECT_EQ(walked("\"x\n\ny\"\n", 5, 5), (Log{"0,0 x\r\n\r\ny"}));
    EXPECT_EQ(walked("\"a \"\"b\"\"\"\t\"c\r\nd\"\r\ne\n", 5, 5),
              (Log{"0,0 a \"b\"", "1,0 c\r\nd", "0,1 e"}));
    // A cut quoted field ends at the end of the text.
    EXPECT_EQ(walked("\"x\ny", 5, 5), (Log{"0,0 x\r\ny"}));
    // A leading quote that does not close the field is text, as Calc writes it.
    EXPECT_EQ(walked("\"cytat\" na koniec\tb", 5, 5), (Log{"0,0 \"cytat\" na koniec", "1,0 b"}));
    // The offsets are held against the limits.
    EXPECT_EQ(walked("a\tb\tc\n1\n2\n", 2, 2), (Log{"0,0 a", "1,0 b", "0,1 1"}));
}

QByteArray testData(const char* name)
{
    QFile file(QStringLiteral(WYKAZKI_TEST_DATA "/") + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What LibreOffice Calc put on the X clipboard for four cells copied from
// this grid (tests/grid/data/calc-copy.*): its plain text puts each cell on
// one line, its own tab-separated form keeps the lines, and a paste takes
// that one, so multi-line texts come back unchanged.
TEST_F(Paste, fromCalcKeepsMultiLineCells)
{
    bindAll();
    auto* data = new QMimeData;
    data->setText(QString::fromUtf8(testData("calc-copy.txt")));
    data->setData(QString::fromLatin1(kCalcTsvFormat), testData("calc-copy.tsvc"));
    ASSERT_FALSE(data->data(QString::fromLatin1(kCalcTsvFormat)).isEmpty());
    QGuiApplication::clipboard()->setMimeData(data);
    pressKey(Qt::Key_V, Qt::ControlModifier);
    const Log pasted = withoutModifierKeys(takeLog());
    ASSERT_EQ(pasted.size(), 8u);
    EXPECT_EQ(pasted[4], "ClipboardToOczko 0,1 I miejsce w konkursie \"Orlik\"\r\n"
                         "II miejsce w gminnym konkursie\r\n\r\nwolontariat");
    EXPECT_EQ(pasted[5], "ClipboardToOczko 1,1 Szko\xB3"
                         "a \"Podstawowa\" nr 1");
    EXPECT_EQ(pasted[6], "ClipboardToOczko 2,1 \"cytat\" na pocz\xB9tku");
    EXPECT_EQ(pasted[7], "ClipboardToOczko 3,1 linia 1\r\nlinia 2");
}

TEST_F(Paste, beyondTheLastColumnReachesTheOwner)
{
    grid().setIlx(5);
    bindAll();
    grid().setPozX(3);
    QGuiApplication::clipboard()->setText(QStringLiteral("a\tb\r\n"));
    pressKey(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(withoutModifierKeys(takeLog()),
              (Log{"ClipboardToOczko 3,0 a", "ClipboardToOczko 4,0 b"}));

    QGuiApplication::clipboard()->setText(QStringLiteral("1\t2\t3\t4\t5\t6\r\n"));
    pressKey(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(withoutModifierKeys(takeLog()),
              (Log{"ClipboardToOczko 3,0 1", "ClipboardToOczko 4,0 2", "ClipboardToOczko 5,0 3",
                   "ClipboardToOczko 6,0 4", "ClipboardToOczko 7,0 5"}));
}

TEST_F(Paste, convertsUnicodeToWindows1250)
{
    bindAll();
    QGuiApplication::clipboard()->setText(QStringLiteral("Łódź\tЖ\n"));
    pressKey(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(withoutModifierKeys(takeLog()),
              (Log{"ClipboardToOczko 0,0 \xA3\xF3\x64\x9F", "ClipboardToOczko 1,0 ?"}));
}

TEST_F(Paste, readsAtMostAMillionBytes)
{
    bindAll();
    std::string fits(999999, 'a');
    fits += '\n';  // byte 1,000,000: still read
    grid().pasteText(fits);
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].size(), std::string("ClipboardToOczko 0,0 ").size() + 999999);
    takeLog();

    std::string over(1000000, 'a');
    over += "\tb\n";  // from byte 1,000,001 on: never read
    QGuiApplication::clipboard()->setText(QString::fromLatin1(over));
    pressKey(Qt::Key_Insert, Qt::ShiftModifier);
    const Log pasted = withoutModifierKeys(takeLog());
    ASSERT_EQ(pasted.size(), 1u);
    EXPECT_EQ(pasted[0].size(), std::string("ClipboardToOczko 0,0 ").size() + 1000000);
}

}  // namespace

}  // namespace wykazki
