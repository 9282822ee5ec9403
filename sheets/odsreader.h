#pragma once
// ODS spreadsheets (OpenDocument): the tables of content.xml, their rows
// and cells with the repeat counts LibreOffice writes for runs of alike
// rows and cells.

#include "sheets/sheettable.h"

#include <QString>
#include <QStringList>

class QuaZip;

namespace wykazki {

// zip is open for reading; fileName names the file in messages; problem is
// set on failure.
QStringList odsSheetNames(QuaZip& zip, const QString& fileName, QString* problem);
SheetTable readOdsSheet(QuaZip& zip, const QString& fileName, int sheet, QString* problem);

}  // namespace wykazki
