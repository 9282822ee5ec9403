#include "sheetfiles.h"

#include "sheets/sheetreader.h"
#include "sheets/sheetwriter.h"

#include <QFileInfo>

namespace wykazki {

namespace {

TextEncoding textEncoding(ImportSource::Encoding encoding)
{
    switch (encoding) {
    case ImportSource::Encoding::Utf8: return TextEncoding::Utf8;
    case ImportSource::Encoding::Windows1250: return TextEncoding::Windows1250;
    default: return TextEncoding::Automatic;
    }
}

QString notASheet(const QString& path)
{
    return QStringLiteral("Plik %1 nie jest arkuszem, który program umie czytać "
                          "(XLSX, ODS lub CSV).")
        .arg(QFileInfo(path).fileName());
}

}  // namespace

QString sheetOpenFilter()
{
    return QStringLiteral("Arkusze (*.xlsx *.ods *.csv);;Skoroszyty Excel (*.xlsx);;"
                          "Arkusze OpenDocument (*.ods);;Tekst CSV (*.csv);;Wszystkie pliki (*)");
}

QString sheetSaveFilter()
{
    return QStringLiteral("Skoroszyt Excel (*.xlsx);;Arkusz OpenDocument (*.ods);;"
                          "Tekst CSV (*.csv)");
}

bool isSheetFileName(const QString& path)
{
    return sheetFormatOf(path).has_value();
}

std::optional<ImportSource> openSheetSource(const QString& path, QString* problem)
{
    problem->clear();
    const std::optional<SheetFormat> format = sheetFormatOf(path);
    if (!format) {
        *problem = notASheet(path);
        return std::nullopt;
    }
    ImportSource source;
    source.isText = *format == SheetFormat::Csv;
    if (!source.isText) {
        source.sheets = sheetNames(path, problem);
        if (!problem->isEmpty())
            return std::nullopt;
    }
    source.read = [path](ImportSource::Encoding encoding, int sheet, QString* readProblem) {
        readProblem->clear();
        SheetReadOptions options;
        options.encoding = textEncoding(encoding);
        options.sheet = sheet;
        return readSheet(path, options, readProblem);
    };
    return source;
}

bool saveSheetFile(const QString& path, const SheetTable& table, QString* problem)
{
    problem->clear();
    const std::optional<SheetFormat> format = sheetFormatOf(path);
    if (!format) {
        *problem = notASheet(path);
        return false;
    }
    return writeSheet(path, table, *format, problem);
}

}  // namespace wykazki
