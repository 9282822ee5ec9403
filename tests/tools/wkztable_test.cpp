// wkz table: a class of 60 pupils printed as a table, every cell text found
// by pdftotext inside its own cell on the right page.

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace wykazki {

namespace fs = std::filesystem;

namespace {

constexpr int kPupils = 60;
constexpr double kPtPerPx = 72.0 / 600;  // the PDF's 600 dpi in points
constexpr double kMarginPt = 10 * 72 / 25.4;
constexpr double kCellWidthPt = 625 * kPtPerPx;   // 100 screen pixels at 600 / 96
constexpr double kCellHeightPt = 250 * kPtPerPx;  // 40 screen pixels
constexpr double kTolerancePt = 1.5;

struct Word {
    int page;
    double xMin, yMin, xMax, yMax;
};

int run(const std::string& command, std::string* out = nullptr)
{
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return -1;
    std::array<char, 4096> buf;
    std::size_t n;
    while ((n = std::fread(buf.data(), 1, buf.size(), pipe)) > 0)
        if (out)
            out->append(buf.data(), n);
    const int status = ::pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Every word pdftotext finds, by its text (the cell texts are unique).
std::map<QString, Word> wordsOf(const fs::path& pdf)
{
    std::string html;
    EXPECT_EQ(run("pdftotext -bbox " + pdf.string() + " -", &html), 0);
    std::map<QString, Word> words;
    const QString text = QString::fromStdString(html);
    const QRegularExpression item(QStringLiteral(
        R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    int page = -1;
    for (auto it = item.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(0) == QLatin1String("<page ")) {
            ++page;
            continue;
        }
        words[m.captured(5)] = {page, m.captured(1).toDouble(), m.captured(2).toDouble(),
                                m.captured(3).toDouble(), m.captured(4).toDouble()};
    }
    return words;
}

QJsonArray repeated(int value, int count)
{
    QJsonArray a;
    for (int i = 0; i < count; ++i)
        a.append(value);
    return a;
}

TEST(WkzTable, everyCellTextLiesInItsOwnCellOnTheRightPage)
{
    const fs::path dir = fs::temp_directory_path() / ("wkz-table-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);

    QJsonArray pupils;
    for (int p = 1; p <= kPupils; ++p)
        pupils.append(
            QJsonArray{QJsonObject{{QStringLiteral("text"), QStringLiteral("N%1").arg(p)}},
                       QJsonObject{{QStringLiteral("text"), QStringLiteral("M%1").arg(p)}}});
    const QJsonObject grid{{QStringLiteral("fontName"), QStringLiteral("DejaVu Sans")},
                           {QStringLiteral("fontSize"), 8},
                           {QStringLiteral("cellWidth"), 100},
                           {QStringLiteral("cellHeight"), 40},
                           {QStringLiteral("columnWidths"), repeated(100, kPupils + 2)},
                           {QStringLiteral("rowHeights"), repeated(40, 4)}};
    const QJsonObject json{
        {QStringLiteral("phrases"),
         QJsonArray{QJsonObject{{QStringLiteral("name"), QStringLiteral("Imie")},
                                {QStringLiteral("kind"), 0}},
                    QJsonObject{{QStringLiteral("name"), QStringLiteral("Uwagi")},
                                {QStringLiteral("kind"), 0}}}},
        {QStringLiteral("pupils"), pupils},
        {QStringLiteral("pupilGrid"), grid}};
    std::ofstream(dir / "class.json") << QJsonDocument(json).toJson().toStdString();
    const std::string wkz = std::string(WYKAZKI_BIN_DIR) + "/wkz";
    ASSERT_EQ(run(wkz + " build " + (dir / "class.json").string() + " -o "
                  + (dir / "class.wkz").string()),
              0);
    ASSERT_EQ(run(wkz + " table " + (dir / "class.wkz").string() + " -o "
                  + (dir / "table.pdf").string() + " --title Tabela"),
              0);

    const auto words = wordsOf(dir / "table.pdf");
    // A4 less the margins holds the header column and 6 columns, then 7 a
    // page: 61 columns with the averages take 9 pages across.
    const auto title = words.find(QStringLiteral("[x=9"));
    ASSERT_NE(title, words.end());
    EXPECT_EQ(title->second.page, 8);
    // The title's top is 2 text heights down, the table's 4.
    const Word& heading = words.at(QStringLiteral("Tabela"));
    const double tableTop = 2 * heading.yMin - kMarginPt;

    for (int p = 1; p <= kPupils; ++p) {
        const int page = p <= 6 ? 0 : p / 7;
        const int position = p <= 6 ? p : p - 7 * page;  // the page's header column is position 0
        const double left = kMarginPt + (1 + 625 * position) * kPtPerPx;
        for (int row = 1; row <= 2; ++row) {
            const QString text = QStringLiteral("%1%2").arg(row == 1 ? 'N' : 'M').arg(p);
            SCOPED_TRACE(text.toStdString());
            const auto found = words.find(text);
            ASSERT_NE(found, words.end());
            const Word& w = found->second;
            const double top = tableTop + row * kCellHeightPt;
            EXPECT_EQ(w.page, page);
            EXPECT_GE(w.xMin, left - kTolerancePt);
            EXPECT_LE(w.xMax, left + kCellWidthPt + kTolerancePt);
            EXPECT_GE(w.yMin, top - kTolerancePt);
            EXPECT_LE(w.yMax, top + kCellHeightPt + kTolerancePt);
        }
    }
    // The phrase names only on the first page column.
    EXPECT_EQ(words.at(QStringLiteral("Uwagi")).page, 0);
    fs::remove_all(dir);
}

TEST(WkzTable, refusesWhatItCannotPrintAndLeavesNoFile)
{
    const fs::path dir =
        fs::temp_directory_path() / ("wkz-table-bad-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string wkz = std::string(WYKAZKI_BIN_DIR) + "/wkz table ";
    const std::string out = (dir / "t.pdf").string();
    const std::string sample = std::string(WYKAZKI_BIN_DIR) + "/Przyklad.wkz";
    EXPECT_EQ(run(wkz + sample + " -o " + out + " --size 5 2>/dev/null"), 2);
    EXPECT_EQ(run(wkz + sample + " -o " + out + " --colouring 3 2>/dev/null"), 2);
    EXPECT_EQ(run(wkz + sample + " 2>/dev/null"), 2);
    EXPECT_EQ(run(wkz + (dir / "missing.wkz").string() + " -o " + out + " 2>/dev/null"), 1);
    EXPECT_FALSE(fs::exists(out));
    EXPECT_EQ(run(wkz + sample + " -o " + out + " --size 900 --colouring 2 --no-left-headers"), 0);
    EXPECT_TRUE(fs::exists(out));
    fs::remove_all(dir);
}

}  // namespace

// The sheets printing accepts (1..1000 mm) are the table's too; any other
// gives printing's own message and an A4 table.
TEST(WkzTable, takesTheSheetsPrintingTakesAndSaysWhyElseA4)
{
    struct Case {
        int widthMm;
        const char* pageSize;  // pdfinfo's "Page size" in points
        bool told;
    };
    const Case cases[] = {{1000, "2835 x 842", false},
                          {300, "850 x 842", false},
                          {1001, "595 x 842", true},
                          {2000, "595 x 842", true},
                          {0, "595 x 842", true}};
    const fs::path dir =
        fs::temp_directory_path() / ("wkz-table-sheet-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string wkz = std::string(WYKAZKI_BIN_DIR) + "/wkz";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.widthMm);
        const QJsonObject json{
            {QStringLiteral("options"),
             QJsonObject{{QStringLiteral("width"), c.widthMm}, {QStringLiteral("height"), 297}}},
            {QStringLiteral("phrases"),
             QJsonArray{QJsonObject{{QStringLiteral("name"), QStringLiteral("a")}}}},
            // Appended: Clang reads QJsonArray{QJsonArray{...}} as a copy.
            {QStringLiteral("pupils"), QJsonArray() << QJsonArray{QJsonObject{}}}};
        std::ofstream(dir / "c.json") << QJsonDocument(json).toJson().toStdString();
        ASSERT_EQ(run(wkz + " build " + (dir / "c.json").string() + " -o "
                      + (dir / "c.wkz").string() + " 2>/dev/null"),
                  0);
        std::string said;
        ASSERT_EQ(run(wkz + " table " + (dir / "c.wkz").string() + " -o " + (dir / "c.pdf").string()
                          + " 2>&1",
                      &said),
                  0);
        EXPECT_EQ(said.find("poza zakresem od 1 do 1000 mm; tabela na arkuszu A4")
                      != std::string::npos,
                  c.told)
            << said;
        std::string info;
        run("pdfinfo " + (dir / "c.pdf").string(), &info);
        EXPECT_NE(info.find(std::string("Page size:       ") + c.pageSize), std::string::npos)
            << info;
    }
    fs::remove_all(dir);
}

}  // namespace wykazki
