// Runs the built wkz tool on hand-made class files and checks what it says.

#include "document/classfile.h"
#include "qtbridge/classfilelock.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
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

namespace wykazki {

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
        // A parameterised test's name holds a slash.
        std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::replace(name.begin(), name.end(), '/', '-');
        dir = fs::temp_directory_path() / ("wkz-test-" + std::to_string(::getpid()) + "-" + name);
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
    EXPECT_EQ(rebuilt.phrases, original.phrases);
    EXPECT_EQ(rebuilt.pupils, original.pupils);
}

// The sample class is clean; a remark of 30 lines in pupil 3's 40 mm box
// is named with the pupil and the phrase, and taking it back cleans it.
TEST_F(Wkz, checkNamesThePupilAndPhraseOfAnOverflow)
{
    const std::string sample = std::string(WYKAZKI_BIN_DIR) + "/Przyklad.wkz";
    const WkzRun clean = wkz("check " + sample);
    EXPECT_EQ(clean.exitCode, 0) << clean.out << clean.err;

    const WkzRun dump = wkz("dump " + sample);
    QJsonObject json = parse(dump.out);
    QJsonArray pupils = json[QStringLiteral("pupils")].toArray();
    QJsonArray third = pupils[2].toArray();
    QJsonObject remark = third[31].toObject();
    const QJsonValue original = remark[QStringLiteral("text")];
    QStringList lines;
    for (int i = 1; i <= 30; ++i)
        lines << QStringLiteral("Wiersz %1 uwag").arg(i);
    for (const QJsonValue& text : {QJsonValue(lines.join(QStringLiteral("\r\n"))), original}) {
        remark[QStringLiteral("text")] = text;
        third[31] = remark;
        pupils[2] = third;
        json[QStringLiteral("pupils")] = pupils;
        write("c.json", QJsonDocument(json).toJson().toStdString());
        ASSERT_EQ(
            wkz("build " + (dir / "c.json").string() + " -o " + (dir / "c.wkz").string()).exitCode,
            0);
        const WkzRun run = wkz("check " + (dir / "c.wkz").string() + " --page 2");
        if (text == original) {
            EXPECT_EQ(run.exitCode, 0) << run.out;
        } else {
            EXPECT_EQ(run.exitCode, 3);
            EXPECT_EQ(run.out, "3\tJulia Chmielewska\tszczeg. osiągnięcia\ttekst nie mieści się "
                               "w ramce o wysokości 40 mm\n");
        }
    }
    EXPECT_EQ(wkz("check " + corpus("v56.wkz") + " --page 5").exitCode, 2);
    EXPECT_EQ(wkz("check " + (dir / "none.wkz").string()).exitCode, 1);
}

TEST_F(Wkz, buildTakesDefaultsForMissingKeys)
{
    write("min.json",
          R"({"phrases": [{"name": "Zachowanie", "kind": 0}], "pupils": [[{"text": "wzorowe"}]]})");
    ASSERT_EQ(
        wkz("build " + (dir / "min.json").string() + " -o " + (dir / "m.wkz").string()).exitCode,
        0);
    const ClassFileContents c = readClassFileAt(dir / "m.wkz");
    EXPECT_EQ(c.phrases[0].fontName, "MS Sans Serif");
    EXPECT_EQ(c.phrases[0].fontSize, 10);
    EXPECT_EQ(c.pupils.value(0, 0).grade, 6);
    EXPECT_EQ(c.options.height, 297);
    EXPECT_EQ(c.options.wordings[5], "Celuj\xB9"
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
    c.phrases.resize(1000);
    for (TFra& f : c.phrases)
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
    c.phrases.resize(200);
    c.pupils.resize(2000, 200);
    const fs::path file = write("big.wkz", writeClassFile(c));
    const std::string limited = "ulimit -v 110000; exec " + std::string(WYKAZKI_BIN_DIR) + "/wkz ";
    ASSERT_EQ(wkz(limited + "info " + corpus("v56.wkz"), false).exitCode, 0)
        << "the limit leaves too little to start";
    const WkzRun run = wkz(limited + "info " + file.string(), false);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, " Za mało pamięci w komputerze\n");
}

// Sparse class files of 2 GiB: the version byte and the size are judged
// before anything else is read, within a small address space.
TEST_F(Wkz, hugeClassFilesAreRefusedWithoutReadingThem)
{
#if defined(__SANITIZE_ADDRESS__) || WYKAZKI_ADDRESS_SANITIZER
    const std::string limited = std::string(WYKAZKI_BIN_DIR) + "/wkz ";
#else
    const std::string limited = "ulimit -v 200000; exec " + std::string(WYKAZKI_BIN_DIR) + "/wkz ";
#endif
    const struct {
        char version;
        const char* err;
    } cases[] = {{0x7f, kVersionMessages}, {56, kReadMessage}};
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.version));
        const fs::path file = write("huge.wkz", std::string(1, c.version));
        fs::resize_file(file, std::uint64_t{2} << 30);
        const WkzRun run = wkz(limited + "info " + file.string(), false);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err, c.err);
    }
}

// A file-size limit (ulimit -f) cuts the write short: the old file stays,
// the temporary one goes, and wkz says so instead of dying of SIGXFSZ.
TEST_F(Wkz, aWriteCutByTheFileSizeLimitFailsAndKeepsTheOldFile)
{
    std::string json = R"({"phrases": [)";
    for (int i = 0; i < 3000; ++i)
        json += i ? ",{}" : "{}";
    write("in.json", json + "]}");
    write("out.wkz", "old");
    const WkzRun run = wkz("ulimit -f 16; exec " + std::string(WYKAZKI_BIN_DIR) + "/wkz build "
                               + (dir / "in.json").string() + " -o " + (dir / "out.wkz").string(),
                           false);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, " Zapis danych do archiwum nie powiódł się\n");
    EXPECT_EQ(slurp(dir / "out.wkz"), "old");
    // in.json, out.wkz and stderr.txt: no temporary file left.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 3);
}

// Report cards hold pupils' personal data: a PDF written over an existing
// file keeps its mode and group, a read-only one is refused and left as it
// is, a new one follows the umask; the name's bytes are kept as given.
TEST_F(Wkz, pdfOutputsKeepTheirPrivacy)
{
    const std::string sample = std::string(WYKAZKI_BIN_DIR) + "/Przyklad.wkz";
    const struct {
        const char* name;
        int existingMode;  // -1: no file yet
        int exitCode;
        int modeAfter;
    } cases[] = {
        {"private.pdf", 0600, 0, 0600},     {"group.pdf", 0640, 0, 0640},
        {"read-only.pdf", 0444, 1, 0444},   {"new.pdf", -1, 0, 0640},
        {"\xb6wiadectwa.pdf", -1, 0, 0640},  // Latin-2 "ś": no UTF-8
    };
    const bool root = ::geteuid() == 0;
    for (const char* command : {"print --pupils 1", "table"}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(command) + " -o " + c.name);
            const fs::path out = dir / c.name;
            if (c.existingMode >= 0) {
                write(c.name, "old");
                ASSERT_EQ(::chmod(out.c_str(), static_cast<mode_t>(c.existingMode)), 0);
                if (root) {
                    ASSERT_EQ(::chown(out.c_str(), 0, 4322), 0);
                }
            }
            const WkzRun run = wkz("umask 027; exec " + std::string(WYKAZKI_BIN_DIR) + "/wkz "
                                       + command + " " + sample + " -o '" + out.string() + "'",
                                   false);
            EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
            struct stat st {};
            ASSERT_EQ(::stat(out.c_str(), &st), 0);
            EXPECT_EQ(st.st_mode & 07777, static_cast<mode_t>(c.modeAfter));
            if (c.exitCode != 0) {
                EXPECT_NE(run.err.find("plik jest tylko do odczytu"), std::string::npos) << run.err;
                EXPECT_EQ(slurp(out), "old");
            } else {
                EXPECT_EQ(slurp(out).substr(0, 5), "%PDF-");
                if (root && c.existingMode >= 0) {
                    EXPECT_EQ(st.st_gid, 4322u);
                }
            }
            fs::remove(out);
            EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1)
                << "only stderr.txt is left";
        }
    }
}

// A picture folder named in Latin-2 bytes, which are no UTF-8: its
// pictures are found and printed, not taken for damaged.
TEST_F(Wkz, picturesAreFoundInFoldersNamedInAnyEncoding)
{
    const fs::path folder = dir / "\xb6wiad";
    fs::create_directory(folder);
    for (const char* picture : {"godlo.bmp", "logo.bmp"})
        fs::copy_file(fs::path(WYKAZKI_BIN_DIR) / picture, folder / picture);
    const WkzRun run = wkz(std::string("print ") + WYKAZKI_BIN_DIR + "/Przyklad.wkz --pupils 1 -o "
                           + (dir / "out.pdf").string() + " --pictures '" + folder.string() + "'");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "");
}

// Every word in text replaced as words says.
std::string expand(std::string text, const std::vector<std::pair<std::string, std::string>>& words)
{
    for (const auto& [word, replacement] : words)
        for (std::size_t at = text.find(word); at != std::string::npos;
             at = text.find(word, at + replacement.size()))
            text.replace(at, word.size(), replacement);
    return text;
}

// A command line (CLASS the sample class, OUT a file in the test's folder),
// the exit status and the first line said on standard error.
struct ArgumentsCase {
    const char* args;
    int exitCode;
    const char* said;
};

class WkzArguments : public Wkz, public ::testing::WithParamInterface<ArgumentsCase> {};

TEST_P(WkzArguments, sayWhatIsWrongAsWkzAlwaysHas)
{
    const ArgumentsCase& c = GetParam();
    const WkzRun run =
        wkz(expand(c.args, {{"CLASS", std::string(WYKAZKI_BIN_DIR) + "/Przyklad.wkz"},
                            {"OUT", (dir / "out.pdf").string()}}));
    EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
    EXPECT_EQ(run.err.substr(0, run.err.find('\n')), c.said);
    EXPECT_FALSE(fs::exists(dir / "out.pdf"));
}

// Only the spellings wkz lists are options: no "--page=2", "-page", "--o",
// "-ox.pdf" or "--", which the usual parsers take.
INSTANTIATE_TEST_SUITE_P(
    OnlyListedSpellings, WkzArguments,
    ::testing::Values(
        ArgumentsCase{"print CLASS -o OUT --page=2", 2, "wkz print: unknown option '--page=2'"},
        ArgumentsCase{"print CLASS -o OUT -page 2", 2, "wkz print: unknown option '-page'"},
        ArgumentsCase{"print CLASS --o OUT", 2, "wkz print: unknown option '--o'"},
        ArgumentsCase{"print CLASS -ox.pdf", 2, "wkz print: unknown option '-ox.pdf'"},
        ArgumentsCase{"print CLASS -o OUT -- --page 2", 2, "wkz print: unknown option '--'"},
        ArgumentsCase{"table CLASS -o OUT -help", 2, "wkz table: unknown option '-help'"},
        ArgumentsCase{"table CLASS -o OUT --h", 2, "wkz table: unknown option '--h'"},
        ArgumentsCase{"check CLASS --groups=1", 2, "wkz check: unknown option '--groups=1'"},
        ArgumentsCase{"check CLASS -", 2, "wkz check: unknown option '-'"},
        ArgumentsCase{"calibration -o OUT --left=3", 2,
                      "wkz calibration: nieznana opcja „--left=3”"},
        ArgumentsCase{"calibration -o OUT -", 2, "wkz calibration: nieoczekiwany argument „-”"},
        ArgumentsCase{"export CLASS -o x.csv --replace", 2,
                      "wkz export: nieznana opcja '--replace'"},
        ArgumentsCase{"import CLASS a.csv -o x.wkz --map=a", 2,
                      "wkz import: nieznana opcja '--map=a'"}));

// An option's value is the next argument, whatever it looks like.
INSTANTIATE_TEST_SUITE_P(
    ValuesLikeOptions, WkzArguments,
    ::testing::Values(ArgumentsCase{"print CLASS -o OUT --pictures -x", 2,
                                    "wkz print: --pictures: '-x' is not a folder"},
                      ArgumentsCase{"print CLASS -o OUT --pictures --page", 2,
                                    "wkz print: --pictures: '--page' is not a folder"},
                      ArgumentsCase{"print CLASS -o OUT --pictures --p=1", 2,
                                    "wkz print: --pictures: '--p=1' is not a folder"},
                      ArgumentsCase{"check CLASS --page -1", 2,
                                    "wkz check: --page must be 1, 2, 3 or 4, not '-1'"},
                      ArgumentsCase{
                          "calibration -o OUT --top -51", 2,
                          "wkz calibration: --top musi być liczbą całkowitą milimetrów od -50 do "
                          "500, a nie „-51”"}));

// An option named again: given twice, or (as each command has had it) its
// value missing when the last argument names it.
INSTANTIATE_TEST_SUITE_P(
    NamedAgain, WkzArguments,
    ::testing::Values(
        ArgumentsCase{"print CLASS -o OUT --page 1 --page", 2, "wkz print: --page given twice"},
        ArgumentsCase{"print CLASS -o OUT --page 5 --page 1", 2,
                      "wkz print: --page must be 1, 2, 3 or 4, not '5'"},
        ArgumentsCase{"table CLASS -o OUT --no-top-headers --no-top-headers -o", 2,
                      "wkz table: -o given twice"},
        ArgumentsCase{"check CLASS --page 1 --page", 2, "wkz check: --page needs a value"},
        ArgumentsCase{"check CLASS --page 1 --page 2", 2, "wkz check: --page given twice"},
        ArgumentsCase{"calibration -o OUT --top 1 --top", 2,
                      "wkz calibration: --top podano dwa razy"},
        ArgumentsCase{"export CLASS -o x.csv -o", 2, "wkz export: -o podano dwukrotnie"},
        ArgumentsCase{"export CLASS -o", 2, "wkz export: -o wymaga wartości"},
        ArgumentsCase{"build x.json -o a.wkz -o", 2,
                      "wkz: -o needs the name of the class file to write"},
        ArgumentsCase{"build x.json -o a.wkz -o b.wkz", 2, "wkz: -o given twice"}));

// Empty arguments before the class file are passed over; build and the
// reports take no options, so a dash begins a file name there.
INSTANTIATE_TEST_SUITE_P(
    FileArguments, WkzArguments,
    ::testing::Values(
        ArgumentsCase{"print '' CLASS ''", 2,
                      "wkz print: print takes one class file, unexpected ''"},
        ArgumentsCase{"print '' CLASS", 2, "wkz print: print needs -o OUT.pdf"},
        ArgumentsCase{"check '' '' --page 9", 2, "wkz check: --page must be 1, 2, 3 or 4, not '9'"},
        ArgumentsCase{"build --x -o OUT", 1, "wkz: cannot read --x"},
        ArgumentsCase{"build -o OUT -h", 1, "wkz: cannot read -h"},
        ArgumentsCase{"info --help=1", 1, " Odczyt danych z archiwum nie powiódł się"},
        ArgumentsCase{"dump -- CLASS", 2, "wkz: dump takes one class file"}));

// Names in Latin-2 bytes, which are no UTF-8, reach the file system as
// given: CLASS, JSON and OUT (its extension given) are such names.
struct ByteNameCase {
    const char* args;
    const char* extension;
};

class WkzByteNames : public Wkz, public ::testing::WithParamInterface<ByteNameCase> {};

TEST_P(WkzByteNames, reachTheFileSystemAsGiven)
{
    const fs::path classFile = dir
                               / "\xb3\xf3"
                                 "d\xbc.wkz";  // "łódź"
    fs::copy_file(fs::path(WYKAZKI_BIN_DIR) / "Przyklad.wkz", classFile);
    const fs::path json = write("\xb6.json", R"({"phrases": [{}]})");
    const fs::path out = dir / (std::string("\xa6wiadectwa") + GetParam().extension);
    const WkzRun run = wkz(expand(GetParam().args, {{"CLASS", "'" + classFile.string() + "'"},
                                                    {"JSON", "'" + json.string() + "'"},
                                                    {"OUT", "'" + out.string() + "'"}}));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    if (*GetParam().extension == '\0') {
        EXPECT_EQ(run.out.substr(0, run.out.find('\n')), "File:      " + classFile.string());
        return;
    }
    EXPECT_TRUE(fs::is_regular_file(out));
    // The class, the JSON, the output and the fixture's stderr.txt: nothing
    // under a name spelt otherwise.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 4);
}

INSTANTIATE_TEST_SUITE_P(EveryCommand, WkzByteNames,
                         ::testing::Values(ByteNameCase{"info CLASS", ""},
                                           ByteNameCase{"build JSON -o OUT", ".wkz"},
                                           ByteNameCase{"print CLASS --pupils 1 -o OUT", ".pdf"},
                                           ByteNameCase{"table CLASS -o OUT", ".pdf"},
                                           ByteNameCase{"calibration -o OUT --left -50", ".pdf"}));

// The PDF's title as wkz table stored it: UTF-16 in the document's
// information.
QString pdfTitle(const std::string& pdf)
{
    const std::string start = "/Title (\xfe\xff";
    const std::size_t from = pdf.find(start);
    if (from == std::string::npos)
        return {};
    const std::size_t begin = from + start.size();
    const std::size_t end = pdf.find(")\n", begin);
    QString title;
    for (std::size_t i = begin; i + 1 < end; i += 2)
        title += QChar(static_cast<char16_t>((static_cast<unsigned char>(pdf[i]) << 8)
                                             | static_cast<unsigned char>(pdf[i + 1])));
    return title;
}

// --title in the locale's encoding; a byte no character of it is the
// program's code page's (Windows-1250) character, and the C locale of a
// bare environment reads UTF-8.
TEST_F(Wkz, titlesAreReadInTheLocalesEncoding)
{
    const bool latin2 = std::system(("localedef -i pl_PL -f ISO-8859-2 "
                                     + (dir / "pl_PL.ISO-8859-2").string() + " >/dev/null 2>&1")
                                        .c_str())
                        == 0;
    const struct {
        const char* locale;
        const char* title;
    } cases[] = {
        {"C.UTF-8", "\xc5\x9awiadectwa"},
        {"C", "\xc5\x9awiadectwa"},
        {"C.UTF-8", "\x8cwiadectwa"},  // no UTF-8: Windows-1250 "Ś"
        {"pl_PL.ISO-8859-2", "\xa6wiadectwa"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.locale);
        if (std::string(c.locale) == "pl_PL.ISO-8859-2" && !latin2) {
            std::cerr << "no Latin-2 locale could be made; its case is left out\n";
            continue;
        }
        const fs::path out = dir / "title.pdf";
        // Only the made locale needs LOCPATH (glibc keeps its copy of the
        // path for the life of the process).
        const bool latin = std::string(c.locale) == "pl_PL.ISO-8859-2";
        const WkzRun run =
            wkz(std::string(latin ? "LOCPATH=" + dir.string() + " " : "") + "LC_ALL=" + c.locale
                    + " exec " + WYKAZKI_BIN_DIR + "/wkz table " + WYKAZKI_BIN_DIR
                    + "/Przyklad.wkz -o " + out.string() + " --title '" + c.title + "'",
                false);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(pdfTitle(slurp(out)), QStringLiteral("Świadectwa"));
    }
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

TEST_F(Wkz, buildLeavesAClassOpenInTheProgramAlone)
{
    write("in.json", R"({"phrases": [{}]})");
    const std::string out = (dir / "open.wkz").string();
    const std::string command = "build " + (dir / "in.json").string() + " -o " + out;
    ASSERT_EQ(wkz(command).exitCode, 0);
    const std::string before = slurp(out);
    {
        ClassFileLock program(out);
        ASSERT_EQ(program.tryLock(), ClassFileLock::State::Locked);
        write("in.json", R"({"phrases": [{}, {}]})");
        const WkzRun refused = wkz(command);
        EXPECT_EQ(refused.exitCode, 1);
        EXPECT_NE(refused.err.find("plik jest otwarty w programie Wykazki ("), std::string::npos)
            << refused.err;
        EXPECT_EQ(slurp(out), before);
    }
    EXPECT_EQ(wkz(command).exitCode, 0);
    EXPECT_NE(slurp(out), before);
    EXPECT_FALSE(fs::exists(ClassFileLock::lockPathFor(out)));
}

TEST(SampleClass, isBuiltIntoTheProgramFolderWithItsPictures)
{
    const fs::path folder = WYKAZKI_BIN_DIR;
    const ClassFileContents c = readClassFileAt(folder / "Przyklad.wkz");
    EXPECT_GE(c.pupils.count(), 20u);
    bool pages[2] = {false, false};
    int grades = 0;
    for (const TFra& f : c.phrases) {
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
        EXPECT_EQ(c.options.wordings[std::size_t(11 + i)], behaviour[i]);
}

}  // namespace wykazki
