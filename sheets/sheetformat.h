#pragma once
// What the program knows of spreadsheet files without opening one: their
// formats by name, the reading options, and the readers' and writer's entry
// points as the spreadsheet module hands them out (sheetmodule.cpp). The
// readers themselves need QuaZip, which the program loads only with the
// module, at the first import or export.

#include "sheets/sheettable.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace wykazki {

enum class SheetFormat { Csv, Xlsx, Ods };
enum class TextEncoding { Automatic, Utf8, Windows1250 };

struct SheetReadOptions {
    TextEncoding encoding = TextEncoding::Automatic;  // CSV only
    int sheet = 0;                                    // index of the sheet in XLSX/ODS
};

// By extension (csv, tsv, txt → Csv; xlsx; ods), case-insensitive; nullopt otherwise.
std::optional<SheetFormat> sheetFormatOf(const QString& path);

// sheetNames(), readSheet() and writeSheet() of sheetreader.h and
// sheetwriter.h, reached through the module.
struct SheetFunctions {
    QStringList (*sheetNames)(const QString& path, QString* problem);
    SheetTable (*readSheet)(const QString& path, const SheetReadOptions& options, QString* problem);
    bool (*writeSheet)(const QString& path, const SheetTable& table, SheetFormat format,
                       QString* problem);
};

// The module's name and its one entry, a function returning the table:
// extern "C" const SheetFunctions* wykazki_sheet_functions().
inline constexpr char kSheetModule[] = "sheets";
inline constexpr char kSheetModuleEntry[] = "wykazki_sheet_functions";

}  // namespace wykazki
