#include "fileops.h"

#include "classfile.h"
#include "cp1250.h"
#include "platformfile.h"

#include <algorithm>
#include <system_error>

namespace wykazki {

namespace fs = std::filesystem;

std::string picturePath(const std::string& programFolder, const std::string& fileName)
{
    std::string path = programFolder + fileName;
    // ".jpeg" is the one extension of four letters the renderer reads.
    const auto jpeg = [&path] {
        if (path.size() < 5)
            return false;
        std::string tail = path.substr(path.size() - 5);
        std::transform(tail.begin(), tail.end(), tail.begin(),
                       [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
        return tail == ".jpeg";
    };
    if (path.size() > 3 && path[path.size() - 4] != '.' && !jpeg())
        path += ".bmp";
    return path;
}

std::optional<std::string> pictureInFolder(const std::string& programFolder, std::string name)
{
    // Class files come from Windows, where either separator works.
    std::replace(name.begin(), name.end(), '\\', '/');
    const bool driveLetter =
        name.size() >= 2 && name[1] == ':'
        && ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= 'a' && name[0] <= 'z'));
    if (name.empty() || driveLetter || name[0] == '/' || fs::path(name).has_root_path())
        return std::nullopt;
    const std::string path = programFolder + name;
    std::error_code ec;
    if (!fs::is_regular_file(platformfile::pathFromUtf8(path), ec))
        return std::nullopt;
    // Where the name really leads, after "..", links and all, must lie
    // inside where the folder really is.
    const fs::path folder = fs::canonical(
        programFolder.empty() ? fs::path(".") : platformfile::pathFromUtf8(programFolder), ec);
    if (ec)
        return std::nullopt;
    const fs::path file = fs::canonical(platformfile::pathFromUtf8(path), ec);
    if (ec)
        return std::nullopt;
    const auto [inFolder, inFile] =
        std::mismatch(folder.begin(), folder.end(), file.begin(), file.end());
    if (inFolder != folder.end() || inFile == file.end())
        return std::nullopt;
    return path;
}

std::optional<std::string> findPicture(const std::string& programFolder,
                                       const std::string& fileName)
{
    if (fileName.empty())
        return std::nullopt;
    // The folder is the file system's already; only the name is converted.
    return pictureInFolder(
        programFolder,
        cp1250::toUtf8(picturePath(programFolder, fileName).substr(programFolder.size())));
}

std::string copyPath(const std::string& programFolder, const std::string& name)
{
    return programFolder + name + ".wkz";
}

void saveCopyAs(const std::string& programFolder, const std::string& name,
                const ClassFileContents& contents)
{
    saveClassFileAt(copyPath(programFolder, name), contents);
}

}  // namespace wykazki
