#include "platformfile.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <climits>
#include <cstdint>
#include <random>
#include <system_error>
#include <vector>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace wykazki {

namespace fs = std::filesystem;

namespace platformfile {

namespace {

// The same limit most systems put on the links one lookup may follow.
constexpr int kMaxLinks = 40;
// Reads never ask for more than this at once, whatever the file claims.
constexpr std::size_t kChunk = std::size_t{1} << 20;

}  // namespace

fs::path followLinks(const fs::path& path)
{
    fs::path p = path;
    for (int i = 0; i <= kMaxLinks; ++i) {
        std::error_code ec;
        const fs::file_status st = fs::symlink_status(p, ec);
        if (ec && ec != std::errc::no_such_file_or_directory)
            return {};
        if (!fs::is_symlink(st))
            return p;
        const fs::path target = fs::read_symlink(p, ec);
        if (ec)
            return {};
        p = target.is_absolute() ? target : p.parent_path() / target;
    }
    return {};
}

fs::path pathFromUtf8(const std::string& name)
{
#ifdef _WIN32
    return fs::path(std::u8string(name.begin(), name.end()));
#else
    return fs::path(name);
#endif
}

std::string temporaryName()
{
    static std::atomic<unsigned> counter{0};
    static const unsigned seed = std::random_device{}();
    std::mt19937 random(
        seed ^ (counter.fetch_add(1) * 2654435761u)
        ^ static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count()));
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::string name = ".wkz";
    for (int i = 0; i < 6; ++i)
        name += kLetters[random() % (sizeof kLetters - 1)];
    return name + ".tmp";
}

namespace {

// The file a replacement takes the place of, as it was found: native is
// what the system said of it (attributes; stat).
enum class FileState { Missing, Regular, NotRegular, Unknown };
template <typename Native>
struct FoundFile {
    FileState state = FileState::Missing;
    bool writable = true;
    Native native{};
};
// Making the temporary file: a name already taken is tried again.
enum class Created { Ok, Exists, Failed };

}  // namespace

#ifdef _WIN32

namespace {

class Handle {
public:
    explicit Handle(HANDLE h) : h_(h) {}
    ~Handle() { close(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return h_; }
    bool close()
    {
        if (!valid())
            return true;
        const bool ok = ::CloseHandle(h_) != 0;
        h_ = INVALID_HANDLE_VALUE;
        return ok;
    }
    void reset(HANDLE h)
    {
        close();
        h_ = h;
    }
    HANDLE release()
    {
        const HANDLE h = h_;
        h_ = INVALID_HANDLE_VALUE;
        return h;
    }

private:
    HANDLE h_;
};

}  // namespace

RegularFile::~RegularFile()
{
    if (handle_ != nullptr)
        ::CloseHandle(handle_);
}

ReadResult RegularFile::open(const fs::path& path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return ReadResult::Failed;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return ReadResult::NotRegular;
    Handle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.valid())
        return ReadResult::Failed;
    // Pipes, consoles and devices are not class files.
    if (::GetFileType(file.get()) != FILE_TYPE_DISK)
        return ReadResult::NotRegular;
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size) || size.QuadPart < 0)
        return ReadResult::Failed;
    size_ = static_cast<std::uint64_t>(size.QuadPart);
    handle_ = file.release();
    return ReadResult::Ok;
}

std::ptrdiff_t RegularFile::read(char* buffer, std::size_t n)
{
    DWORD got = 0;
    if (handle_ == nullptr
        || !::ReadFile(handle_, buffer, static_cast<DWORD>(std::min(n, kChunk)), &got, nullptr))
        return -1;
    return static_cast<std::ptrdiff_t>(got);
}

bool RegularFile::seek(std::uint64_t offset)
{
    LARGE_INTEGER to{};
    to.QuadPart = static_cast<LONGLONG>(offset);
    return handle_ != nullptr && ::SetFilePointerEx(handle_, to, nullptr, FILE_BEGIN) != 0;
}

namespace {

// A read-only file is never replaced: Windows itself refuses the rename,
// Wine and some network shares would not.
constexpr bool kReadOnlyAlwaysRefused = true;

using OldFile = FoundFile<DWORD>;

OldFile inspect(const fs::path& target)
{
    OldFile old;
    old.native = ::GetFileAttributesW(target.c_str());
    if (old.native == INVALID_FILE_ATTRIBUTES)
        return old;
    old.state = (old.native & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE))
                    ? FileState::NotRegular
                    : FileState::Regular;
    old.writable = (old.native & FILE_ATTRIBUTE_READONLY) == 0;
    return old;
}

class NewFile {
public:
    Created create(const fs::path& path, const OldFile&)
    {
        // The new file takes the folder's inherited permissions, as the
        // old one did when it was made there.
        file_.reset(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file_.valid()) {
            path_ = path;
            return Created::Ok;
        }
        return ::GetLastError() == ERROR_FILE_EXISTS ? Created::Exists : Created::Failed;
    }
    bool write(std::string_view bytes)
    {
        while (!bytes.empty()) {
            const DWORD want = static_cast<DWORD>(std::min(bytes.size(), kChunk));
            DWORD written = 0;
            if (!::WriteFile(file_.get(), bytes.data(), want, &written, nullptr) || written == 0)
                return false;
            bytes.remove_prefix(written);
        }
        return true;
    }
    bool finish(const OldFile& old)
    {
        if (!::FlushFileBuffers(file_.get()) || !file_.close())
            return false;
        // Hidden, system and archive marks go with the file; read-only is
        // left for the rename to honour.
        const DWORD keep =
            old.state == FileState::Regular
                ? old.native
                      & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE
                         | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED)
                : 0;
        if (keep)
            ::SetFileAttributesW(path_.c_str(), keep);
        return true;
    }
    void close() { file_.close(); }

private:
    Handle file_{INVALID_HANDLE_VALUE};
    fs::path path_;
};

bool renameOver(const fs::path& from, const fs::path& to)
{
    return ::MoveFileExW(from.c_str(), to.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
           != 0;
}

void removeFile(const fs::path& path)
{
    ::DeleteFileW(path.c_str());
}

// MOVEFILE_WRITE_THROUGH has the rename on the disk already.
void syncFolder(const fs::path&)
{
}

}  // namespace

void ignoreFileSizeSignal()
{
}

bool writePermitted(const fs::path& path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return false;
    // A folder's read-only mark is not about its files.
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0
           || (attributes & FILE_ATTRIBUTE_READONLY) == 0;
}

#else  // POSIX

namespace {

class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    ~Descriptor() { close(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    bool close()
    {
        if (fd_ < 0)
            return true;
        const bool ok = ::close(fd_) == 0;
        fd_ = -1;
        return ok;
    }
    void reset(int fd)
    {
        close();
        fd_ = fd;
    }
    int release()
    {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }

private:
    int fd_;
};

bool inGroup(gid_t group)
{
    const int n = ::getgroups(0, nullptr);
    if (n <= 0)
        return false;
    std::vector<gid_t> groups(static_cast<std::size_t>(n));
    const int got = ::getgroups(n, groups.data());
    return got > 0 && std::find(groups.begin(), groups.begin() + got, group) != groups.end();
}

// Whether the write bit that applies to this process (owner, group or
// others, as ls shows it) is on; root's power to write anyway is not taken
// as leave to.
bool writeBitSet(const struct stat& st)
{
    const mode_t bit = st.st_uid == ::geteuid() ? S_IWUSR
                       : st.st_gid == ::getegid() || inGroup(st.st_gid) ? S_IWGRP
                                                                        : S_IWOTH;
    return (st.st_mode & bit) != 0;
}

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), std::min(bytes.size(), kChunk));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

}  // namespace

RegularFile::~RegularFile()
{
    if (fd_ >= 0)
        ::close(fd_);
}

ReadResult RegularFile::open(const fs::path& path)
{
    // A device is not even opened (opening some has effects of its own).
    struct stat before {};
    if (::stat(path.c_str(), &before) != 0)
        return ReadResult::Failed;
    if (!S_ISREG(before.st_mode))
        return ReadResult::NotRegular;
    // Non-blocking, so that a FIFO put there meanwhile does not wait for a
    // writer; the type is checked again on what was opened.
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (fd.get() < 0)
        return errno == EISDIR ? ReadResult::NotRegular : ReadResult::Failed;
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0)
        return ReadResult::Failed;
    if (!S_ISREG(st.st_mode))
        return ReadResult::NotRegular;
    const int flags = ::fcntl(fd.get(), F_GETFL);
    if (flags < 0 || ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK) != 0)
        return ReadResult::Failed;
    size_ = static_cast<std::uint64_t>(st.st_size);
    fd_ = fd.release();
    return ReadResult::Ok;
}

std::ptrdiff_t RegularFile::read(char* buffer, std::size_t n)
{
    if (fd_ < 0)
        return -1;
    for (;;) {
        const ssize_t got = ::read(fd_, buffer, std::min(n, kChunk));
        if (got >= 0 || errno != EINTR)
            return got;
    }
}

bool RegularFile::seek(std::uint64_t offset)
{
    return fd_ >= 0 && ::lseek(fd_, static_cast<off_t>(offset), SEEK_SET) >= 0;
}

namespace {

// Whether a read-only file may be replaced is the caller's to say: the
// folder's write permission is what the rename asks for.
constexpr bool kReadOnlyAlwaysRefused = false;

using OldFile = FoundFile<struct stat>;

OldFile inspect(const fs::path& target)
{
    OldFile old;
    if (::stat(target.c_str(), &old.native) != 0) {
        old.state = errno == ENOENT ? FileState::Missing : FileState::Unknown;
        return old;
    }
    old.state = S_ISREG(old.native.st_mode) ? FileState::Regular : FileState::NotRegular;
    old.writable = writeBitSet(old.native);
    return old;
}

class NewFile {
public:
    Created create(const fs::path& path, const OldFile& old)
    {
        // A new file gets 0666 less the umask, as any file the user makes;
        // a replacement starts private and takes the old file's bits in
        // finish().
        const mode_t mode = old.state == FileState::Regular ? 0600 : 0666;
        fd_.reset(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode));
        if (fd_.get() >= 0)
            return Created::Ok;
        return errno == EEXIST ? Created::Exists : Created::Failed;
    }
    bool write(std::string_view bytes) { return writeAll(fd_.get(), bytes); }
    bool finish(const OldFile& old)
    {
        if (old.state == FileState::Regular) {
            // Owner and group first: changing them may clear the set-id bits.
            // Only root may give a file away; a member of the old group can
            // still keep the group.
            if (::fchown(fd_.get(), old.native.st_uid, old.native.st_gid) != 0)
                (void)::fchown(fd_.get(), static_cast<uid_t>(-1), old.native.st_gid);
            // File systems without permissions (a FAT stick) refuse; the file
            // then stays private, the safe side.
            (void)::fchmod(fd_.get(), old.native.st_mode & 07777);
        }
        const bool synced = ::fsync(fd_.get()) == 0;
        return fd_.close() && synced;
    }
    void close() { fd_.close(); }

private:
    Descriptor fd_;
};

bool renameOver(const fs::path& from, const fs::path& to)
{
    return ::rename(from.c_str(), to.c_str()) == 0;
}

void removeFile(const fs::path& path)
{
    ::unlink(path.c_str());
}

// The rename itself reaches the disk with the folder.
void syncFolder(const fs::path& folder)
{
    Descriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0)
        (void)::fsync(dir.get());
}

}  // namespace

void ignoreFileSizeSignal()
{
    (void)std::signal(SIGXFSZ, SIG_IGN);
}

bool writePermitted(const fs::path& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return false;
    // access() adds what the bits do not say: a read-only mount.
    return writeBitSet(st) && ::access(path.c_str(), W_OK) == 0;
}

#endif

bool RegularFile::readAll(std::string& bytes, std::size_t maxBytes)
{
    bytes.clear();
    // Read to the end: the size is a hint, the file may change meanwhile.
    std::string data;
    data.resize(static_cast<std::size_t>(std::min<std::uint64_t>(size_, maxBytes)) + 1);
    std::size_t used = 0;
    for (;;) {
        if (used == data.size()) {
            if (used > maxBytes)
                return false;
            data.resize(data.size() + std::min(data.size(), kChunk));
        }
        const std::ptrdiff_t n = read(data.data() + used, data.size() - used);
        if (n < 0)
            return false;
        if (n == 0)
            break;
        used += static_cast<std::size_t>(n);
    }
    if (used > maxBytes)
        return false;
    data.resize(used);
    bytes = std::move(data);
    return true;
}

ReadResult readRegularFile(const fs::path& path, std::string& bytes)
{
    bytes.clear();
    RegularFile file;
    const ReadResult opened = file.open(path);
    if (opened != ReadResult::Ok)
        return opened;
    return file.readAll(bytes, SIZE_MAX) ? ReadResult::Ok : ReadResult::Failed;
}

namespace {

// Written beside the old file, made durable, then renamed over it: a
// failure at any step leaves the old file as it was.
ReplaceResult replaceFileAt(const fs::path& path, std::string_view bytes, bool refuseReadOnly)
{
    const fs::path target = followLinks(path);
    if (target.empty())
        return ReplaceResult::Failed;
    const OldFile old = inspect(target);
    if (old.state == FileState::Unknown)
        return ReplaceResult::Failed;
    if (old.state == FileState::NotRegular)
        return ReplaceResult::NotRegular;
    if (old.state == FileState::Regular && (refuseReadOnly || kReadOnlyAlwaysRefused)
        && !old.writable)
        return ReplaceResult::ReadOnly;
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");

    fs::path temp;
    NewFile file;
    for (int attempt = 0;; ++attempt) {
        if (attempt == 100)
            return ReplaceResult::Failed;
        temp = folder / temporaryName();
        const Created created = file.create(temp, old);
        if (created == Created::Ok)
            break;
        if (created == Created::Failed)
            return ReplaceResult::Failed;
    }
    if (!file.write(bytes) || !file.finish(old) || !renameOver(temp, target)) {
        file.close();  // Windows removes no file that is still open
        removeFile(temp);
        return ReplaceResult::Failed;
    }
    syncFolder(folder);
    return ReplaceResult::Ok;
}

}  // namespace

bool replaceFile(const fs::path& path, std::string_view bytes)
{
    return replaceFileAt(path, bytes, false) == ReplaceResult::Ok;
}

ReplaceResult replaceWritableFile(const fs::path& path, std::string_view bytes)
{
    return replaceFileAt(path, bytes, true);
}

}  // namespace platformfile

}  // namespace wykazki
