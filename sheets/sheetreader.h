#pragma once
// Reading a teacher's spreadsheet: CSV or TSV text, XLSX and ODS workbooks,
// one sheet at a time, as the text its cells show. Every file is outside
// input: a failure gives an empty table and a Polish message naming the
// file, and what lies beyond the program's limits is left out with a note
// (SheetTable::notes). Empty cells at the end of a row and empty rows at the
// end of the sheet are not kept, so a sheet reads alike from every format.

#include "sheets/sheetformat.h"
#include "sheets/sheettable.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace wykazki {

// The sheet names of an XLSX/ODS file (one empty name for CSV); empty with
// problem set on failure, problem cleared on success.
QStringList sheetNames(const QString& path, QString* problem);

// Reads one sheet; on failure an empty table and problem set to a Polish
// message naming the file, problem cleared on success.
SheetTable readSheet(const QString& path, const SheetReadOptions& options, QString* problem);

// The CSV/TSV text reader on its own (for the clipboard and tests):
// separator ; , or TAB detected from the first lines (quotes respected),
// quotes as spreadsheets write them ("" inside quotes, line breaks inside
// quotes; a line break inside a cell reads as "\n").
SheetTable readCsvText(const QString& text);

// Bytes → text: UTF-8 with or without BOM when valid, else Windows-1250
// (Automatic; text with a UTF-16 BOM, as spreadsheets save "Unicode text",
// reads as UTF-16), or as forced. A BOM is never part of the text.
QString decodeText(const QByteArray& bytes, TextEncoding encoding);

}  // namespace wykazki
