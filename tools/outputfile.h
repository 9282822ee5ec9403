#pragma once
// Checks on the command lines of the commands that write a file, and on
// the files wkz is told to write.

#include <optional>
#include <string>

// Why path must not be written, or nothing when it may: an output that
// exists and is not a regular file (a device, FIFO, folder or socket, also
// behind a symbolic link) is never replaced by a file of ours.
std::optional<std::string> outputProblem(const std::string& path);

// A command line wkz cannot follow: the command prints the problem and its
// usage and exits with the usage status.
struct UsageError {
    std::string problem;
};

// The class file to read and the file to write were both given and are not
// the same file; throws UsageError naming the command otherwise.
void checkInputAndOutput(const std::string& command, const std::string& input,
                         const std::string& output);
