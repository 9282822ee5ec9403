#pragma once
// XLSX workbooks (Office Open XML): the sheet list of xl/workbook.xml, the
// parts its relationships name, shared strings, styles (to tell dates) and
// the cells of one worksheet.

#include "sheets/sheettable.h"

#include <QString>
#include <QStringList>

class QuaZip;

namespace wykazki {

// zip is open for reading; fileName names the file in messages; problem is
// set on failure.
QStringList xlsxSheetNames(QuaZip& zip, const QString& fileName, QString* problem);
SheetTable readXlsxSheet(QuaZip& zip, const QString& fileName, int sheet, QString* problem);

}  // namespace wykazki
