#pragma once
// The class file (.wkz): a plain little-endian byte stream holding the
// phrase list, the pupil list, the options, five window rectangles and two
// grid layout blocks. See docs/ARCHITECTURE.md for the byte layout.

#include "document.h"
#include "ekolmoerror.h"

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace wykazki {

inline constexpr int kOldestVersion = 40;
inline constexpr int kNewestVersion = 56;
// Files from version 55 on carry V-Korekta in every record.
inline constexpr int kLineSpacingVersion = 55;
// What the writer always puts down.
inline constexpr std::int8_t kWrittenVersion = 56;

// Default records a read may add, in all, for pupils that hold fewer values
// than there are phrases. The program always stores every value, so a class
// stored in full needs none, whatever its size (5,000 pupils x 5,000
// phrases read); the allowance covers files from elsewhere, e.g. 50 pupils x
// 5,000 phrases with no value stored, while a few kilobytes declaring
// millions of empty values are refused instead of taking gigabytes (each
// record costs about 170 bytes).
inline constexpr std::size_t kPaddingAllowance = 250'000;

// The largest class the program can hold: its grids reach 4,999 pupils and
// 4,999 phrases. Stored with empty texts, that class is 4,999 phrase records
// and 4,999 x 4,999 value records of 48 bytes each, 1,199,779,996 bytes,
// plus counts, options and two grid layouts of at most 5,000 sizes (about
// 80 KB); in memory it would take about 4.7 GB (some 190 bytes a record).
// A larger file is refused by readClassFileAt before anything but its
// version byte is read: it could only be a class beyond the grids' reach.
// Real classes (40 pupils x 200 phrases with long texts) stay below 10 MB.
inline constexpr std::uint64_t kMaxClassFileBytes = 1'200'000'000;

// Both throw EKolmoError: code 3 for a version outside 40..56 (nothing else
// is read), code 1 for anything else (short file, absurd counts, corrupt
// grid layout, more missing values than paddingAllowance). The result is
// always a whole file: every pupil holds exactly one value record per
// phrase (extra values are cut, missing ones padded with default records).
// Bytes after the last item are ignored.
ClassFileContents readClassFile(std::string_view bytes,
                                std::size_t paddingAllowance = kPaddingAllowance);
ClassFileContents readClassFile(std::istream& in);

// The file's bytes, with the version byte kWrittenVersion.
std::string writeClassFile(const ClassFileContents& contents);
// Throws EKolmoError(ErrorCode::WriteFailed) when the stream fails.
void writeClassFile(std::ostream& out, const ClassFileContents& contents);

// A grid layout block alone, as it sits inside a class file.
std::string writeGridLayout(const GridLayout& layout);
// Throws EKolmoError(ErrorCode::ReadFailed) for a short or corrupt block.
GridLayout readGridLayout(std::string_view bytes);
// Takes exactly one block from the stream, checked whole before it is
// returned; EKolmoError(ErrorCode::ReadFailed) as above.
GridLayout readGridLayout(std::istream& in);

// Reads the file at path; code 1 when it cannot be read or is not a regular
// file (a folder, FIFO or device is refused before anything is read).
ClassFileContents readClassFileAt(const std::filesystem::path& path);
// Writes to a temporary file in the folder of path's target (symbolic links
// followed) and renames it over the target only when every byte is written
// and flushed; the target keeps its permissions. On any failure the old file
// is left as it was and EKolmoError(ErrorCode::WriteFailed) is thrown; a target that is not a
// regular file is never replaced.
void saveClassFileAt(const std::filesystem::path& path, const ClassFileContents& contents);

// The codes a failed read reports, in order: a wrong version is followed by
// the general read failure.
std::vector<ErrorCode> readFailureCodes(ErrorCode code);

}  // namespace wykazki
