#include "filebytes.h"

#include "document/classfile.h"
#include "document/ekolmoerror.h"
#include "document/fileops.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace wykazki {

namespace fs = std::filesystem;

namespace {

int readError(const std::string& bytes)
{
    try {
        readClassFile(std::string_view(bytes));
    } catch (const EKolmoError& e) {
        return e.code();
    }
    return -1;
}

FileBytes::Record sampleRecord()
{
    FileBytes::Record r;
    r.name = "Matematyka";
    r.kind = 1;
    r.text = "tekst";
    r.grade = 4;
    r.picture = "logo";
    r.x0 = 120;
    r.y0 = 45.5f;
    r.width = 60;
    r.height = 8;
    r.align = 2;
    r.fontName = "Times New Roman";
    r.fontSize = 12;
    r.fontColor = 0x00112233;
    r.bold = 1;
    r.italic = 0;
    r.underline = 1;
    r.strikeout = 0;
    r.lineSpacing = -1.5f;
    r.page = 1;
    return r;
}

// One phrase and two pupils, in a file of the given version.
std::string smallFile(int version)
{
    const bool k = version >= 55;
    FileBytes f;
    f.i8(static_cast<std::int8_t>(version)).u8(0);
    f.u32(1).record(sampleRecord(), k);
    FileBytes::Record v1;
    v1.grade = 5;
    v1.lineSpacing = 2.0f;
    FileBytes::Record v2;
    v2.text = "Jan";
    f.u32(2).u32(1).record(v1, k).u32(1).record(v2, k);
    f.tail();
    return f.bytes;
}

void expectTail(const ClassFileContents& c)
{
    EXPECT_EQ(c.options.left, 3);
    EXPECT_EQ(c.options.top, -4);
    EXPECT_EQ(c.options.width, 200);
    EXPECT_EQ(c.options.height, 290);
    EXPECT_EQ(c.options.wordings[0], "w0");
    EXPECT_EQ(c.options.wordings[20], "w20");
    EXPECT_EQ(c.screen.main, (WindowRect{1, 2, 3, 4}));
    EXPECT_EQ(c.screen.phraseEditor, (WindowRect{5, 6, 7, 8}));
    EXPECT_EQ(c.screen.tablePrint, (WindowRect{9, 10, 11, 12}));
    EXPECT_EQ(c.screen.preview, (WindowRect{13, 14, 15, 16}));
    EXPECT_EQ(c.screen.printOptions, (WindowRect{17, 18, 19, 20}));
    EXPECT_EQ(c.screen.pupilGrid.fontName, "Arial");
    EXPECT_EQ(c.screen.pupilGrid.fontSize, 9);
    EXPECT_EQ(c.screen.pupilGrid.bold, 1);
    EXPECT_EQ(c.screen.pupilGrid.underline, 1);
    EXPECT_EQ(c.screen.pupilGrid.fontColor, 0x112233u);
    EXPECT_EQ(c.screen.pupilGrid.cellWidth, 90);
    EXPECT_EQ(c.screen.pupilGrid.cellHeight, 15);
    EXPECT_EQ(c.screen.pupilGrid.align, 2);
    EXPECT_EQ(c.screen.pupilGrid.columnWidths, (std::vector<std::int32_t>{60, 61}));
    EXPECT_EQ(c.screen.pupilGrid.rowHeights, (std::vector<std::int32_t>{14, 15}));
    EXPECT_EQ(c.screen.phraseGrid.fontName, "Courier");
    EXPECT_EQ(c.screen.phraseGrid.columnWidths, (std::vector<std::int32_t>{60, 61, 62}));
    EXPECT_EQ(c.screen.phraseGrid.rowHeights, (std::vector<std::int32_t>{14}));
}

}  // namespace

TEST(ClassFileLayout, emptyDocumentIsWrittenByteForByte)
{
    ClassFileContents c;
    const std::string written = writeClassFile(c);

    FileBytes f;
    f.i8(56).u8(0).u32(0).u32(0).i32(0).i32(0).i32(210).i32(297);
    for (const auto& w : TOpcje::defaultWordings())
        f.text(w);
    GridLayout g;  // defaults
    auto layout = [&](FileBytes& b) {
        b.u32(0)
            .i32(g.fontSize)
            .u8(0)
            .u8(0)
            .u8(0)
            .u8(0)
            .u32(0)
            .i32(100)
            .i32(14)
            .u32(0xC0C0C0)
            .u32(0x00FFFF);
        b.u8(0).u8(0).u8(0).u8(0).u32(2).i32(100).i32(100).u32(2).i32(14).i32(14);
    };
    f.rect(0, 0, 0, 0);
    layout(f);
    f.rect(0, 0, 0, 0);
    layout(f);
    f.rect(0, 0, 0, 0).rect(0, 0, 0, 0).rect(0, 0, 0, 0);
    EXPECT_EQ(written, f.bytes);
}

TEST(ClassFileLayout, recordWithEmptyTextsTakes48Bytes)
{
    ClassFileContents c;
    c.phrases.resize(1);
    c.phrases[0].fontName.clear();
    ClassFileContents two = c;
    two.phrases.resize(2);
    two.phrases[1].fontName.clear();
    EXPECT_EQ(writeClassFile(two).size() - writeClassFile(c).size(), 48u);
}

TEST(ClassFileLayout, recordFieldsAreWrittenInOrder)
{
    const auto r = sampleRecord();
    ClassFileContents c;
    c.phrases.resize(1);
    TFra& f = c.phrases[0];
    f.name = r.name;
    f.kind = PhraseKind{r.kind};
    f.text = r.text;
    f.grade = r.grade;
    f.picture = r.picture;
    f.x0 = r.x0;
    f.y0 = r.y0;
    f.width = r.width;
    f.height = r.height;
    f.align = r.align;
    f.fontName = r.fontName;
    f.fontSize = r.fontSize;
    f.fontColor = r.fontColor;
    f.bold = r.bold;
    f.italic = r.italic;
    f.underline = r.underline;
    f.strikeout = r.strikeout;
    f.lineSpacing = r.lineSpacing;
    f.page = r.page;

    FileBytes expected;
    expected.i8(56).u8(0).u32(1).record(r, true);
    EXPECT_EQ(writeClassFile(c).substr(0, expected.bytes.size()), expected.bytes);
}

TEST(ClassFileVersions, readsEveryAcceptedVersionWithItemsLinedUp)
{
    for (int version : {40, 54, 55, 56}) {
        SCOPED_TRACE(version);
        const ClassFileContents c = readClassFile(std::string_view(smallFile(version)));
        EXPECT_EQ(c.version, version);
        ASSERT_EQ(c.phrases.count(), 1u);
        const TFra& p = c.phrases[0];
        EXPECT_EQ(p.name, "Matematyka");
        EXPECT_EQ(p.kind, PhraseKind::Grade);
        EXPECT_EQ(p.x0, 120);
        EXPECT_FLOAT_EQ(p.y0, 45.5f);
        EXPECT_EQ(p.align, 2);
        EXPECT_EQ(p.fontName, "Times New Roman");
        EXPECT_EQ(p.page, 1);
        // Without V-Korekta in the file the record keeps a fresh record's 0.
        EXPECT_FLOAT_EQ(p.lineSpacing, version >= 55 ? -1.5f : 0.0f);
        ASSERT_EQ(c.pupils.count(), 2u);
        EXPECT_EQ(c.pupils.value(0, 0).grade, 5);
        EXPECT_FLOAT_EQ(c.pupils.value(0, 0).lineSpacing, version >= 55 ? 2.0f : 0.0f);
        EXPECT_EQ(c.pupils.value(1, 0).text, "Jan");
        expectTail(c);
    }
}

TEST(ClassFileVersions, refusesVersionsOutside40To56BeforeReadingAnything)
{
    for (int version : {39, 57, 0, -1, 127, -128}) {
        SCOPED_TRACE(version);
        std::string bytes = smallFile(56);
        bytes[0] = static_cast<char>(version);
        EXPECT_EQ(readError(bytes), ErrorCode::WrongVersion);
    }
    EXPECT_EQ(readFailureCodes(ErrorCode::WrongVersion),
              (std::vector<ErrorCode>{ErrorCode::WrongVersion, ErrorCode::ReadFailed}));
    EXPECT_EQ(readFailureCodes(ErrorCode::ReadFailed),
              (std::vector<ErrorCode>{ErrorCode::ReadFailed}));
}

TEST(ClassFileVersions, writerAlwaysPutsDownVersion56)
{
    const ClassFileContents old = readClassFile(std::string_view(smallFile(54)));
    const std::string written = writeClassFile(old);
    EXPECT_EQ(written[0], 56);
    const ClassFileContents again = readClassFile(std::string_view(written));
    EXPECT_EQ(again.phrases, old.phrases);
    EXPECT_EQ(again.pupils, old.pupils);
}

TEST(ClassFileRefused, everyTruncationIsAReadFailure)
{
    for (int version : {54, 56}) {
        const std::string bytes = smallFile(version);
        for (std::size_t n = 1; n < bytes.size(); ++n)
            ASSERT_EQ(readError(bytes.substr(0, n)), ErrorCode::ReadFailed)
                << "version " << version << ", length " << n;
        EXPECT_EQ(readError(bytes), -1);
    }
    EXPECT_EQ(readError(""), ErrorCode::ReadFailed);
}

TEST(ClassFileRefused, absurdCountsFailAtOnce)
{
    struct Case {
        const char* what;
        std::string bytes;
    };
    std::vector<Case> cases;
    cases.push_back({"phrase count", FileBytes().i8(56).u8(0).u32(0xFFFFFFFF).bytes});
    cases.push_back(
        {"phrase count just too large", FileBytes().i8(56).u8(0).u32(2).record({}, true).bytes});
    cases.push_back({"pupil count", FileBytes().i8(56).u8(0).u32(0).u32(0x40000000).bytes});
    cases.push_back({"value count", FileBytes().i8(56).u8(0).u32(0).u32(1).u32(0x7FFFFFFF).bytes});
    cases.push_back({"text length", FileBytes().i8(56).u8(0).u32(1).u32(0xFFFFFFF0).bytes});
    {
        FileBytes f;
        f.i8(56).u8(0).u32(0).u32(0).options(0, 0, 210, 297).rect(0, 0, 0, 0);
        f.u32(32);
        f.bytes += std::string(200, 'x');
        cases.push_back({"font name length 32", f.bytes});
    }
    {
        FileBytes f;
        f.i8(56).u8(0).u32(0).u32(0).options(0, 0, 210, 297).rect(0, 0, 0, 0).layout("A", 5001, 1);
        cases.push_back({"5001 columns", f.bytes + std::string(100000, '\0')});
    }
    {
        FileBytes f;
        f.i8(56).u8(0).u32(0).u32(0).options(0, 0, 210, 297).rect(0, 0, 0, 0).layout("A", 2, 5001);
        cases.push_back({"5001 rows", f.bytes + std::string(100000, '\0')});
    }
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(readError(c.bytes), ErrorCode::ReadFailed);
    }
}

TEST(ClassFileRefused, layoutAtTheLimitsIsAccepted)
{
    FileBytes f;
    f.i8(56).u8(0).u32(0).u32(0).options(0, 0, 210, 297).rect(0, 0, 0, 0);
    f.layout(std::string(31, 'F'), 5000, 5000);
    f.rect(0, 0, 0, 0).layout().rect(0, 0, 0, 0).rect(0, 0, 0, 0).rect(0, 0, 0, 0);
    const ClassFileContents c = readClassFile(std::string_view(f.bytes));
    EXPECT_EQ(c.screen.pupilGrid.fontName.size(), 31u);
    EXPECT_EQ(c.screen.pupilGrid.columnWidths.size(), 5000u);
}

TEST(ClassFileRecords, alignmentOutside0To2ReadsAs0)
{
    for (const std::int16_t poz :
         {std::int16_t{3}, std::int16_t{7}, std::int16_t{-1}, std::int16_t{32767}}) {
        FileBytes::Record r;
        r.align = poz;
        FileBytes f;
        f.i8(56).u8(0).u32(1).record(r, true).u32(0).tail();
        EXPECT_EQ(readClassFile(std::string_view(f.bytes)).phrases[0].align, 0) << poz;
    }
}

TEST(ClassFileRecords, zeroByteEndsATextButAllBytesAreConsumed)
{
    FileBytes::Record r;
    r.name = std::string("Pol\0ski", 7);
    r.text = std::string("\0abc", 4);
    r.x0 = 77;
    FileBytes f;
    f.i8(56).u8(0).u32(1).record(r, true).u32(0).tail();
    const ClassFileContents c = readClassFile(std::string_view(f.bytes));
    EXPECT_EQ(c.phrases[0].name, "Pol");
    EXPECT_EQ(c.phrases[0].text, "");
    EXPECT_EQ(c.phrases[0].x0, 77);
    expectTail(c);
}

TEST(ClassFileRecords, pupilsArePaddedOrCutToThePhraseCount)
{
    FileBytes::Record a, b, extra;
    a.text = "a";
    b.text = "b";
    extra.text = "extra";
    FileBytes f;
    f.i8(56).u8(0).u32(2).record({}, true).record({}, true);
    f.u32(3);
    f.u32(0);                                                      // no values at all
    f.u32(1).record(a, true);                                      // one short
    f.u32(3).record(a, true).record(b, true).record(extra, true);  // one too many
    f.tail();
    const ClassFileContents c = readClassFile(std::string_view(f.bytes));
    ASSERT_EQ(c.pupils.count(), 3u);
    for (const TDok& pupil : c.pupils)
        EXPECT_EQ(pupil.values.count(), 2u);
    EXPECT_EQ(c.pupils.value(0, 1), TFra{});
    EXPECT_EQ(c.pupils.value(1, 0).text, "a");
    EXPECT_EQ(c.pupils.value(1, 1), TFra{});
    EXPECT_EQ(c.pupils.value(2, 1).text, "b");
    expectTail(c);
}

TEST(ClassFileRoundTrip, writeReadWriteGivesTheSameBytes)
{
    const ClassFileContents first = readClassFile(std::string_view(smallFile(56)));
    const std::string once = writeClassFile(first);
    EXPECT_EQ(once, smallFile(56));
    const ClassFileContents second = readClassFile(std::string_view(once));
    EXPECT_EQ(second, first);
    EXPECT_EQ(writeClassFile(second), once);
}

TEST(ClassFileRoundTrip, streamsCarryTheSameBytes)
{
    const ClassFileContents c = readClassFile(std::string_view(smallFile(55)));
    std::stringstream s;
    writeClassFile(s, c);
    EXPECT_EQ(readClassFile(s).phrases, c.phrases);
}

TEST(ClassFileRoundTrip, gridLayoutBlockAlone)
{
    GridLayout g;
    g.fontName = "Tahoma";
    g.columnWidths = {10, 20, 30};
    g.rowHeights = {5};
    g.align = 1;
    const std::string bytes = writeGridLayout(g);
    EXPECT_EQ(readGridLayout(bytes), g);
    EXPECT_THROW(readGridLayout(bytes.substr(0, bytes.size() - 1)), EKolmoError);
}

class ClassFileOnDisk : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir =
            fs::temp_directory_path()
            / ("wykazki-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed())
               + "-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    static std::string slurp(const fs::path& p)
    {
        std::ifstream in(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    fs::path dir;
};

TEST_F(ClassFileOnDisk, saveReplacesTheFileAndLeavesNoTemporaryBehind)
{
    const fs::path target = dir / "klasa.wkz";
    std::ofstream(target) << "old";
    const ClassFileContents c = readClassFile(std::string_view(smallFile(56)));
    saveClassFileAt(target, c);
    EXPECT_EQ(slurp(target), writeClassFile(c));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
    EXPECT_EQ(readClassFileAt(target), c);
}

TEST_F(ClassFileOnDisk, failedSaveKeepsTheOldFile)
{
    const fs::path target = dir / "klasa.wkz";
    std::ofstream(target) << "old contents";
    ClassFileContents c;
    // A folder where the file should be: the rename cannot replace it.
    const fs::path blocked = dir / "blocked.wkz";
    fs::create_directory(blocked);
    fs::create_directory(blocked / "inside");
    try {
        saveClassFileAt(blocked, c);
        FAIL() << "saving over a folder succeeded";
    } catch (const EKolmoError& e) {
        EXPECT_EQ(e.code(), ErrorCode::WriteFailed);
    }
    // A folder that does not exist: nothing can be created.
    EXPECT_THROW(saveClassFileAt(dir / "missing" / "x.wkz", c), EKolmoError);
    EXPECT_EQ(slurp(target), "old contents");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 2);
}

TEST_F(ClassFileOnDisk, missingFileIsAReadFailure)
{
    try {
        readClassFileAt(dir / "none.wkz");
        FAIL();
    } catch (const EKolmoError& e) {
        EXPECT_EQ(e.code(), ErrorCode::ReadFailed);
    }
}

TEST_F(ClassFileOnDisk, saveCopyAsWritesIntoTheProgramFolder)
{
    const std::string folder = dir.string() + "/";
    EXPECT_EQ(copyPath(folder, "3a"), folder + "3a.wkz");
    ClassFileContents c;
    c.phrases.resize(2);
    saveCopyAs(folder, "3a", c);
    EXPECT_EQ(readClassFileAt(folder + "3a.wkz").phrases.count(), 2u);
}

TEST_F(ClassFileOnDisk, pictureLookupAppendsBmpOnlyWithoutAnExtension)
{
    const std::string folder = dir.string() + "/";
    EXPECT_EQ(picturePath(folder, "logo"), folder + "logo.bmp");
    EXPECT_EQ(picturePath(folder, "logo.bmp"), folder + "logo.bmp");
    EXPECT_EQ(picturePath(folder, "a.jpg"), folder + "a.jpg");
    EXPECT_EQ(picturePath(folder, "a.jpeg"), folder + "a.jpeg");
    EXPECT_EQ(picturePath(folder, "a.JPEG"), folder + "a.JPEG");
    EXPECT_EQ(picturePath(folder, "apeg"), folder + "apeg.bmp");
    EXPECT_EQ(picturePath("", "ab"), "ab");  // too short to have an extension
    EXPECT_FALSE(findPicture(folder, "logo"));
    std::ofstream(dir / "logo.bmp") << "BM";
    EXPECT_EQ(findPicture(folder, "logo"), folder + "logo.bmp");
}

}  // namespace wykazki
