#include "sheetfiles.h"

#include "qtbridge/programmodule.h"
#include "sheets/sheetformat.h"

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

// The readers and the writer, from the spreadsheet module opened on the
// first call; nullptr with the problem when it cannot be.
const SheetFunctions* sheetFunctions(QString* problem)
{
    static const SheetFunctions* functions = nullptr;
    if (functions == nullptr) {
        if (const auto entry = programmodule::entryAs<const SheetFunctions*()>(
                kSheetModule, kSheetModuleEntry, problem))
            functions = entry();
    }
    return functions;
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
    const SheetFunctions* functions = sheetFunctions(problem);
    if (functions == nullptr)
        return std::nullopt;
    ImportSource source;
    source.isText = *format == SheetFormat::Csv;
    if (!source.isText) {
        source.sheets = functions->sheetNames(path, problem);
        if (!problem->isEmpty())
            return std::nullopt;
    }
    source.read = [path, functions](ImportSource::Encoding encoding, int sheet,
                                    QString* readProblem) {
        readProblem->clear();
        SheetReadOptions options;
        options.encoding = textEncoding(encoding);
        options.sheet = sheet;
        return functions->readSheet(path, options, readProblem);
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
    const SheetFunctions* functions = sheetFunctions(problem);
    return functions != nullptr && functions->writeSheet(path, table, *format, problem);
}

}  // namespace wykazki
