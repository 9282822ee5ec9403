#pragma once
// wkz import: pupils from a spreadsheet into a class file, as the
// program's import dialog takes them with its proposed mapping; wkz
// export: the class as a spreadsheet.

#include <string>
#include <vector>

namespace wykazki {

int runImportCommand(const std::vector<std::string>& args);
int runExportCommand(const std::vector<std::string>& args);

}  // namespace wykazki
