#pragma once
// Checks on the files wkz is told to write.

#include <optional>
#include <string>

// Why path must not be written, or nothing when it may: an output that
// exists and is not a regular file (a device, FIFO, folder or socket, also
// behind a symbolic link) is never replaced by a file of ours.
std::optional<std::string> outputProblem(const std::string& path);
