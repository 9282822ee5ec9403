#pragma once
// Zip files made in the tests: workbooks written part by part, including
// parts far larger than the file (a run repeated many times).

#include <QByteArray>
#include <QList>
#include <QString>

namespace wykazki {

struct ZipPartSpec {
    QString name;
    QByteArray head;
    QByteArray run;  // written repeat times after head
    qint64 repeat = 0;
    QByteArray tail;
};

// Writes the parts to path; false when the zip could not be written.
bool writeZip(const QString& path, const QList<ZipPartSpec>& parts);

// An XLSX workbook of one sheet around the given parts' contents (a part
// left empty is left out of the workbook).
QList<ZipPartSpec> xlsxParts(const ZipPartSpec& sheetData, const QByteArray& sharedStrings = {},
                             const QByteArray& styles = {}, const QByteArray& workbookPr = {});
// An ODS spreadsheet whose first table holds tableBody.
QList<ZipPartSpec> odsParts(const ZipPartSpec& tableBody);

}  // namespace wykazki
