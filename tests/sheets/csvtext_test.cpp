// The CSV text reader and the decoding of a text file's bytes: separators
// guessed from the first records, quotes the way spreadsheets write them,
// and the encodings Polish files come in.

#include "sheets/sheetreader.h"

#include <gtest/gtest.h>

namespace wykazki {

namespace {

using Rows = QList<QStringList>;

struct CsvCase {
    const char* name;
    const char16_t* text;
    Rows rows;
};

void PrintTo(const CsvCase& c, std::ostream* os)
{
    *os << c.name;
}

class CsvText : public testing::TestWithParam<CsvCase> {};

TEST_P(CsvText, readsRowsAndCells)
{
    const SheetTable table = readCsvText(QString::fromUtf16(GetParam().text));
    EXPECT_EQ(table.rows, GetParam().rows);
    EXPECT_TRUE(table.notes.isEmpty());
}

const QString q(const char16_t* text)
{
    return QString::fromUtf16(text);
}

INSTANTIATE_TEST_SUITE_P(
    Separators, CsvText,
    testing::Values(CsvCase{"semicolon",
                            u"Imię;Nazwisko;Ocena\nJan;Kowalski;4,5\nAnna;Nowak;5",
                            {{q(u"Imię"), q(u"Nazwisko"), q(u"Ocena")},
                             {q(u"Jan"), q(u"Kowalski"), q(u"4,5")},
                             {q(u"Anna"), q(u"Nowak"), q(u"5")}}},
                    CsvCase{"comma", u"a,b\r\n1,2\r\n", {{q(u"a"), q(u"b")}, {q(u"1"), q(u"2")}}},
                    CsvCase{"tab beats a comma inside cells",
                            u"Jan\t4,5\nAnna\t3,75",
                            {{q(u"Jan"), q(u"4,5")}, {q(u"Anna"), q(u"3,75")}}},
                    CsvCase{"semicolon beats decimal commas",
                            u"Jan;4,5\nAnna;3,5",
                            {{q(u"Jan"), q(u"4,5")}, {q(u"Anna"), q(u"3,5")}}},
                    CsvCase{"separators inside quotes do not count",
                            u"\"a;b\",c\n\"d;e\",f",
                            {{q(u"a;b"), q(u"c")}, {q(u"d;e"), q(u"f")}}},
                    CsvCase{
                        "a title line without separators",
                        u"Klasa 4a\nJan,Kowalski\nAnna,Nowak",
                        {{q(u"Klasa 4a")}, {q(u"Jan"), q(u"Kowalski")}, {q(u"Anna"), q(u"Nowak")}}},
                    CsvCase{"one column", u"Kowalski\nNowak", {{q(u"Kowalski")}, {q(u"Nowak")}}}));

INSTANTIATE_TEST_SUITE_P(
    Quotes, CsvText,
    testing::Values(
        CsvCase{"doubled quote", u"\"x\"\"y\";z", {{q(u"x\"y"), q(u"z")}}},
        CsvCase{"line breaks inside quotes",
                u"\"line1\r\nline2\rline3\";b\r\nc;d",
                {{q(u"line1\nline2\nline3"), q(u"b")}, {q(u"c"), q(u"d")}}},
        CsvCase{"quote inside an unquoted cell", u"a\"b;c", {{q(u"a\"b"), q(u"c")}}},
        CsvCase{"text after the closing quote", u"\"a\"b;c", {{q(u"ab"), q(u"c")}}},
        CsvCase{"empty quoted cell", u"\"\";x", {{QString(), q(u"x")}}},
        CsvCase{"unbalanced quote runs to the end", u"a;\"b\nc;d", {{q(u"a"), q(u"b\nc;d")}}}));

INSTANTIATE_TEST_SUITE_P(
    Lines, CsvText,
    testing::Values(
        CsvCase{"BOM", u"\uFEFFa;b", {{q(u"a"), q(u"b")}}},
        CsvCase{"carriage returns alone", u"a;b\rc;d", {{q(u"a"), q(u"b")}, {q(u"c"), q(u"d")}}},
        CsvCase{"empty rows inside kept, trailing cells and rows dropped",
                u"a;b;\n;;\nc\n\n\n",
                {{q(u"a"), q(u"b")}, {}, {q(u"c")}}},
        CsvCase{"empty text", u"", {}}, CsvCase{"only line breaks", u"\r\n\r\n", {}}));

struct DecodeCase {
    const char* name;
    QByteArray bytes;
    TextEncoding encoding;
    const char16_t* text;
};

void PrintTo(const DecodeCase& c, std::ostream* os)
{
    *os << c.name;
}

class DecodeText : public testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeText, givesTheText)
{
    EXPECT_EQ(decodeText(GetParam().bytes, GetParam().encoding), q(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, DecodeText,
    testing::Values(
        DecodeCase{"UTF-8", "Za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87", TextEncoding::Automatic,
                   u"Zażółć"},
        DecodeCase{"UTF-8 with BOM",
                   "\xEF\xBB\xBF\xC5\x81\xC3\xB3"
                   "d\xC5\xBA",
                   TextEncoding::Automatic, u"Łódź"},
        DecodeCase{"Windows-1250",
                   "\xAF\xF3\xB3w;\xA3\xF3"
                   "d\x9F",
                   TextEncoding::Automatic, u"Żółw;Łódź"},
        DecodeCase{"Windows-1250 forced on UTF-8", "\xC5\x82", TextEncoding::Windows1250, u"Ĺ‚"},
        DecodeCase{"UTF-8 forced on Windows-1250", "a\xB3", TextEncoding::Utf8, u"a\uFFFD"},
        DecodeCase{"UTF-8 cut inside a character", "a\xC5", TextEncoding::Automatic, u"aĹ"},
        DecodeCase{"UTF-16 little-endian", QByteArray("\xFF\xFE\x41\x01;\0b\0", 8),
                   TextEncoding::Automatic, u"Ł;b"},
        DecodeCase{"UTF-16 big-endian", QByteArray("\xFE\xFF\x01\x41", 4), TextEncoding::Automatic,
                   u"Ł"},
        DecodeCase{"ASCII", "a;b", TextEncoding::Automatic, u"a;b"},
        DecodeCase{"nothing", "", TextEncoding::Automatic, u""}));

// Cells and records beyond the limits are left out with a note; bytes that
// are not text make some table, never a failure.
TEST(CsvLimits, cutsAndNotes)
{
    struct Case {
        const char* name;
        QString text;
        int rows;
        int columns;
        int longestCell;
        const char* note;
    };
    const QString longCell(qsizetype(10) * 1024 * 1024, u'x');
    QString manyFields = QStringLiteral("a");
    for (int i = 0; i < 16383; ++i)
        manyFields += QStringLiteral(";b");
    QString binary;
    for (int i = 0; i < 4096; ++i)
        binary += QChar(static_cast<char16_t>((i * 7919) % 256));
    const Case cases[] = {
        {"a million rows", QStringLiteral("x\n").repeated(1000000), kSheetMostRows, 1, 1,
         "Wczytano tylko pierwsze 5001 wierszy arkusza"},
        {"16,384 columns", manyFields, 1, kSheetMostColumns, 1,
         "Wczytano tylko pierwsze 1024 kolumny arkusza"},
        {"a 10 MB cell", QStringLiteral("a;") + longCell, 1, 2, kSheetMostCellChars,
         "Skrócono komórki dłuższe niż 65536 znaków"},
        {"an unclosed quote before 10 MB", QStringLiteral("a;\"") + longCell + u'\n' + longCell, 1,
         2, kSheetMostCellChars, "Skrócono komórki"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const SheetTable table = readCsvText(c.text);
        EXPECT_EQ(table.rowCount(), c.rows);
        EXPECT_EQ(table.columnCount(), c.columns);
        qsizetype longest = 0;
        for (const QStringList& row : table.rows)
            for (const QString& cell : row)
                longest = std::max(longest, cell.size());
        EXPECT_EQ(longest, c.longestCell);
        ASSERT_EQ(table.notes.size(), 1);
        EXPECT_TRUE(table.notes.first().startsWith(QString::fromUtf8(c.note)))
            << table.notes.first().toStdString();
    }
    const SheetTable binaryTable = readCsvText(binary);
    EXPECT_LE(binaryTable.rowCount(), 4096);
}

}  // namespace

}  // namespace wykazki
