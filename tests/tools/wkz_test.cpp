// Runs the built wkz tool on hand-made class files and checks what it says.

#include "document/classfile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

// GCC says __SANITIZE_ADDRESS__; Clang answers __has_feature.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define WYKAZKI_ADDRESS_SANITIZER 1
#endif
#endif
#ifndef WYKAZKI_ADDRESS_SANITIZER
#define WYKAZKI_ADDRESS_SANITIZER 0
#endif

namespace fs = std::filesystem;

namespace {

struct WkzRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

const fs::path kCorpus = WYKAZKI_FUZZ_CORPUS;

class Wkz : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path()
              / ("wkz-test-" + std::to_string(::getpid()) + "-"
                 + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    // args after "wkz"; with tool false, the whole shell command.
    WkzRun wkz(const std::string& args, bool tool = true)
    {
        const fs::path errFile = dir / "stderr.txt";
        const std::string command =
            (tool ? std::string(WYKAZKI_BIN_DIR) + "/wkz " + args : "(" + args + ")") + " 2>"
            + errFile.string();
        WkzRun run;
        FILE* pipe = ::popen(command.c_str(), "r");
        std::array<char, 4096> buf;
        std::size_t n;
        while ((n = std::fread(buf.data(), 1, buf.size(), pipe)) > 0)
            run.out.append(buf.data(), n);
        const int status = ::pclose(pipe);
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.err = slurp(errFile);
        return run;
    }

    static std::string slurp(const fs::path& p)
    {
        std::ifstream in(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    fs::path write(const std::string& name, const std::string& bytes)
    {
        fs::path p = dir / name;
        std::ofstream(p, std::ios::binary) << bytes;
        return p;
    }

    static std::string corpus(const char* name) { return (kCorpus / name).string(); }

    fs::path dir;
};

const char* const kVersionMessages =
    " Niewłaściwa wersja pliku z danymi\n Odczyt danych z archiwum nie powiódł się\n";
const char* const kReadMessage = " Odczyt danych z archiwum nie powiódł się\n";

QJsonObject parse(const std::string& json)
{
    QJsonParseError error;
    const auto doc = QJsonDocument::fromJson(QByteArray::fromStdString(json), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    return doc.object();
}

}  // namespace

TEST_F(Wkz, dumpReadsEveryVersionWithFieldsLinedUp)
{
    for (int version : {40, 54, 55, 56}) {
        SCOPED_TRACE(version);
        const WkzRun run = wkz("dump " + corpus(("v" + std::to_string(version) + ".wkz").c_str()));
        ASSERT_EQ(run.exitCode, 0) << run.err;
        const QJsonObject o = parse(run.out);
        EXPECT_EQ(o[QStringLiteral("version")].toInt(), version);
        const QJsonArray phrases = o[QStringLiteral("phrases")].toArray();
        ASSERT_EQ(phrases.size(), 3);
        const QJsonObject name = phrases[0].toObject();
        EXPECT_EQ(name[QStringLiteral("name")].toString(), QString::fromUtf8("Imię i nazwisko"));
        EXPECT_EQ(name[QStringLiteral("x0")].toInt(), 40);
        EXPECT_DOUBLE_EQ(name[QStringLiteral("y0")].toDouble(), 60.5);
        EXPECT_EQ(name[QStringLiteral("width")].toInt(), 120);
        EXPECT_EQ(name[QStringLiteral("align")].toInt(), 1);
        EXPECT_EQ(name[QStringLiteral("fontSize")].toInt(), 12);
        EXPECT_EQ(name[QStringLiteral("lineSpacing")].toDouble(), 0.0);
        EXPECT_EQ(phrases[1].toObject()[QStringLiteral("kind")].toInt(), 1);
        EXPECT_EQ(phrases[1].toObject()[QStringLiteral("page")].toInt(), 1);
        EXPECT_EQ(phrases[2].toObject()[QStringLiteral("picture")].toString(),
                  QStringLiteral("godlo"));
        EXPECT_EQ(phrases[2].toObject()[QStringLiteral("name")].toString(),
                  QString::fromUtf8("Godło"));
        const QJsonArray pupils = o[QStringLiteral("pupils")].toArray();
        ASSERT_EQ(pupils.size(), 2);
        EXPECT_EQ(pupils[0].toArray()[0].toObject()[QStringLiteral("text")].toString(),
                  QStringLiteral("Jan Kowalski"));
        EXPECT_EQ(pupils[0].toArray()[1].toObject()[QStringLiteral("grade")].toInt(), 4);
        EXPECT_EQ(pupils[1].toArray()[0].toObject()[QStringLiteral("text")].toString(),
                  QStringLiteral("Anna Nowak\r\nzdolna"));
        EXPECT_EQ(pupils[1].toArray()[2].toObject()[QStringLiteral("picture")].toString(),
                  QStringLiteral("inne.bmp"));
        const QJsonObject options = o[QStringLiteral("options")].toObject();
        EXPECT_EQ(options[QStringLiteral("width")].toInt(), 210);
        EXPECT_EQ(options[QStringLiteral("wordings")].toArray()[1].toString(),
                  QString::fromUtf8("Dopuszczający"));
        EXPECT_EQ(options[QStringLiteral("wordings")].toArray()[11].toString(),
                  QStringLiteral("wzorowe"));
        EXPECT_EQ(o[QStringLiteral("windows")].toObject()[QStringLiteral("main")].toArray(),
                  (QJsonArray{10, 10, 800, 600}));
        EXPECT_EQ(o[QStringLiteral("pupilGrid")]
                      .toObject()[QStringLiteral("columnWidths")]
                      .toArray()
                      .size(),
                  4);
        EXPECT_EQ(o[QStringLiteral("phraseGrid")].toObject()[QStringLiteral("fontName")].toString(),
                  QStringLiteral("Arial"));
    }
}

TEST_F(Wkz, dumpWritesFloatsShortestAndEveryKey)
{
    const WkzRun run = wkz("dump " + corpus("v56.wkz"));
    ASSERT_EQ(run.exitCode, 0);
    EXPECT_NE(run.out.find("\"y0\": 60.5,"), std::string::npos);
    EXPECT_NE(run.out.find("\"lineSpacing\": 0.0,"), std::string::npos);
    EXPECT_NE(run.out.find("\"text\": \"Anna Nowak\\r\\nzdolna\""), std::string::npos);
    const QJsonObject record = parse(run.out)[QStringLiteral("phrases")].toArray()[0].toObject();
    EXPECT_EQ(record.keys().size(), 19);
}

TEST_F(Wkz, gridMatchesTheMainWindowsTexts)
{
    const WkzRun run = wkz("grid " + corpus("v56.wkz"));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "\t1\t2\tŚrednia\n"
                       "Imię i nazwisko\tJan Kowalski\t\"Anna Nowak\nzdolna\"\t........\n"
                       "Matematyka\tBardzo dobry\tNieklasyfikowana\t5,00\n"
                       "Godło\t\tinne.bmp\t........\n"
                       "Średnia ucznia\t5,00\t........\t5,00\n");
}

TEST_F(Wkz, gridOfOddFiles)
{
    EXPECT_EQ(wkz("grid " + corpus("empty.wkz")).out, "\t........\n........\t........\n");
    // Poz 7 and zero bytes inside texts.
    EXPECT_EQ(wkz("grid " + corpus("poz7_zero.wkz")).out,
              "\t1\tŚrednia\nA\tx\t........\nŚrednia ucznia\t........\t........\n");
    const QJsonObject o = parse(wkz("dump " + corpus("poz7_zero.wkz")).out);
    EXPECT_EQ(o[QStringLiteral("phrases")].toArray()[0].toObject()[QStringLiteral("align")].toInt(),
              0);
    EXPECT_EQ(
        o[QStringLiteral("phrases")].toArray()[0].toObject()[QStringLiteral("name")].toString(),
        QStringLiteral("A"));
    // Pupils with too few or too many values are padded or cut.
    const QJsonObject uneven = parse(wkz("dump " + corpus("uneven.wkz")).out);
    for (const auto& pupil : uneven[QStringLiteral("pupils")].toArray())
        EXPECT_EQ(pupil.toArray().size(), 3);
}

TEST_F(Wkz, refusedFilesGiveTheProgramsMessagesAndExit1)
{
    std::string good;
    {
        std::ifstream in(corpus("v56.wkz"), std::ios::binary);
        good.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    for (int version : {39, 57}) {
        std::string bytes = good;
        bytes[0] = static_cast<char>(version);
        const WkzRun run = wkz("dump " + write("v.wkz", bytes).string());
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err, kVersionMessages);
        EXPECT_EQ(run.out, "");
    }
    const std::vector<std::pair<const char*, std::string>> broken = {
        {"truncated", good.substr(0, good.size() - 1)},
        {"cut in a record", good.substr(0, 40)},
        {"absurd phrase count", std::string("\x38\0\xff\xff\xff\xff", 6)},
        {"absurd pupil count", std::string("\x38\0\0\0\0\0\xff\xff\xff\x7f", 10)},
    };
    for (const auto& [what, bytes] : broken) {
        SCOPED_TRACE(what);
        for (const char* command : {"dump", "grid", "info"}) {
            const WkzRun run = wkz(std::string(command) + " " + write("b.wkz", bytes).string());
            EXPECT_EQ(run.exitCode, 1);
            EXPECT_EQ(run.err, kReadMessage);
        }
    }
    const WkzRun missing = wkz("info " + (dir / "none.wkz").string());
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.err, kReadMessage);
}

TEST_F(Wkz, buildOfDumpReproducesTheFile)
{
    for (const char* name : {"v55.wkz", "v56.wkz", "empty.wkz"}) {
        SCOPED_TRACE(name);
        const WkzRun dump = wkz(std::string("dump ") + corpus(name));
        ASSERT_EQ(dump.exitCode, 0);
        const fs::path json = write("d.json", dump.out);
        const WkzRun build = wkz("build " + json.string() + " -o " + (dir / "out.wkz").string());
        ASSERT_EQ(build.exitCode, 0) << build.err;
        std::string original = slurp(corpus(name));
        std::string rebuilt = slurp(dir / "out.wkz");
        ASSERT_FALSE(rebuilt.empty());
        EXPECT_EQ(rebuilt[0], 56);
        original[0] = rebuilt[0];
        EXPECT_EQ(rebuilt, original);
    }
    // Older files gain V-Korekta but read back the same.
    const WkzRun dump = wkz("dump " + corpus("v40.wkz"));
    write("d.json", dump.out);
    ASSERT_EQ(
        wkz("build " + (dir / "d.json").string() + " -o " + (dir / "out.wkz").string()).exitCode,
        0);
    auto rebuilt = readClassFileAt(dir / "out.wkz");
    auto original = readClassFileAt(corpus("v40.wkz"));
    EXPECT_EQ(rebuilt.frazy, original.frazy);
    EXPECT_EQ(rebuilt.dokumenty, original.dokumenty);
}

TEST_F(Wkz, buildTakesDefaultsForMissingKeys)
{
    write("min.json",
          R"({"phrases": [{"name": "Zachowanie", "kind": 0}], "pupils": [[{"text": "wzorowe"}]]})");
    ASSERT_EQ(
        wkz("build " + (dir / "min.json").string() + " -o " + (dir / "m.wkz").string()).exitCode,
        0);
    const ClassFileContents c = readClassFileAt(dir / "m.wkz");
    EXPECT_EQ(c.frazy[0].fontName, "MS Sans Serif");
    EXPECT_EQ(c.frazy[0].fontSize, 10);
    EXPECT_EQ(c.dokumenty.value(0, 0).grade, 6);
    EXPECT_EQ(c.opcje.height, 297);
    EXPECT_EQ(c.opcje.brzmienia[5], "Celuj\xB9"
                                    "cy");
}

TEST_F(Wkz, buildRefusesBadJsonNamingThePlaceAndWritesNothing)
{
    struct Case {
        const char* json;
        const char* place;
    };
    const Case cases[] = {
        {R"({"phrases": [{"name": "日本"}]})", "phrases[0].name"},
        {R"({"phrases": [{}, {"x0": 40000}]})", "phrases[1].x0"},
        {R"({"phrases": [{"kind": -1}]})", "phrases[0].kind"},
        {R"({"phrases": [{"y0": 1e300}]})", "phrases[0].y0"},
        {R"({"pupils": [[{"grade": 1.5}]]})", "pupils[0][0].grade"},
        {R"({"options": {"wordings": [1]}})", "options.wordings[0]"},
        {R"({"windows": {"main": [1, 2, 3]}})", "windows.main"},
        {R"({"pupilGrid": {"fontName": "0123456789012345678901234567890123"}})",
         "pupilGrid.fontName"},
        {"{\n  \"phrases\": [,]\n}", "line 2, column "},
        {R"({"phrases": [{}], "pupils": [[{}], [{}, {"text": "lost"}]]})",
         "pupils[1][1]: the pupil has 2 values but the class has 1 phrases"},
        {R"({"phrases": [{"name": "a\ud83d"}]})",
         "phrases[0].name: the text holds a lone UTF-16 surrogate (\\ud83d)"},
        {R"({"pupils": [[{"text": "\udc00b"}]]})", "pupils[0][0].text"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.json);
        write("bad.json", c.json);
        const WkzRun run =
            wkz("build " + (dir / "bad.json").string() + " -o " + (dir / "bad.wkz").string());
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_NE(run.err.find(c.place), std::string::npos) << run.err;
        EXPECT_FALSE(fs::exists(dir / "bad.wkz"));
    }
}

TEST_F(Wkz, usageErrorsExit2)
{
    EXPECT_EQ(wkz("").exitCode, 2);
    EXPECT_EQ(wkz("frobnicate x").exitCode, 2);
    EXPECT_EQ(wkz("dump").exitCode, 2);
    EXPECT_EQ(wkz("build in.json").exitCode, 2);
    EXPECT_EQ(wkz("build in.json -o").exitCode, 2);
}

TEST_F(Wkz, infoSummarisesTheClass)
{
    const WkzRun run = wkz("info " + corpus("v56.wkz"));
    ASSERT_EQ(run.exitCode, 0);
    EXPECT_NE(run.out.find("Elements:  3 (1 text, 1 grade, 1 picture)"), std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("Pupils:    2"), std::string::npos);
    EXPECT_NE(run.out.find("Average:   5,00"), std::string::npos);
}

TEST_F(Wkz, specialAndUnreadableInputsAreReadFailuresNotAborts)
{
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    std::vector<std::string> inputs = {dir.string(), (dir / "fifo").string()};
    for (const char* special : {"/dev/zero", "/proc/self/mem"})  // endless; an I/O error at once
        if (fs::exists(special))
            inputs.push_back(special);
    for (const std::string& input : inputs) {
        SCOPED_TRACE(input);
        for (const std::string command : {"info", "dump", "grid", "print"}) {
            SCOPED_TRACE(command);
            const std::string output =
                command == "print" ? " -o " + (dir / "out.pdf").string() : "";
            std::string line = "timeout 20 ";
            line.append(WYKAZKI_BIN_DIR).append("/wkz ").append(command);
            line.append(" ").append(input).append(output);
            const WkzRun run = wkz(line, false);
            EXPECT_EQ(run.exitCode, 1);
            EXPECT_EQ(run.err, kReadMessage);
        }
        const WkzRun build = wkz("timeout 20 " + std::string(WYKAZKI_BIN_DIR) + "/wkz build "
                                     + input + " -o " + (dir / "out.wkz").string(),
                                 false);
        EXPECT_EQ(build.exitCode, 1);
        EXPECT_FALSE(fs::exists(dir / "out.wkz"));
    }
}

TEST_F(Wkz, aSmallFileCannotMakeTheReaderTakeGigabytes)
{
    // 1,000 phrases and 10,000 pupils with no values: 88 KB that once
    // took 1.8 GB. Refused at once.
    // Phrase records with empty texts (48 bytes each), then the pupil count
    // and an empty value count for each pupil spliced in.
    ClassFileContents c;
    c.frazy.resize(1000);
    for (TFra& f : c.frazy)
        f.fontName.clear();
    std::string file = writeClassFile(c);
    const std::size_t tail = 2 + 4 + 1000 * 48;
    std::string pupils(4, '\0');
    const std::uint32_t count = 10000;
    std::memcpy(pupils.data(), &count, 4);
    pupils += std::string(std::size_t{4} * count, '\0');
    file = file.substr(0, tail) + pupils + file.substr(tail + 4);
    ASSERT_LT(file.size(), 100'000u);
    const WkzRun run = wkz("info " + write("amplified.wkz", file).string());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, kReadMessage);
}

TEST_F(Wkz, runningOutOfMemoryGivesTheProgramsMessage)
{
#if defined(__SANITIZE_ADDRESS__) || WYKAZKI_ADDRESS_SANITIZER
    GTEST_SKIP() << "the address sanitizer reserves more address space than any limit allows";
#endif
    // A sound class of 2,000 pupils x 200 phrases, but more than the
    // address-space limit below leaves once wkz has started (about 80 MB).
    ClassFileContents c;
    c.frazy.resize(200);
    c.dokumenty.resize(2000, 200);
    const fs::path file = write("big.wkz", writeClassFile(c));
    const std::string limited = "ulimit -v 110000; exec " + std::string(WYKAZKI_BIN_DIR) + "/wkz ";
    ASSERT_EQ(wkz(limited + "info " + corpus("v56.wkz"), false).exitCode, 0)
        << "the limit leaves too little to start";
    const WkzRun run = wkz(limited + "info " + file.string(), false);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, " Za mało pamięci w komputerze\n");
}

TEST_F(Wkz, buildAndTableNeverReplaceSpecialFiles)
{
    write("in.json", R"({"phrases": [{}]})");
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    fs::create_symlink(dir / "fifo", dir / "link.wkz");
    fs::create_directory(dir / "folder.wkz");
    for (const std::string& command :
         {"build " + (dir / "in.json").string(), "table " + corpus("v56.wkz")}) {
        for (const char* name : {"fifo", "link.wkz", "folder.wkz"}) {
            SCOPED_TRACE(command + " -o " + name);
            const WkzRun run = wkz(command + " -o " + (dir / name).string());
            EXPECT_EQ(run.exitCode, 1);
            EXPECT_NE(run.err.find("refusing to replace it"), std::string::npos) << run.err;
            EXPECT_TRUE(fs::is_fifo(dir / "fifo"));
            EXPECT_TRUE(fs::is_symlink(dir / "link.wkz"));
        }
    }
}

TEST(SampleClass, isBuiltIntoTheProgramFolderWithItsPictures)
{
    const fs::path folder = WYKAZKI_BIN_DIR;
    const ClassFileContents c = readClassFileAt(folder / "Przyklad.wkz");
    EXPECT_GE(c.dokumenty.count(), 20u);
    bool pages[2] = {false, false};
    int grades = 0;
    for (const TFra& f : c.frazy) {
        if (f.page == 0 || f.page == 1)
            pages[f.page] = true;
        grades += f.kind == PhraseKind::Grade;
        if (f.kind == PhraseKind::Picture) {
            std::string name = f.picture;
            if (name.size() < 4 || name[name.size() - 4] != '.')
                name += ".bmp";
            EXPECT_TRUE(fs::exists(folder / name)) << name;
        }
    }
    EXPECT_TRUE(pages[0] && pages[1]);
    EXPECT_GE(grades, 10);
    const char* const behaviour[] = {"wzorowe",  "bardzo dobre",   "dobre",
                                     "poprawne", "nieodpowiednie", "naganne"};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(c.opcje.brzmienia[std::size_t(11 + i)], behaviour[i]);
}
