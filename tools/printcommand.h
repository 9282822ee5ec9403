#pragma once
// wkz print FILE -o OUT.pdf [--page 1..4] [--pupils 1,3-5] [--pictures DIR]:
// one page of the report cards of the chosen pupils as a PDF, drawn by the
// program's own certificate renderer. Needs no display.

#include <string>
#include <vector>

namespace wykazki {

// The arguments after "print". Exit status: 0 done (pictures left out are named on
// standard error), 1 the class file could not be read, its sheet lies
// outside 1..1000 mm, the output is not a regular file or the PDF could not
// be written, 2 a usage error.
int runPrintCommand(const std::vector<std::string>& args);

}  // namespace wykazki
