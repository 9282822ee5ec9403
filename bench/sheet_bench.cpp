// Reading a teacher's spreadsheet: 1,000 rows x 100 columns of names,
// grades and decimal averages, written by the program's own writer in the
// setup and read back as XLSX (target: 1 s at most), ODS and CSV.

#include "sheets/sheetreader.h"
#include "sheets/sheetwriter.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

constexpr int kRows = 1000;
constexpr int kColumns = 100;

SheetTable largeSheet()
{
    SheetTable table;
    table.rows.reserve(kRows);
    for (int r = 0; r < kRows; ++r) {
        QStringList row;
        row.reserve(kColumns);
        for (int c = 0; c < kColumns; ++c) {
            if (c == 0)
                row.append(QStringLiteral("Uczeń Żółkiewski %1").arg(r));
            else if (c % 3 == 0)
                row.append(QStringLiteral("%1,%2").arg((r + c) % 6 + 1).arg((r * c) % 100));
            else if (c % 3 == 1)
                row.append(QString::number((r + c) % 6 + 1));
            else
                row.append(QStringLiteral("uwaga %1 do przedmiotu %2").arg(r).arg(c));
        }
        table.rows.append(row);
    }
    return table;
}

// The sheet written once per format into a folder that lives as long as
// the program.
QString sheetFile(SheetFormat format)
{
    static const QTemporaryDir dir;
    static const SheetTable table = largeSheet();
    const char* names[] = {"klasa.csv", "klasa.xlsx", "klasa.ods"};
    const QString path = dir.filePath(QString::fromLatin1(names[static_cast<int>(format)]));
    QString problem;
    if (!QFileInfo::exists(path) && !writeSheet(path, table, format, &problem))
        std::abort();
    return path;
}

void BM_ReadSheet(benchmark::State& state)
{
    const auto format = static_cast<SheetFormat>(state.range(0));
    const QString path = sheetFile(format);
    for (auto _ : state) {
        QString problem;
        const SheetTable table = readSheet(path, SheetReadOptions(), &problem);
        if (!problem.isEmpty() || table.rowCount() != kRows || table.columnCount() != kColumns)
            std::abort();
        benchmark::DoNotOptimize(table.rows.data());
    }
    state.counters["file_KB"] = static_cast<double>(QFileInfo(path).size()) / 1024;
}
BENCHMARK(BM_ReadSheet)
    ->ArgName("format")
    ->Arg(static_cast<int>(SheetFormat::Xlsx))
    ->Arg(static_cast<int>(SheetFormat::Ods))
    ->Arg(static_cast<int>(SheetFormat::Csv))
    ->Unit(benchmark::kMillisecond);

void BM_WriteSheet(benchmark::State& state)
{
    const auto format = static_cast<SheetFormat>(state.range(0));
    const SheetTable table = largeSheet();
    const QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("zapis"));
    for (auto _ : state) {
        QString problem;
        if (!writeSheet(path, table, format, &problem))
            std::abort();
    }
}
BENCHMARK(BM_WriteSheet)
    ->ArgName("format")
    ->Arg(static_cast<int>(SheetFormat::Xlsx))
    ->Arg(static_cast<int>(SheetFormat::Ods))
    ->Arg(static_cast<int>(SheetFormat::Csv))
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
