#pragma once
// File operations that need no window: copies of the class file and the
// picture lookup, both relative to the program folder (the folder of the
// executable, supplied by the caller with its trailing separator).

#include "document.h"

#include <filesystem>
#include <optional>
#include <string>

namespace wykazki {

// A picture name as the document holds it (Windows-1250), so that a name
// ends in the same letters for the program, its printing and wkz.

// program folder + name, with ".bmp" appended when the path's fourth
// character from the end is not "." (a name without a three-letter
// extension) and the name does not end in ".jpeg". The characters are the name's Windows-1250 bytes: "ż" counts
// as one, whatever the file system's encoding.
std::string picturePath(const std::string& programFolder, const std::string& fileName);
// The picture's path, in the file system's encoding (UTF-8), when the file
// picturePath names exists inside the program folder; nothing for an empty
// name. fileName is Windows-1250.
std::optional<std::string> findPicture(const std::string& programFolder,
                                       const std::string& fileName);

// programFolder + name when that is a regular file inside the program
// folder, subfolders included ("obrazki\godlo.bmp" with either separator).
// An absolute name, one with a drive letter, and one that leads out of the
// folder through ".." or a symbolic link give nothing, as a missing file.
// No ".bmp" rule here: name is the file's own name, in the file system's
// encoding.
std::optional<std::string> pictureInFolder(const std::string& programFolder, std::string name);

// program folder + name + ".wkz".
std::string copyPath(const std::string& programFolder, const std::string& name);
// Writes the document under copyPath(); throws EKolmoError(ErrorCode::WriteFailed) on failure.
void saveCopyAs(const std::string& programFolder, const std::string& name,
                const ClassFileContents& contents);

}  // namespace wykazki
