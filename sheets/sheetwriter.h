#pragma once
// Writing a table as a spreadsheet file for the teacher's own program.

#include "sheets/sheetreader.h"
#include "sheets/sheettable.h"

#include <QString>

namespace wykazki {

// Writes table to path as format (CSV: UTF-8 with BOM, ';' separator, quotes
// where needed, CRLF; XLSX and ODS: one sheet named "Klasa", cells as
// strings except those that parse as numbers with a decimal comma or point,
// which are written as numbers). Whole or not at all (QSaveFile). False with
// a Polish problem; problem cleared on success.
bool writeSheet(const QString& path, const SheetTable& table, SheetFormat format, QString* problem);

}  // namespace wykazki
