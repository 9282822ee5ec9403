// Sheet files: what the readers show of XLSX and ODS cells, round trips
// through the writer, files saved by LibreOffice Calc, and hostile files
// (zip bombs, sheets past every limit, broken XML, things that are not
// files) that must end in a table within the limits or a Polish problem.

#include "sheets/sheetreader.h"
#include "sheets/sheetwriter.h"
#include "zipfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <quazip.h>
#include <quazipfile.h>

#include <gtest/gtest.h>

#include <functional>

#include <sys/stat.h>

namespace wykazki {

// Readable failures.
void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

using Rows = QList<QStringList>;

QString q(const char16_t* text)
{
    return QString::fromUtf16(text);
}

class SheetFiles : public testing::Test {
protected:
    QString path(const char* name) const { return dir_.filePath(QString::fromUtf8(name)); }

    SheetTable read(const QString& file, int sheet = 0)
    {
        SheetReadOptions options;
        options.sheet = sheet;
        QString problem = QStringLiteral("left over");
        SheetTable table = readSheet(file, options, &problem);
        EXPECT_TRUE(problem.isEmpty()) << problem.toStdString();
        return table;
    }

    QTemporaryDir dir_;
};

// ---- What the XLSX reader shows of a cell ----

const QByteArray kSharedStrings =
    "<si><t>Zażółć</t></si>"
    "<si><r><t xml:space=\"preserve\">Ala </t></r><r><rPr><b/></rPr><t>ma</t></r>"
    "<rPh sb=\"0\" eb=\"1\"><t>czytanie</t></rPh></si>"
    "<si><t>a_x000D_b_x005F_x0041_</t></si>"
    "<si><t xml:space=\"preserve\">  dwie  spacje </t></si>";
// Cell formats: 0 general, 1 built-in date, 2 a date of its own, 3 a time,
// 4 a number in red.
const QByteArray kStyles =
    "<numFmts><numFmt numFmtId=\"164\" formatCode=\"dd/mm/yyyy\"/>"
    "<numFmt numFmtId=\"165\" formatCode=\"h:mm\"/>"
    "<numFmt numFmtId=\"166\" formatCode=\"[Red]0.00&quot;d&quot;\"/></numFmts>"
    "<cellStyleXfs><xf numFmtId=\"14\"/></cellStyleXfs>"
    "<cellXfs><xf numFmtId=\"0\"/><xf numFmtId=\"14\"/><xf numFmtId=\"164\"/>"
    "<xf numFmtId=\"165\"/><xf numFmtId=\"166\"/></cellXfs>";

struct XlsxCase {
    const char* name;
    const char* sheetData;
    Rows rows;
    const char* workbookPr = "";
};

void PrintTo(const XlsxCase& c, std::ostream* os)
{
    *os << c.name;
}

class XlsxCells : public SheetFiles, public testing::WithParamInterface<XlsxCase> {};

TEST_P(XlsxCells, showsCellsAsTheSheetDoes)
{
    const QString file = path("cells.xlsx");
    ZipPartSpec sheet;
    sheet.head = GetParam().sheetData;
    ASSERT_TRUE(writeZip(file, xlsxParts(sheet, kSharedStrings, kStyles, GetParam().workbookPr)));
    EXPECT_EQ(read(file).rows, GetParam().rows);
}

INSTANTIATE_TEST_SUITE_P(
    Values, XlsxCells,
    testing::Values(
        XlsxCase{"shared, rich and escaped strings",
                 "<row><c t=\"s\"><v>0</v></c><c t=\"s\"><v>1</v></c><c t=\"s\"><v>2</v></c>"
                 "<c t=\"s\"><v>3</v></c></row>",
                 {{q(u"Zażółć"), q(u"Ala ma"), q(u"a\rb_x0041_"), q(u"  dwie  spacje ")}}},
        XlsxCase{"a shared string beyond the list is empty",
                 "<row><c t=\"s\"><v>99</v></c><c t=\"s\"><v>-1</v></c><c><v>1</v></c></row>",
                 {{{}, {}, q(u"1")}}},
        XlsxCase{"inline and formula strings",
                 "<row><c t=\"inlineStr\"><is><t>w wierszu</t></is></c>"
                 "<c t=\"str\"><f>A1</f><v>wynik</v></c></row>",
                 {{q(u"w wierszu"), q(u"wynik")}}},
        XlsxCase{"numbers with a decimal comma, whole ones without",
                 "<row><c><v>4.5</v></c><c><v>5</v></c><c><v>0.30000000000000004</v></c>"
                 "<c><v>-1E-3</v></c><c><v>1234567</v></c></row>",
                 {{q(u"4,5"), q(u"5"), q(u"0,3"), q(u"-0,001"), q(u"1234567")}}},
        XlsxCase{"booleans and errors",
                 "<row><c t=\"b\"><v>1</v></c><c t=\"b\"><v>0</v></c>"
                 "<c t=\"e\"><v>#DIV/0!</v></c></row>",
                 {{q(u"PRAWDA"), q(u"FAŁSZ"), q(u"#DIV/0!")}}},
        XlsxCase{"dates by format, times and red numbers not",
                 "<row><c s=\"1\"><v>45536</v></c><c s=\"2\"><v>45536.75</v></c>"
                 "<c s=\"3\"><v>0.5</v></c><c s=\"4\"><v>4.5</v></c><c s=\"9\"><v>7</v></c>"
                 "<c t=\"d\"><v>2024-09-01T00:00:00</v></c><c s=\"1\"><v>0</v></c></row>",
                 {{q(u"01.09.2024"), q(u"01.09.2024"), q(u"0,5"), q(u"4,5"), q(u"7"),
                   q(u"01.09.2024"), q(u"0")}}},
        XlsxCase{"dates of the 1904 system",
                 "<row><c s=\"1\"><v>44074</v></c></row>",
                 {{q(u"01.09.2024")}},
                 "<workbookPr date1904=\"1\"/>"},
        XlsxCase{"references place cells, gaps stay empty",
                 "<row r=\"2\"><c r=\"C2\"><v>1</v></c><c><v>2</v></c></row>"
                 "<row><c r=\"B3\" t=\"inlineStr\"><is><t>b</t></is></c></row>"
                 "<row r=\"5\"><c r=\"A5\" s=\"1\"/></row>",
                 {{}, {{}, {}, q(u"1"), q(u"2")}, {{}, q(u"b")}}}));

// ---- What the ODS reader shows of a cell ----

struct OdsCase {
    const char* name;
    const char* table;
    Rows rows;
};

void PrintTo(const OdsCase& c, std::ostream* os)
{
    *os << c.name;
}

class OdsCells : public SheetFiles, public testing::WithParamInterface<OdsCase> {};

TEST_P(OdsCells, showsCellsAsTheSheetDoes)
{
    const QString file = path("cells.ods");
    // Shorthand: {R} a row, {C type} a cell of that value type.
    QByteArray table = GetParam().table;
    table.replace("{R}", "<table:table-row>")
        .replace("{/R}", "</table:table-row>")
        .replace("{C ", "<table:table-cell office:value-type=\"")
        .replace("{/C}", "</table:table-cell>")
        .replace("}", "\">");
    ZipPartSpec body;
    body.head = table;
    ASSERT_TRUE(writeZip(file, odsParts(body)));
    EXPECT_EQ(read(file).rows, GetParam().rows);
}

INSTANTIATE_TEST_SUITE_P(
    Values, OdsCells,
    testing::Values(
        OdsCase{"numbers, dates, booleans by value; percentages as shown",
                "{R}{C float\" office:value=\"4.5}<text:p>4,50</text:p>{/C}"
                "{C date\" office:date-value=\"2024-09-01T08:00:00}<text:p>1 wrz</text:p>{/C}"
                "{C boolean\" office:boolean-value=\"true}<text:p>1</text:p>{/C}"
                "{C percentage\" office:value=\"0.5}<text:p>50%</text:p>{/C}{/R}",
                {{q(u"4,5"), q(u"01.09.2024"), q(u"PRAWDA"), q(u"50%")}}},
        OdsCase{"paragraphs, spaces, tabs, spans and line breaks",
                "{R}{C string}<text:p>a</text:p><text:p>b</text:p>{/C}"
                "{C string}<text:p>  a   b<text:s text:c=\"2\"/>c <text:tab/>d</text:p>{/C}"
                "{C string}<text:p>x<text:span>y</text:span><text:line-break/>z</text:p>{/C}{/R}",
                {{q(u"a\nb"), q(u"a b  c \td"), q(u"xy\nz")}}},
        OdsCase{"comments are not the cell's text",
                "{R}{C string}<office:annotation><text:p>uwaga</text:p></office:annotation>"
                "<text:p>x</text:p>{/C}{/R}",
                {{q(u"x")}}},
        OdsCase{"repeated and covered cells take their places",
                "{R}<table:table-cell table:number-columns-repeated=\"2\"/>"
                "{C string\" table:number-columns-repeated=\"2}<text:p>r</text:p>{/C}"
                "<table:covered-table-cell office:value-type=\"string\"><text:p>ukryte</text:p>"
                "</table:covered-table-cell>{C string}<text:p>n</text:p>{/C}{/R}",
                {{{}, {}, q(u"r"), q(u"r"), {}, q(u"n")}}},
        OdsCase{"repeated rows, row groups, empty runs at the end dropped",
                "<table:table-column table:number-columns-repeated=\"1024\"/>"
                "<table:table-header-rows>{R}{C string}<text:p>h</text:p>{/C}{/R}"
                "</table:table-header-rows>"
                "<table:table-row table:number-rows-repeated=\"2\">"
                "{C string}<text:p>w</text:p>{/C}{/R}"
                "<table:table-row table:number-rows-repeated=\"1048573\">"
                "<table:table-cell table:number-columns-repeated=\"1024\"/>{/R}",
                {{q(u"h")}, {q(u"w")}, {q(u"w")}}}));

// ---- Round trips through the writer ----

const Rows kRoundTripRows = {
    {q(u"Lp."), q(u"Nazwisko i imię"), q(u"Średnia"), q(u"Uwagi")},
    {q(u"1"), q(u"Żółkiewska Łucja"), q(u"4,5"), q(u"cytat \"w cudzysłowie\"; średnik, przecinek")},
    {q(u"2"), q(u"Ćwik Śmigły"), q(u"-0,25"), q(u"dwa\nwiersze")},
    {},
    {q(u"3"), {}, q(u"5"), q(u"  spacje  na brzegach i\ttab ")},
    {q(u"007"), q(u"1e3"), q(u"=SUMA(A1)"), q(u"_x0041_ zostaje")},
    {{}, {}, {}, q(u"ostatnia")},
};

class RoundTrip : public SheetFiles, public testing::WithParamInterface<SheetFormat> {};

TEST_P(RoundTrip, writeThenReadGivesTheSameTable)
{
    const char* names[] = {"klasa.csv", "klasa.xlsx", "klasa.ods"};
    const QString file = path(names[static_cast<int>(GetParam())]);
    SheetTable table;
    table.rows = kRoundTripRows;
    QString problem = QStringLiteral("left over");
    ASSERT_TRUE(writeSheet(file, table, GetParam(), &problem)) << problem.toStdString();
    EXPECT_TRUE(problem.isEmpty());
    EXPECT_EQ(read(file), table);
    const QStringList expectedNames = {GetParam() == SheetFormat::Csv ? QString()
                                                                      : QStringLiteral("Klasa")};
    EXPECT_EQ(sheetNames(file, &problem), expectedNames);
    // Written again over the first file.
    table.rows.resize(1);
    ASSERT_TRUE(writeSheet(file, table, GetParam(), &problem));
    EXPECT_EQ(read(file), table);
}

// Numbers as the sheet shows them ("4,5", "7") are written as numbers;
// every other text, also one that only looks like a number ("3,00",
// "4.5"), as a text: each cell comes back exactly as it was written.
class WorkbookRoundTrip : public RoundTrip {};

TEST_P(WorkbookRoundTrip, everyCellComesBackAsWritten)
{
    const QString file = path(GetParam() == SheetFormat::Xlsx ? "liczby.xlsx" : "liczby.ods");
    SheetTable table;
    table.rows = {{q(u"4,5"), q(u"7"), q(u"3,00"), q(u"4.5"), q(u"0,10"), q(u"-0"), q(u"1 000"),
                   q(u"+5"), q(u"12345678901234567")}};
    QString problem;
    ASSERT_TRUE(writeSheet(file, table, GetParam(), &problem));
    EXPECT_EQ(read(file).rows, table.rows);
}

// An average shown with two decimals is a number for the sheet all the
// same; the same text in a cell not marked so stays a text.
TEST_P(WorkbookRoundTrip, markedCellsAreStoredAsNumbers)
{
    const bool xlsx = GetParam() == SheetFormat::Xlsx;
    const QString file = path(xlsx ? "srednie.xlsx" : "srednie.ods");
    SheetTable table;
    table.rows = {{q(u"4,50"), q(u"4,50")}};
    table.numberCells.insert({0, 1});
    QString problem;
    ASSERT_TRUE(writeSheet(file, table, GetParam(), &problem));
    QuaZip zip(file);
    ASSERT_TRUE(zip.open(QuaZip::mdUnzip));
    ASSERT_TRUE(zip.setCurrentFile(xlsx ? QStringLiteral("xl/worksheets/sheet1.xml")
                                        : QStringLiteral("content.xml")));
    QuaZipFile part(&zip);
    ASSERT_TRUE(part.open(QIODevice::ReadOnly));
    const QByteArray xml = part.readAll();
    const QByteArray number = xlsx ? "<c r=\"B1\"><v>4.5</v></c>" : "office:value=\"4.5\"";
    EXPECT_EQ(xml.count(number), 1) << xml.toStdString();
    EXPECT_EQ(xml.count(xlsx ? "t=\"s\"" : "office:value-type=\"string\""), 1);
}

TEST_P(RoundTrip, emptyTable)
{
    const char* names[] = {"pusty.csv", "pusty.xlsx", "pusty.ods"};
    const QString file = path(names[static_cast<int>(GetParam())]);
    QString problem;
    ASSERT_TRUE(writeSheet(file, SheetTable(), GetParam(), &problem));
    EXPECT_EQ(read(file), SheetTable());
}

INSTANTIATE_TEST_SUITE_P(Formats, RoundTrip,
                         testing::Values(SheetFormat::Csv, SheetFormat::Xlsx, SheetFormat::Ods));
INSTANTIATE_TEST_SUITE_P(Formats, WorkbookRoundTrip,
                         testing::Values(SheetFormat::Xlsx, SheetFormat::Ods));

TEST_F(SheetFiles, csvIsWrittenAsSpreadsheetsWriteIt)
{
    const QString file = path("zapis.csv");
    SheetTable table;
    table.rows = {{q(u"Łoś"), q(u"a;b")}, {q(u"x\"y"), q(u"1,5")}};
    QString problem;
    ASSERT_TRUE(writeSheet(file, table, SheetFormat::Csv, &problem));
    QFile written(file);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(),
              QByteArray("\xEF\xBB\xBF\xC5\x81o\xC5\x9B;\"a;b\"\r\n\"x\"\"y\";\"1,5\"\r\n"));
}

TEST_F(SheetFiles, aFailedWriteSaysWhichFileAndLeavesNoFile)
{
    const QString file = path("brak/klasa.xlsx");
    QString problem;
    EXPECT_FALSE(writeSheet(file, SheetTable(), SheetFormat::Xlsx, &problem));
    EXPECT_TRUE(problem.contains(QStringLiteral("klasa.xlsx"))) << problem.toStdString();
    EXPECT_FALSE(QFile::exists(file));
}

TEST(SheetFormatOf, byExtension)
{
    EXPECT_EQ(sheetFormatOf(QStringLiteral("/a/b.CSV")), SheetFormat::Csv);
    EXPECT_EQ(sheetFormatOf(QStringLiteral("b.tsv")), SheetFormat::Csv);
    EXPECT_EQ(sheetFormatOf(QStringLiteral("b.Txt")), SheetFormat::Csv);
    EXPECT_EQ(sheetFormatOf(QStringLiteral("klasa.4a.XLSX")), SheetFormat::Xlsx);
    EXPECT_EQ(sheetFormatOf(QStringLiteral("b.ods")), SheetFormat::Ods);
    EXPECT_EQ(sheetFormatOf(QStringLiteral("b.xls")), std::nullopt);
    EXPECT_EQ(sheetFormatOf(QStringLiteral("xlsx")), std::nullopt);
    EXPECT_EQ(sheetFormatOf(QString()), std::nullopt);
}

// ---- Files saved by LibreOffice Calc ----

// Both workbooks hold the same sheet; the second sheet is named "Drugi".
TEST_F(SheetFiles, readsWorkbooksSavedByLibreOffice)
{
    const Rows expected = {
        {q(u"Nazwisko i imię"), q(u"Urodzony"), q(u"Średnia"), q(u"Uwagi")},
        {q(u"Żółkiewska Łucja"), q(u"01.09.2014"), q(u"4,75"), q(u"bardzo dobra")},
        {q(u"Ćwik Śmigły"), q(u"15.03.2015"), q(u"3,5")},
        {q(u"Ąę Óź"), {}, q(u"5"), q(u"zażółć gęślą jaźń")},
    };
    for (const char* name : {"/libreoffice.xlsx", "/libreoffice.ods"}) {
        SCOPED_TRACE(name);
        const QString file = QStringLiteral(WYKAZKI_TEST_DATA) + QString::fromUtf8(name);
        QString problem;
        EXPECT_EQ(sheetNames(file, &problem), (QStringList{q(u"Klasa 4a"), q(u"Drugi")}));
        EXPECT_EQ(read(file).rows, expected);
        EXPECT_EQ(read(file, 1).rows, (Rows{{q(u"drugi arkusz")}}));
    }
}

TEST_F(SheetFiles, readsWindows1250Csv)
{
    const QString file = QStringLiteral(WYKAZKI_TEST_DATA "/windows1250.csv");
    const Rows expected = {
        {q(u"Nazwisko i imię"), q(u"Średnia")},
        {q(u"Żółkiewska Łucja"), q(u"4,75")},
        {q(u"Ćwik Śmigły"), q(u"3,5")},
    };
    EXPECT_EQ(read(file).rows, expected);
    SheetReadOptions forced;
    forced.encoding = TextEncoding::Utf8;
    QString problem;
    EXPECT_NE(readSheet(file, forced, &problem).rows, expected);
}

// ---- Hostile files ----

struct HostileCase {
    const char* name;
    const char* fileName;
    std::function<bool(const QString& path)> make;
    const char* problem;  // part of the expected problem; nullptr: a table
    int rows = 0;         // -1: any, with any columns
    int columns = 0;
    int longestCell = -1;  // -1: any
    QStringList notes = {};
    int sheet = 0;
};

void PrintTo(const HostileCase& c, std::ostream* os)
{
    *os << c.name;
}

ZipPartSpec repeated(const QByteArray& head, const QByteArray& run, qint64 repeat,
                     const QByteArray& tail)
{
    return {{}, head, run, repeat, tail};
}

std::function<bool(const QString&)> xlsx(const ZipPartSpec& sheet)
{
    return [sheet](const QString& file) { return writeZip(file, xlsxParts(sheet)); };
}

std::function<bool(const QString&)> ods(const ZipPartSpec& table)
{
    return [table](const QString& file) { return writeZip(file, odsParts(table)); };
}

std::function<bool(const QString&)> bytes(const QByteArray& data, qint64 size = -1)
{
    return [data, size](const QString& file) {
        QFile out(file);
        return out.open(QIODevice::WriteOnly) && out.write(data) == data.size()
               && (size < 0 || out.resize(size));
    };
}

const QString kRowsNote = QStringLiteral("Wczytano tylko pierwsze 5001 wierszy arkusza");
const QString kColumnsNote = QStringLiteral("Wczytano tylko pierwsze 1024 kolumny arkusza");
const QString kCellsNote = q(u"Skrócono komórki dłuższe niż 65536 znaków");

const QByteArray kMegabyteOfSpaces(qsizetype(1024) * 1024, ' ');
const QByteArray kKilobyteOfText(1024, 'a');
const QByteArray kXlsxText = "<c t=\"inlineStr\"><is><t>x</t></is></c>";
const QByteArray kOdsText =
    "<table:table-cell office:value-type=\"string\"><text:p>x</text:p></table:table-cell>";

class HostileFiles : public SheetFiles, public testing::WithParamInterface<HostileCase> {};

TEST_P(HostileFiles, endWithinTheLimitsOrAPolishProblem)
{
    const HostileCase& c = GetParam();
    const QString file = path(c.fileName);
    ASSERT_TRUE(c.make(file));
    SheetReadOptions options;
    options.sheet = c.sheet;
    QString problem;
    const SheetTable table = readSheet(file, options, &problem);
    if (c.problem) {
        EXPECT_TRUE(problem.contains(QString::fromUtf8(c.problem))) << problem.toStdString();
        EXPECT_TRUE(problem.contains(QFileInfo(file).fileName())) << problem.toStdString();
        EXPECT_EQ(table, SheetTable());
        return;
    }
    EXPECT_TRUE(problem.isEmpty()) << problem.toStdString();
    if (c.rows >= 0) {
        EXPECT_EQ(table.rowCount(), c.rows);
        EXPECT_EQ(table.columnCount(), c.columns);
    }
    if (c.longestCell >= 0) {
        qsizetype longest = 0;
        for (const QStringList& row : table.rows)
            for (const QString& cell : row)
                longest = std::max(longest, cell.size());
        EXPECT_EQ(longest, c.longestCell);
    }
    EXPECT_EQ(table.notes, c.notes);
}

INSTANTIATE_TEST_SUITE_P(
    Files, HostileFiles,
    testing::Values(
        HostileCase{"xlsx zip bomb", "bomba.xlsx",
                    xlsx(repeated("<row>", kMegabyteOfSpaces, 100, "</row>")), "zbyt duży"},
        HostileCase{
            "ods zip bomb", "bomba.ods",
            ods(repeated("<table:table-row>", kMegabyteOfSpaces, 100, "</table:table-row>")),
            "zbyt duży"},
        HostileCase{"xlsx million rows",
                    "wiersze.xlsx",
                    xlsx(repeated({}, "<row>" + kXlsxText + "</row>", 1000000, {})),
                    nullptr,
                    kSheetMostRows,
                    1,
                    1,
                    {kRowsNote}},
        HostileCase{
            "ods million rows",
            "wiersze.ods",
            ods(repeated({}, "<table:table-row>" + kOdsText + "</table:table-row>", 1000000, {})),
            nullptr,
            kSheetMostRows,
            1,
            1,
            {kRowsNote}},
        HostileCase{"xlsx 16384 columns",
                    "kolumny.xlsx",
                    xlsx(repeated("<row>", kXlsxText, 16384, "</row>")),
                    nullptr,
                    1,
                    kSheetMostColumns,
                    1,
                    {kColumnsNote}},
        HostileCase{"ods 16384 columns",
                    "kolumny.ods",
                    ods(repeated("<table:table-row>", kOdsText, 16384, "</table:table-row>")),
                    nullptr,
                    1,
                    kSheetMostColumns,
                    1,
                    {kColumnsNote}},
        HostileCase{"xlsx 10 MB cell",
                    "komorka.xlsx",
                    xlsx(repeated("<row><c t=\"inlineStr\"><is><t>", kKilobyteOfText, 10240,
                                  "</t></is></c>" + kXlsxText + "</row>")),
                    nullptr,
                    1,
                    2,
                    kSheetMostCellChars,
                    {kCellsNote}},
        HostileCase{"ods 10 MB cell",
                    "komorka.ods",
                    ods(repeated("<table:table-row><table:table-cell><text:p>", kKilobyteOfText,
                                 10240, "</text:p></table:table-cell></table:table-row>")),
                    nullptr,
                    1,
                    1,
                    kSheetMostCellChars,
                    {kCellsNote}},
        HostileCase{"ods repeats of 2^31",
                    "powtorzenia.ods",
                    ods(repeated("<table:table-row table:number-rows-repeated=\"2147483648\">"
                                 "<table:table-cell table:number-columns-repeated=\"2147483648\" "
                                 "office:value-type=\"string\"><text:p>x</text:p>"
                                 "</table:table-cell></table:table-row>"
                                 "<table:table-row table:number-rows-repeated=\"-5\">",
                                 kOdsText, 3, "</table:table-row>")),
                    nullptr,
                    kSheetMostRows,
                    kSheetMostColumns,
                    1,
                    {kRowsNote, kColumnsNote}},
        HostileCase{"xlsx references far beyond the sheet",
                    "adresy.xlsx",
                    xlsx(repeated("<row r=\"1\"><c r=\"A1\"><v>3</v></c>"
                                  "<c r=\"ZZZZZZZZZZZZZZ1\"><v>2</v></c></row>"
                                  "<row r=\"9223372036854775807\"><c><v>1</v></c></row>",
                                  {}, 0, {})),
                    nullptr,
                    1,
                    1,
                    1,
                    {kRowsNote, kColumnsNote}},
        HostileCase{"xlsx broken XML", "zepsuty.xlsx",
                    xlsx(repeated("<row><c><v>1</v></row>", {}, 0, {})), "uszkodzony"},
        HostileCase{"ods broken XML", "zepsuty.ods",
                    ods(repeated("<table:table-row><table:table-cell>", {}, 0, {})), "uszkodzony"},
        HostileCase{"xlsx nested a million deep", "glebia.xlsx",
                    xlsx(repeated("<row><c><is>", "<r>", 1000000, {})), "uszkodzony"},
        HostileCase{"xlsx without the sheet asked for",
                    "arkusz.xlsx",
                    xlsx(repeated({}, {}, 0, {})),
                    "nie ma arkusza numer 2",
                    0,
                    0,
                    -1,
                    {},
                    1},
        HostileCase{"ods without the sheet asked for",
                    "arkusz.ods",
                    ods(repeated({}, {}, 0, {})),
                    "nie ma arkusza numer 8",
                    0,
                    0,
                    -1,
                    {},
                    7},
        HostileCase{"xlsx that is not a zip", "tekst.xlsx", bytes("PK\x03\x04 to nie zip"),
                    "nie jest poprawnym skoroszytem"},
        HostileCase{"empty xlsx", "pusty.xlsx", bytes({}), "nie jest poprawnym skoroszytem"},
        HostileCase{"empty ods", "pusty.ods", bytes({}), "nie jest poprawnym skoroszytem"},
        HostileCase{"ods without content", "bez.ods",
                    [](const QString& file) {
                        return writeZip(file, {{QStringLiteral("mimetype"), "x", {}, 0, {}}});
                    },
                    "brak części content.xml"},
        HostileCase{"empty csv", "pusty.csv", bytes({}), nullptr, 0, 0},
        HostileCase{"csv of binary bytes", "binarny.csv",
                    bytes(QByteArray("\x00\xFF\x01\"\xFE;\r\x80\x81\n\x98", 11).repeated(1000)),
                    nullptr, -1, -1},
        HostileCase{"csv over 64 MB", "duzy.csv", bytes("a;b", qint64(65) * 1024 * 1024),
                    "zbyt duży"},
        HostileCase{"directory", "katalog.xlsx",
                    [](const QString& file) { return QDir().mkdir(file); },
                    "nie jest zwykłym plikiem"},
        HostileCase{"fifo", "potok.csv",
                    [](const QString& file) {
                        return ::mkfifo(QFile::encodeName(file).constData(), 0600) == 0;
                    },
                    "nie jest zwykłym plikiem"},
        HostileCase{"missing file", "brak.ods", [](const QString&) { return true; },
                    "nie istnieje"},
        HostileCase{"unknown extension", "arkusz.xls", bytes("a;b"), "nie jest arkuszem"}));

}  // namespace

}  // namespace wykazki
