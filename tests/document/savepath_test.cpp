// The save path on this system: a class file saved under any name (Polish
// letters in the file's and the folder's name) reads back the same, and a
// target that cannot be replaced keeps its bytes with nothing left beside
// it. The same tests run natively and, cross-built, under Windows.

#include "document/classfile.h"
#include "document/ekolmoerror.h"
#include "document/fileops.h"
#include "document/platformfile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
// Lean: the full header declares an enumerator Unknown of its own.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#endif

namespace wykazki {

namespace fs = std::filesystem;

namespace {

class SavePath : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path()
              / fs::path(u8"wykazki-zapis-"
                         + std::u8string(reinterpret_cast<const char8_t*>(
                             testing::UnitTest::GetInstance()->current_test_info()->name())));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
    static std::string slurp(const fs::path& p)
    {
        std::ifstream in(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static ClassFileContents sample()
    {
        ClassFileContents c;
        c.phrases.resize(2);
        c.phrases[0].name = "imi\xea i nazwisko";  // Windows-1250 "imię"
        c.pupils.resize(1, 2);
        c.pupils.value(0, 0).text = "\x8c"
                                    "wi\xea"
                                    "cicki";  // "Święcicki"
        return c;
    }
    std::size_t entries() const
    {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
    }

    fs::path dir;
};

TEST_F(SavePath, polishNamesSaveAndReadBack)
{
    const ClassFileContents c = sample();
    const std::u8string folders[] = {u8"", u8"Świadectwa 2026/", u8"żółć ĄĘ/"};
    const std::u8string names[] = {u8"klasa 7a.wkz", u8"Łódź – 8b.wkz", u8"źdźbło.wkz"};
    for (const std::u8string& folder : folders) {
        for (const std::u8string& name : names) {
            const fs::path p = dir / fs::path(folder + name);
            SCOPED_TRACE(reinterpret_cast<const char*>(p.u8string().c_str()));
            fs::create_directories(p.parent_path());
            saveClassFileAt(p, c);
            // A second save replaces the first one in place.
            saveClassFileAt(p, c);
            ClassFileContents back = readClassFileAt(p);
            back.version = c.version;
            EXPECT_EQ(back, c);
            EXPECT_EQ(slurp(p), writeClassFile(c));
        }
    }
    // Nothing but the files themselves is left in the folders.
    EXPECT_EQ(entries(), 5u);
}

TEST_F(SavePath, aTargetThatCannotBeReplacedKeepsItsBytes)
{
    struct Case {
        const char* what;
        std::function<void(const fs::path&)> hold;  // makes the target unreplaceable
        std::function<void()> release;
    };
    const fs::path target = dir / "klasa.wkz";
    std::vector<Case> cases = {
        {"a folder in its place",
         [](const fs::path& p) {
             fs::remove(p);
             fs::create_directories(p / "x");
         },
         [] {}},
    };
#ifdef _WIN32
    // Windows refuses to rename over a read-only file, and over one another
    // program holds open without sharing.
    cases.push_back(
        {"read-only",
         [](const fs::path& p) { ::SetFileAttributesW(p.c_str(), FILE_ATTRIBUTE_READONLY); },
         [&target] { ::SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL); }});
    static HANDLE held = INVALID_HANDLE_VALUE;
    cases.push_back({"open in another program",
                     [](const fs::path& p) {
                         held = ::CreateFileW(p.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                              FILE_ATTRIBUTE_NORMAL, nullptr);
                         ASSERT_NE(held, INVALID_HANDLE_VALUE);
                     },
                     [] { ::CloseHandle(held); }});
#endif
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(target);
        std::ofstream(target, std::ios::binary) << "old";
        c.hold(target);
        EXPECT_THROW(saveClassFileAt(target, sample()), EKolmoError);
        c.release();
        if (fs::is_regular_file(target)) {
            EXPECT_EQ(slurp(target), "old");
        }
        EXPECT_EQ(entries(), 1u) << "a temporary file was left behind";
    }
}

TEST_F(SavePath, picturesWithPolishNamesInAPolishFolder)
{
    // The program's string paths are UTF-8; document texts are Windows-1250.
    const fs::path folder = dir / fs::path(u8"Wychowawczyni Łucja");
    fs::create_directories(folder / fs::path(u8"obrazki"));
    const std::u8string u8folder = folder.u8string() + u8"/";
    const std::string programFolder(u8folder.begin(), u8folder.end());
    std::ofstream(folder / fs::path(u8"obrazki/źrebię.bmp"), std::ios::binary) << "BM";
    const auto found = findPicture(programFolder, "obrazki\\\x9f"
                                                  "rebi\xea");  // "źrebię"
    ASSERT_TRUE(found);
    EXPECT_TRUE(fs::is_regular_file(platformfile::pathFromUtf8(*found)));
}

#ifdef _WIN32
TEST_F(SavePath, hiddenAndArchiveMarksStayWithTheFile)
{
    const fs::path target = dir / "ukryta.wkz";
    std::ofstream(target, std::ios::binary) << "old";
    ASSERT_TRUE(
        ::SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
    saveClassFileAt(target, sample());
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_ARCHIVE);
    EXPECT_EQ(slurp(target), writeClassFile(sample()));
}
#endif

}  // namespace

}  // namespace wykazki
