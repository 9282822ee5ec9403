#pragma once
// wkz check FILE [--page N] [--pupils LIST] [--pictures DIR] [--groups]:
// the check before printing, one line per finding.

#include <string>
#include <vector>

namespace wykazki {

// Exit statuses of wkz check besides 0 (nothing found), kExitError (the
// class file could not be read) and kExitUsage.
inline constexpr int kExitFindings = 3;

// The arguments after "check".
int runCheckCommand(const std::vector<std::string>& args);

}  // namespace wykazki
