#pragma once
// wkz calibration -o OUT.pdf [--left MM] [--top MM] [--sheet WxH]: the
// calibration page as a PDF, shifted as the options would shift report
// cards. Needs no display.

#include <string>
#include <vector>

namespace wykazki {

// The arguments after "calibration". Exit status: 0 done, 1 the output is
// not a regular file or the PDF could not be written, 2 a usage error
// (said in Polish).
int runCalibrationCommand(const std::vector<std::string>& args);

}  // namespace wykazki
