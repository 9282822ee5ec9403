#pragma once
// The class as a spreadsheet: a header of phrase names and the pupils'
// average, one pupil per row (or per column), grades as their wordings.
// Importing the table again gives back the same pupils.

#include "document/document.h"
#include "sheets/sheettable.h"

#include <QString>

namespace wykazki {

// The header of the column that holds each pupil's average.
inline const QString kPupilAverageHeader = QStringLiteral("Średnia ucznia");

// Texts with their line breaks as sheets hold them (LF); the empty grade
// ("no such subject") as an empty cell; the average with two decimals and a
// decimal comma when the pupil has a grade.
SheetTable exportTable(const Document& document, bool pupilsAsRows);

}  // namespace wykazki
