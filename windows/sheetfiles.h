#pragma once
// Spreadsheet files as the windows read and write them: which files are
// sheets, the import source of one (read again as the import dialog's
// encoding or sheet changes), and writing a table in the format its name
// says.

#include "importdialog.h"

#include <QString>

#include <optional>

namespace wykazki {

// "Arkusze (*.xlsx *.ods *.csv)" and the formats one by one.
QString sheetOpenFilter();
QString sheetSaveFilter();

// A name ending in .xlsx, .ods or .csv (any case).
bool isSheetFileName(const QString& path);

// Nothing, and problem in Polish, when the file is no sheet the program
// reads or its sheets cannot be listed.
std::optional<ImportSource> openSheetSource(const QString& path, QString* problem);

// Writes table as the name's format; false and problem in Polish when not
// written (an existing file then stays as it was).
bool saveSheetFile(const QString& path, const SheetTable& table, QString* problem);

}  // namespace wykazki
