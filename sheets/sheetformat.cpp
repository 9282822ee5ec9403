#include "sheets/sheetformat.h"

#include <QFileInfo>

namespace wykazki {

std::optional<SheetFormat> sheetFormatOf(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"csv" || suffix == u"tsv" || suffix == u"txt")
        return SheetFormat::Csv;
    if (suffix == u"xlsx")
        return SheetFormat::Xlsx;
    if (suffix == u"ods")
        return SheetFormat::Ods;
    return std::nullopt;
}

}  // namespace wykazki
