#include "outputfile.h"

#include <filesystem>
#include <system_error>

std::optional<std::string> outputProblem(const std::string& path)
{
    std::error_code ec;
    const auto st = std::filesystem::status(path, ec);  // follows links
    if (ec || !std::filesystem::exists(st) || std::filesystem::is_regular_file(st))
        return std::nullopt;  // missing or regular; other failures show when writing
    const char* what = std::filesystem::is_directory(st) ? "a folder" : "not a regular file";
    return path + " is " + what + "; refusing to replace it";
}

void checkInputAndOutput(const std::string& command, const std::string& input,
                         const std::string& output)
{
    if (input.empty())
        throw UsageError{command + " needs a class file"};
    if (output.empty())
        throw UsageError{command + " needs -o OUT.pdf"};
    std::error_code ec;
    if (std::filesystem::equivalent(input, output, ec))
        throw UsageError{"-o names the class file itself"};
}
