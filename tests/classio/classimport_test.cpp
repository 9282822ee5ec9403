#include "classio/classexport.h"
#include "classio/classimport.h"

#include "document/classfile.h"
#include "document/computedvalues.h"
#include "document/cp1250.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace wykazki {

namespace {

std::string cp(const char* utf8)
{
    return cp1250::fromUtf8(utf8).value();
}

enum Phrase { kName, kMaths, kPhysics, kEmblem, kRemarks, kPhraseCount };

// The small class of the window tests: a name, two grades, a picture and
// a text, three pupils.
Document testClass()
{
    ClassFileContents c;
    const struct {
        const char* name;
        PhraseKind kind;
    } phrases[kPhraseCount] = {{"Imię i nazwisko", PhraseKind::Text},
                               {"Matematyka", PhraseKind::Grade},
                               {"Fizyka", PhraseKind::Grade},
                               {"Godło", PhraseKind::Picture},
                               {"Uwagi", PhraseKind::Text}};
    for (const auto& p : phrases) {
        TFra phrase;
        phrase.name = cp(p.name);
        phrase.kind = p.kind;
        c.phrases.push_back(phrase);
    }
    const char* names[] = {"Anna Kowalska", "Jan Nowak", "Zofia Wiśniewska"};
    const std::int8_t maths[] = {4, 0, 2};
    const std::int8_t physics[] = {5, 6, 3};
    for (std::size_t i = 0; i < 3; ++i) {
        c.pupils.insert(i, kPhraseCount);
        TFrazy& values = c.pupils[i].values;
        values[kName].text = cp(names[i]);
        values[kMaths].grade = maths[i];
        values[kPhysics].grade = physics[i];
        values[kEmblem].picture = "godlo";
    }
    c.pupils[2].values[kRemarks].text = cp("Konkurs \"Orlik\"\r\nI miejsce");
    Document document;
    document.takeOver(std::move(c));
    return document;
}

SheetTable sheet(std::initializer_list<QStringList> rows)
{
    SheetTable table;
    for (const QStringList& row : rows)
        table.rows.append(row);
    return table;
}

QStringList row(std::initializer_list<const char*> cells)
{
    QStringList list;
    for (const char* cell : cells)
        list << QString::fromUtf8(cell);
    return list;
}

// ---- The proposed mapping ---------------------------------------------------------

TEST(ProposeMapping, matchesHeadersToPhrases)
{
    const Document document = testClass();
    const struct {
        std::vector<QStringList> rows;
        std::vector<int> expected;
    } cases[] = {
        // Case, Polish letters and blanks aside.
        {{row({"imie i nazwisko", "MATEMATYKA", " Fi zyka ", "godlo", "Uwagi"})}, {0, 1, 2, 3, 4}},
        // The names' column headed otherwise; a number column before it.
        {{row({"Lp.", "Nazwisko i imię", "Matematyka"}), row({"1", "Kowalska Anna", "5"})},
         {-1, 0, 1}},
        // Not headed at all: the first column with letters.
        {{row({"", "", "Fizyka"}), row({"1", "Jan Nowak", "dst"})}, {-1, 0, 2}},
        // One phrase, one column: the second "Uwagi" is not imported.
        {{row({"Uwagi", "Imię i nazwisko", "uwagi", "Chemia"})}, {4, 0, -1, -1}},
        // Names only as numbers: no column is the names'.
        {{row({"Nr", "Fizyka"}), row({"7", "5"})}, {-1, 2}},
    };
    for (const auto& c : cases) {
        SheetTable table;
        for (const QStringList& r : c.rows)
            table.rows.append(r);
        const ImportMapping mapping = proposeMapping(document, table);
        EXPECT_EQ(mapping.phraseOfColumn, c.expected) << c.rows[0].join(u'|').toStdString();
        EXPECT_EQ(mapping.namePhrase, kName);
        EXPECT_EQ(mapping.headerRow, 0);
    }
}

TEST(ProposeMapping, readsPupilsInColumnsAlongRows)
{
    const Document document = testClass();
    const SheetTable table =
        sheet({row({"Imię i nazwisko", "Jan Nowak", "Anna Kowalska"}), row({"Fizyka", "5", "4"})});
    const ImportMapping mapping = proposeMapping(document, table, false);
    EXPECT_FALSE(mapping.pupilsAreRows);
    EXPECT_EQ(mapping.phraseOfColumn, (std::vector<int>{0, 2}));
}

TEST(ProposeMapping, namePhraseIsTheFirstPlainTextPhrase)
{
    TFrazy phrases;
    TFra average;
    average.name = "Srednia";
    average.text = std::string(kAverageTag);
    TFra grade;
    grade.kind = PhraseKind::Grade;
    phrases.push_back(grade);
    phrases.push_back(average);
    EXPECT_EQ(defaultNamePhrase(phrases), 1) << "no plain one: the first text phrase";
    phrases.push_back(TFra{});
    EXPECT_EQ(defaultNamePhrase(phrases), 2);
    EXPECT_EQ(defaultNamePhrase(TFrazy{}), -1);
}

// ---- Importing ---------------------------------------------------------------------

ImportMapping nameMathsPhysics()
{
    ImportMapping mapping;
    mapping.phraseOfColumn = {kName, kMaths, kPhysics};
    mapping.namePhrase = kName;
    return mapping;
}

TEST(ImportTable, updatesPupilsByNameAndAppendsTheOthers)
{
    const Document document = testClass();
    const SheetTable table =
        sheet({row({"Uczeń", "Matematyka", "Fizyka"}), row({"jan  NOWAK", "bdb", "zw"}),
               row({"", "", ""}), row({"Piotr Zieliński", "3", ""}), row({"", "5", "5"}),
               row({"zofia wisniewska", "", "xyz"})});
    const ImportResult result = importTable(document, table, nameMathsPhysics());

    EXPECT_EQ(result.updatedPupils, 2);
    ASSERT_EQ(result.added.size(), 1u);
    EXPECT_EQ(result.added[0].values[kName].text, cp("Piotr Zieliński"));
    EXPECT_EQ(result.added[0].values[kMaths].grade, 2);
    EXPECT_EQ(result.added[0].values[kPhysics].grade, kNoSubjectGrade) << "empty: the default";
    EXPECT_EQ(result.rowsWithoutName, 1);
    EXPECT_EQ(result.grades, 3);
    EXPECT_EQ(result.unrecognised, 1);
    // The names as the sheet writes them; empty cells and "xyz" leave the
    // pupil's values alone.
    const std::vector<CellEdit> expected = {
        {1, kName, ValueField::Text, std::string("jan  NOWAK")},
        {1, kMaths, ValueField::Grade, std::int8_t{4}},
        {1, kPhysics, ValueField::Grade, std::int8_t{8}},
        {2, kName, ValueField::Text, std::string("zofia wisniewska")},
    };
    EXPECT_EQ(result.edits, expected);
    EXPECT_EQ(result.summary(),
              QStringLiteral("Zaimportowano 3 uczniów, 3 oceny; nie rozpoznano 1 wartości: "
                             "„xyz” (C6); pominięto 1 ucznia bez nazwiska"));
}

TEST(ImportTable, replacingTheClassTakesEveryRowAsANewPupil)
{
    const Document document = testClass();
    ImportMapping mapping = nameMathsPhysics();
    mapping.replaceClass = true;
    mapping.headerRow = -1;
    const ImportResult result =
        importTable(document, sheet({row({"Jan Nowak", "1"}), row({"Jan Nowak", "6"})}), mapping);
    EXPECT_TRUE(result.edits.empty());
    ASSERT_EQ(result.added.size(), 2u);
    EXPECT_EQ(result.added[1].values[kMaths].grade, 5);

    Document applied = document;
    applyImport(applied, result);
    ASSERT_EQ(applied.pupils().count(), 2u);
    EXPECT_EQ(applied.value(0, kMaths).grade, 0);
}

TEST(ImportTable, twoPupilsOfOneNameTakeTwoRows)
{
    Document document = testClass();
    document.setCells({{0, kName, ValueField::Text, std::string("Jan Nowak")}});
    const ImportResult result =
        importTable(document,
                    sheet({row({"", "", ""}), row({"Jan Nowak", "1"}), row({"Jan Nowak", "2"}),
                           row({"Jan Nowak", "3"})}),
                    nameMathsPhysics());
    EXPECT_EQ(result.updatedPupils, 2);
    EXPECT_EQ(result.added.size(), 1u);
    ASSERT_EQ(result.edits.size(), 4u);
    EXPECT_EQ(result.edits[1], (CellEdit{0, kMaths, ValueField::Grade, std::int8_t{0}}));
    EXPECT_EQ(result.edits[3], (CellEdit{1, kMaths, ValueField::Grade, std::int8_t{1}}));
}

TEST(ImportTable, textsAreStoredAsTheProgramStoresThem)
{
    const Document document = testClass();
    ImportMapping mapping;
    mapping.phraseOfColumn = {kName, kRemarks, kEmblem};
    mapping.namePhrase = kName;
    const ImportResult result = importTable(
        document, sheet({row({}), row({"Anna Kowalska", "Dwa\nwiersze ✓ i €", "  orzel.bmp "})}),
        mapping);
    ASSERT_EQ(result.edits.size(), 3u);
    EXPECT_EQ(result.edits[1].value, CellValue(cp("Dwa\r\nwiersze ? i €")));
    EXPECT_EQ(result.edits[2],
              (CellEdit{0, kEmblem, ValueField::Picture, std::string("orzel.bmp")}));
    EXPECT_EQ(result.lostCharacters, 1);
    EXPECT_TRUE(result.summary().contains(QStringLiteral("1 znak spoza kodowania")));
}

TEST(ImportTable, stopsAtTheLargestClass)
{
    Document document;
    document.addPhrase(0);
    for (int i = 0; i < 4998; ++i)
        document.addPupil(0);
    SheetTable table;
    for (int i = 0; i < 5; ++i)
        table.rows.append({QStringLiteral("Uczeń %1").arg(i)});
    ImportMapping mapping;
    mapping.headerRow = -1;
    mapping.phraseOfColumn = {0};
    mapping.namePhrase = 0;
    const ImportResult result = importTable(document, table, mapping);
    EXPECT_EQ(result.added.size(), 2u);
    ASSERT_EQ(result.notes.size(), 1);
    EXPECT_TRUE(result.notes[0].contains(QStringLiteral("najwyżej 5000 uczniów")));
    EXPECT_TRUE(result.notes[0].contains(QStringLiteral("A3")));
}

TEST(ImportTable, mappingBeyondTheSheetOrThePhrasesTakesNothing)
{
    const Document document = testClass();
    ImportMapping mapping;
    mapping.phraseOfColumn = {kName, 99, -7, kMaths};
    mapping.namePhrase = 42;
    mapping.headerRow = 10;
    const ImportResult result =
        importTable(document, sheet({row({"Anna Kowalska", "5", "5", "5"})}), mapping);
    EXPECT_EQ(result.pupils(), 0);
    mapping.headerRow = -1;
    const ImportResult some =
        importTable(document, sheet({row({"Anna Kowalska", "5", "5", "5"})}), mapping);
    EXPECT_EQ(some.added.size(), 1u) << "no name phrase: every row a new pupil";
    EXPECT_EQ(some.grades, 1);
}

TEST(ImportSummary, countsInPolish)
{
    const struct {
        long long n;
        const char* expected;
    } cases[] = {{0, "0 ocen"},   {1, "1 ocenę"},     {2, "2 oceny"},   {4, "4 oceny"},
                 {5, "5 ocen"},   {12, "12 ocen"},    {14, "14 ocen"},  {22, "22 oceny"},
                 {25, "25 ocen"}, {104, "104 oceny"}, {112, "112 ocen"}};
    for (const auto& c : cases)
        EXPECT_EQ(polishCount(c.n, QStringLiteral("ocenę"), QStringLiteral("oceny"),
                              QStringLiteral("ocen")),
                  QString::fromUtf8(c.expected));
}

// A long sheet reports its rows as it goes, the header row not counted;
// stopped at any report, the import is empty and nothing would change.
TEST(ImportTable, reportsProgressEveryFewRowsAndStopsWhenTold)
{
    const Document document = testClass();
    SheetTable table = sheet({row({"Uczeń", "Matematyka", "Fizyka"})});
    for (int i = 0; i < 2 * kImportProgressRows + 1; ++i)
        table.rows.append(row({"Uczeń", "5", "4"}));
    table.rows.last()[0] = QStringLiteral("Ostatni Uczeń");
    const int pupils = 2 * kImportProgressRows + 1;
    const struct {
        int stopAtReport;  // -1: never
        std::vector<int> reported;
    } cases[] = {
        {-1, {0, kImportProgressRows, 2 * kImportProgressRows}},
        {0, {0}},
        {2, {0, kImportProgressRows, 2 * kImportProgressRows}},
    };
    for (const auto& c : cases) {
        std::vector<int> reported;
        const ImportResult result =
            importTable(document, table, nameMathsPhysics(), [&](int done, int total) {
                EXPECT_EQ(total, pupils);
                reported.push_back(done);
                return static_cast<int>(reported.size()) - 1 != c.stopAtReport;
            });
        EXPECT_EQ(reported, c.reported) << c.stopAtReport;
        EXPECT_EQ(result.cancelled, c.stopAtReport >= 0);
        if (c.stopAtReport >= 0) {
            EXPECT_TRUE(result.added.empty() && result.edits.empty());
            EXPECT_EQ(result.pupils(), 0);
        } else {
            EXPECT_EQ(result.pupils(), pupils);
            EXPECT_EQ(result.added.back().values[kName].text, cp("Ostatni Uczeń"));
        }
    }
}

// ---- Export, and back ------------------------------------------------------------------

TEST(ExportTable, writesNamesWordingsAndAverages)
{
    const Document document = testClass();
    const SheetTable table = exportTable(document, true);
    ASSERT_EQ(table.rowCount(), 4);
    EXPECT_EQ(table.rows[0],
              row({"Imię i nazwisko", "Matematyka", "Fizyka", "Godło", "Uwagi", "Średnia ucznia"}));
    EXPECT_EQ(table.rows[2], row({"Jan Nowak", "Niedostateczny", "", "godlo", "", "1,00"}));
    EXPECT_EQ(table.rows[3][4], QStringLiteral("Konkurs \"Orlik\"\nI miejsce"));
    EXPECT_EQ(table.numberCells, (QSet<std::pair<int, int>>{{1, 5}, {2, 5}, {3, 5}}));

    const SheetTable columns = exportTable(document, false);
    ASSERT_EQ(columns.rowCount(), kPhraseCount + 1);
    EXPECT_EQ(columns.rows[0],
              row({"Imię i nazwisko", "Anna Kowalska", "Jan Nowak", "Zofia Wiśniewska"}));
    EXPECT_EQ(columns.rows[kPhraseCount], row({"Średnia ucznia", "5,50", "1,00", "3,50"}));
    EXPECT_TRUE(columns.numberCells.contains({kPhraseCount, 3}));
}

// Exported and imported again in place of the class: the same pupils.
void expectRoundTrip(const Document& document)
{
    for (const bool rows : {true, false}) {
        const SheetTable table = exportTable(document, rows);
        ImportMapping mapping = proposeMapping(document, table, rows);
        mapping.replaceClass = true;
        const ImportResult result = importTable(document, table, mapping);
        EXPECT_EQ(result.unrecognised, 0) << result.summary().toStdString();
        Document back = document;
        applyImport(back, result);
        EXPECT_EQ(back.pupils(), document.pupils()) << (rows ? "rows" : "columns");
    }
}

TEST(ExportTable, importingTheExportGivesTheClassBack)
{
    expectRoundTrip(testClass());
}

TEST(ExportTable, importingTheExportGivesTheSampleClassBack)
{
    Document sample;
    sample.takeOver(readClassFileAt(WYKAZKI_BIN_DIR "/Przyklad.wkz"));
    ASSERT_GT(sample.pupils().count(), 20u);
    expectRoundTrip(sample);
}

}  // namespace

}  // namespace wykazki
