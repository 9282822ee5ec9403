#pragma once
// The few file calls that differ between POSIX systems and Windows: reading
// a whole regular file without ever blocking on a special one, and
// replacing a file in one step so that a failed save never damages it.

#include <filesystem>
#include <string>
#include <string_view>

namespace platformfile {

enum class ReadResult {
    Ok,
    NotRegular,  // a folder, FIFO, device or socket: refused before any read
    Failed,      // missing, unreadable, or an I/O error part way
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

// Where path leads after following symbolic links (a dangling link leads
// to the file it names), or an empty path for a loop or an error.
std::filesystem::path followLinks(const std::filesystem::path& path);

// A short name for a temporary file (".wkz", six characters, ".tmp") unlikely to
// be in use; each call gives another.
std::string temporaryName();

}  // namespace platformfile
