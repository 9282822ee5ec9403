#include "fileops.h"

#include "classfile.h"

#include <system_error>

std::string picturePath(const std::string& programFolder, const std::string& fileName)
{
    std::string path = programFolder + fileName;
    if (path.size() > 3 && path[path.size() - 4] != '.')
        path += ".bmp";
    return path;
}

std::optional<std::string> findPicture(const std::string& programFolder, const std::string& fileName)
{
    std::string path = picturePath(programFolder, fileName);
    std::error_code ec;
    if (std::filesystem::is_regular_file(path, ec))
        return path;
    return std::nullopt;
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
