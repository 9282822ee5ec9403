// libFuzzer target: any bytes read as CSV text, as an XLSX file and as an
// ODS file make a table within the sheet limits or a problem with an empty
// table, never a crash, a hang or memory out of proportion.

#include "sheets/sheetreader.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

using namespace wykazki;

namespace {

void checkLimits(const SheetTable& table)
{
    if (table.rowCount() > kSheetMostRows)
        std::abort();
    for (const QStringList& row : table.rows) {
        // Rows end with a non-empty cell (empty rows are empty lists).
        if (row.size() > kSheetMostColumns || (!row.isEmpty() && row.last().isEmpty()))
            std::abort();
        for (const QString& cell : row)
            if (cell.size() > kSheetMostCellChars)
                std::abort();
    }
    // The last row holds something.
    if (!table.rows.isEmpty() && table.rows.last().isEmpty())
        std::abort();
}

void readFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        std::abort();
    file.close();
    QString problem;
    const SheetTable table = readSheet(path, SheetReadOptions(), &problem);
    if (!problem.isEmpty() && table != SheetTable())
        std::abort();
    checkLimits(table);
    const QStringList names = sheetNames(path, &problem);
    if (!problem.isEmpty() && !names.isEmpty())
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const QTemporaryDir dir;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    checkLimits(readCsvText(decodeText(bytes, TextEncoding::Automatic)));
    readFile(dir.filePath(QStringLiteral("fuzz.xlsx")), bytes);
    readFile(dir.filePath(QStringLiteral("fuzz.ods")), bytes);
    return 0;
}
