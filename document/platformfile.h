#pragma once
// The few file calls that differ between POSIX systems and Windows: reading
// a regular file without ever blocking on a special one, and replacing a
// file in one step so that a failed save never damages it.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace wykazki {

namespace platformfile {

enum class ReadResult {
    Ok,
    NotRegular,  // a folder, FIFO, device or socket: refused before any read
    Failed,      // missing, unreadable, or an I/O error part way
};

// A regular file open for reading, read piece by piece: what is read costs
// memory, not what the file claims to hold.
class RegularFile {
public:
    RegularFile() = default;
    ~RegularFile();
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;

    // Only a regular file (or a symbolic link to one) is opened; anything
    // else is refused without a read that could block or never end.
    ReadResult open(const std::filesystem::path& path);
    // The file's size when it was opened.
    std::uint64_t size() const { return size_; }
    // Up to n bytes into buffer: how many were read, 0 at the end of the
    // file, -1 for an error.
    std::ptrdiff_t read(char* buffer, std::size_t n);
    // Moves to offset from the start; false for an error.
    bool seek(std::uint64_t offset);
    // The rest of the file into bytes; false for an error or when it holds
    // more than maxBytes (bytes is then empty).
    bool readAll(std::string& bytes, std::size_t maxBytes);

private:
#ifdef _WIN32
    void* handle_ = nullptr;
#else
    int fd_ = -1;
#endif
    std::uint64_t size_ = 0;
};

// The whole file into bytes. Only regular files (or symbolic links to one)
// are read; anything else is refused without a read that could block or
// never end. bytes is left empty unless the result is Ok.
ReadResult readRegularFile(const std::filesystem::path& path, std::string& bytes);

// Writes bytes to a new file with a short temporary name in the folder of
// the file path leads to (symbolic links followed to their target), flushes
// it to the disk and renames it over the target. The target keeps its
// permission bits (and, where the process may set them, its owner and
// group); a new file gets what the folder and the process would give any
// new file. The process umask is never touched. On failure the target is
// as it was, no temporary is left behind and false is returned; a target
// that exists and is not a regular file is never replaced.
bool replaceFile(const std::filesystem::path& path, std::string_view bytes);

enum class ReplaceResult {
    Ok,
    ReadOnly,    // the existing file may not be written: left as it is
    NotRegular,  // a folder, FIFO, device or socket: never replaced
    Failed,      // the write, the flush or the rename failed; nothing changed
};
// replaceFile for outputs: a file whose write permission (the one that
// applies to this process: owner, group or others) is off is refused
// instead of being renamed over, whoever runs the program.
ReplaceResult replaceWritableFile(const std::filesystem::path& path, std::string_view bytes);

// A write beyond the process's file-size limit then fails like any other
// failed write, instead of ending the program with SIGXFSZ and leaving its
// temporary file behind. Called once at start by the programs.
void ignoreFileSizeSignal();

// Where path leads after following symbolic links (a dangling link leads
// to the file it names), or an empty path for a loop or an error.
std::filesystem::path followLinks(const std::filesystem::path& path);

// A path from a name in UTF-8, the encoding the program's string paths use.
// On POSIX systems the bytes are the name as they stand (a byte that is not
// UTF-8 stays as it is); on Windows they are read as UTF-8, never in the
// ANSI code page that a std::string path would be read in.
std::filesystem::path pathFromUtf8(const std::string& name);

// A short name for a temporary file (".wkz", six characters, ".tmp") unlikely to
// be in use; each call gives another.
std::string temporaryName();

// Whether this process may change the file or folder path leads to: the
// permission bit that applies to it (owner, group or others, as ls shows
// it; root's power to write anyway is not taken as leave to) and a file
// system mounted for writing. False when path names nothing.
bool writePermitted(const std::filesystem::path& path);

}  // namespace platformfile

}  // namespace wykazki
