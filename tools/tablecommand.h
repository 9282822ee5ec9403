#pragma once
// wkz table FILE -o OUT.pdf [--size PERCENT] [--colouring 0|1|2]
// [--no-left-headers] [--no-top-headers] [--title TEXT]: the pupil grid of
// a class file printed as a table into a PDF by the program's own table
// printing, on the class's sheet size. Needs no display.

#include <string>
#include <vector>

namespace wykazki {

// The arguments after "table". Exit status: 0 done, 1 the class file could
// not be read, the table not laid out or the PDF not written, 2 a usage error.
int runTableCommand(const std::vector<std::string>& args);

}  // namespace wykazki
