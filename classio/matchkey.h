#pragma once
// How names from a sheet are compared with the class's: case, Polish
// letters (ą as a, ł as l …) and blanks do not count.

#include <QString>

namespace wykazki {

// The text reduced to what counts when comparing names.
QString matchKey(const QString& text);

}  // namespace wykazki
