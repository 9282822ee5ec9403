// Damaged and hostile class files and paths: memory bounded by the file,
// special files refused before reading, saves that keep the file's
// identity, and picture names confined to the program folder.

#include "filebytes.h"

#include "document/classfile.h"
#include "document/ekolmoerror.h"
#include "document/fileops.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>

#include <sys/stat.h>
#include <unistd.h>

namespace wykazki {

namespace fs = std::filesystem;

namespace {

// phrases records with empty texts, then pupils each storing `stored` values.
std::string paddedFile(std::uint32_t phrases, std::uint32_t pupils, std::uint32_t stored)
{
    FileBytes f;
    f.i8(56).u8(0).u32(phrases);
    for (std::uint32_t j = 0; j < phrases; ++j)
        f.record({}, true);
    f.u32(pupils);
    for (std::uint32_t i = 0; i < pupils; ++i) {
        f.u32(stored);
        for (std::uint32_t j = 0; j < stored; ++j)
            f.record({}, true);
    }
    f.tail();
    return f.bytes;
}

int readCode(const std::string& bytes, std::size_t allowance)
{
    try {
        readClassFile(std::string_view(bytes), allowance);
    } catch (const EKolmoError& e) {
        return e.code();
    }
    return -1;
}

TEST(ClassFileMemory, recordsNotInTheFileAreAllowedOnlyUpToAFixedTotal)
{
    struct Case {
        const char* what;
        std::uint32_t phrases, pupils, stored;
        std::size_t allowance;
        int code;  // -1: read
    };
    const Case cases[] = {
        {"padding exactly the allowance", 10, 10, 0, 100, -1},
        {"one record beyond it", 10, 11, 0, 100, ErrorCode::ReadFailed},
        {"partly stored pupils add up", 10, 21, 5, 100, ErrorCode::ReadFailed},
        {"a class stored in full needs no allowance", 10, 300, 10, 0, -1},
        {"extra values are read past, not padded", 3, 5, 7, 0, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(readCode(paddedFile(c.phrases, c.pupils, c.stored), c.allowance), c.code);
    }
    // The default admits 50 pupils x 5,000 phrases with no value stored;
    // 28 KB declaring a million missing values are refused.
    EXPECT_EQ(readCode(paddedFile(5000, 50, 0), kPaddingAllowance), -1);
    EXPECT_EQ(readCode(paddedFile(300, 3500, 0), kPaddingAllowance), ErrorCode::ReadFailed);
}

TEST(ClassFileMemory, trailingBytesAfterACompleteFileAreIgnored)
{
    const std::string bytes = paddedFile(2, 2, 2);
    EXPECT_EQ(readClassFile(std::string_view(bytes + "older programs left this")),
              readClassFile(bytes));
}

class HostileFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path()
              / ("wykazki-hostile-" + std::to_string(::getpid()) + "-"
                 + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    static std::string slurp(const fs::path& p)
    {
        std::ifstream in(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static unsigned mode(const fs::path& p)
    {
        struct stat st {};
        ::lstat(p.c_str(), &st);
        return st.st_mode & 07777;
    }
    static ClassFileContents sample(std::size_t phrases)
    {
        ClassFileContents c;
        c.phrases.resize(phrases);
        return c;
    }

    fs::path dir;
};

TEST_F(HostileFiles, pathsThatAreNotRegularFilesAreRefusedWithoutReading)
{
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    fs::create_symlink(dir / "fifo", dir / "link-to-fifo");
    std::vector<fs::path> paths = {dir, dir / "fifo", dir / "link-to-fifo", dir / "none.wkz"};
    for (const char* special :
         {"/dev/zero", "/dev/null", "/proc/self/mem"})  // the last fails with EIO
        if (fs::exists(special))
            paths.emplace_back(special);
    for (const fs::path& p : paths) {
        SCOPED_TRACE(p.string());
        // A read that blocks or never ends would not come back in time.
        auto read = std::async(std::launch::async, [p]() -> int {
            try {
                readClassFileAt(p);
            } catch (const EKolmoError& e) {
                return e.code();
            }
            return -1;
        });
        ASSERT_EQ(read.wait_for(std::chrono::seconds(10)), std::future_status::ready);
        EXPECT_EQ(read.get(), ErrorCode::ReadFailed);
    }
}

// Sparse files: the size the file claims, on no disk. A file is judged by
// its version byte, then by its size, and read only as far as it is parsed.
TEST_F(HostileFiles, largeFilesAreJudgedByVersionAndSizeBeforeTheRestIsRead)
{
    const std::string emptyClass = paddedFile(0, 0, 0);
    const struct {
        const char* what;
        char version;
        std::uint64_t size;
        int code;  // -1: read
    } cases[] = {
        {"2 GiB of another kind", 0, std::uint64_t{2} << 30, ErrorCode::WrongVersion},
        {"2 GiB class", 56, std::uint64_t{2} << 30, ErrorCode::ReadFailed},
        {"one byte beyond the largest class", 56, kMaxClassFileBytes + 1, ErrorCode::ReadFailed},
        {"the largest class, read as far as it goes", 56, kMaxClassFileBytes, -1},
        {"a version 40 file of the largest size", 40, kMaxClassFileBytes, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const fs::path p = dir / "sparse.wkz";
        std::string head = emptyClass;
        head[0] = c.version;
        std::ofstream(p, std::ios::binary) << head;
        fs::resize_file(p, c.size);
        int code = -1;
        try {
            EXPECT_EQ(readClassFileAt(p).version, c.version);
        } catch (const EKolmoError& e) {
            code = e.code();
        }
        EXPECT_EQ(code, c.code);
        fs::remove(p);
    }
}

TEST_F(HostileFiles, savesKeepPermissionsAndWriteThroughLinks)
{
    const ClassFileContents c = sample(3);
    const std::string bytes = writeClassFile(c);
    for (unsigned bits : {0600u, 0640u, 0604u}) {
        SCOPED_TRACE(bits);
        const fs::path p = dir / "klasa.wkz";
        std::ofstream(p) << "old";
        ASSERT_EQ(::chmod(p.c_str(), bits), 0);
        saveClassFileAt(p, c);
        EXPECT_EQ(mode(p), bits);
        EXPECT_EQ(slurp(p), bytes);
    }

    // Links, absolute and relative, and a dangling one, are saved through.
    fs::create_directories(dir / "real");
    std::ofstream(dir / "real" / "a.wkz") << "old";
    fs::create_symlink(dir / "real" / "a.wkz", dir / "absolute.wkz");
    fs::create_symlink("real/a.wkz", dir / "relative.wkz");
    fs::create_symlink("real/new.wkz", dir / "dangling.wkz");
    for (const char* link : {"absolute.wkz", "relative.wkz"}) {
        SCOPED_TRACE(link);
        fs::resize_file(dir / "real" / "a.wkz", 0);
        saveClassFileAt(dir / link, c);
        EXPECT_TRUE(fs::is_symlink(dir / link));
        EXPECT_EQ(slurp(dir / "real" / "a.wkz"), bytes);
    }
    saveClassFileAt(dir / "dangling.wkz", c);
    EXPECT_TRUE(fs::is_symlink(dir / "dangling.wkz"));
    EXPECT_EQ(slurp(dir / "real" / "new.wkz"), bytes);
    // Nothing left behind in either folder.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "real"), fs::directory_iterator()), 2);

    // A name as long as the file system allows still saves.
    const fs::path longName = dir / (std::string(246, 'k') + ".wkz");
    saveClassFileAt(longName, c);
    EXPECT_EQ(slurp(longName), bytes);
}

TEST_F(HostileFiles, newFilesFollowTheUmaskWhichSavingLeavesAlone)
{
    const mode_t previous = ::umask(027);
    saveClassFileAt(dir / "new.wkz", sample(1));
    const mode_t during = ::umask(previous);
    EXPECT_EQ(during, 027u);
    EXPECT_EQ(mode(dir / "new.wkz"), 0640u);
}

TEST_F(HostileFiles, savesKeepTheOwnerWhereTheProcessMay)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root may give a file to another user";
    const fs::path p = dir / "klasa.wkz";
    std::ofstream(p) << "old";
    ASSERT_EQ(::chown(p.c_str(), 4321, 4322), 0);
    saveClassFileAt(p, sample(1));
    struct stat st {};
    ASSERT_EQ(::stat(p.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 4321u);
    EXPECT_EQ(st.st_gid, 4322u);
}

TEST_F(HostileFiles, specialFilesAreNeverReplacedBySaving)
{
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    fs::create_symlink(dir / "fifo", dir / "link");
    for (const char* name : {"fifo", "link"}) {
        SCOPED_TRACE(name);
        EXPECT_THROW(saveClassFileAt(dir / name, sample(1)), EKolmoError);
        EXPECT_TRUE(fs::is_fifo(dir / "fifo"));
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 2);
}

TEST_F(HostileFiles, pictureNamesStayInsideTheProgramFolder)
{
    const fs::path program = dir / "program";
    fs::create_directories(program / "obrazki");
    std::ofstream(program / "godlo.bmp") << "BM";
    std::ofstream(program / "obrazki" / "herb.bmp") << "BM";
    std::ofstream(dir / "secret.bmp") << "BM";
    fs::create_symlink(dir / "secret.bmp", program / "out.bmp");
    fs::create_symlink(program / "godlo.bmp", program / "in.bmp");
    fs::create_symlink(dir, program / "up");
    const std::string folder = program.string() + "/";

    struct Case {
        const char* name;
        const char* found;  // relative to the folder, nullptr: treated as missing
    };
    const Case cases[] = {
        {"godlo", "godlo.bmp"},
        {"obrazki\\herb.bmp", "obrazki/herb.bmp"},
        {"obrazki/herb", "obrazki/herb.bmp"},
        {"obrazki/../godlo.bmp", "obrazki/../godlo.bmp"},
        {"in.bmp", "in.bmp"},
        {"../secret.bmp", nullptr},
        {"..\\secret.bmp", nullptr},
        {"obrazki/../../secret.bmp", nullptr},
        {"out.bmp", nullptr},
        {"up/secret.bmp", nullptr},
        {"C:\\secret.bmp", nullptr},
        {"obrazki", nullptr},
        {"", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto found = findPicture(folder, c.name);
        if (c.found)
            EXPECT_EQ(found, folder + c.found);
        else
            EXPECT_FALSE(found);
    }
    EXPECT_FALSE(findPicture(folder, (dir / "secret.bmp").string()));  // absolute
}

}  // namespace

}  // namespace wykazki
