// Reading a teacher's spreadsheet: 1,000 rows x 100 columns of names,
// grades and decimal averages, written by the program's own writer in the
// setup and read back as XLSX (target: 1 s at most), ODS and CSV; and the
// whole import of such an XLSX into a class of 100 phrases, with the peak
// memory of reading it and of the whole import against the size of the
// sheet's unpacked XML.

#include "classio/classimport.h"
#include "document/document.h"
#include "sheets/sheetreader.h"
#include "sheets/sheetwriter.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <quazip.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include <malloc.h>

using namespace wykazki;

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

// The same sheet under a header row naming 100 phrases of a class: every
// column of digits a grade phrase, the others text phrases.
QString importFile()
{
    static const QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("dziennik.xlsx"));
    if (!QFileInfo::exists(path)) {
        SheetTable table = largeSheet();
        QStringList header;
        for (int c = 0; c < kColumns; ++c)
            header.append(QStringLiteral("Przedmiot %1").arg(c));
        table.rows.prepend(header);
        QString problem;
        if (!writeSheet(path, table, SheetFormat::Xlsx, &problem))
            std::abort();
    }
    return path;
}

Document importingClass()
{
    ClassFileContents c;
    for (int i = 0; i < kColumns; ++i) {
        TFra phrase;
        phrase.name = "Przedmiot " + std::to_string(i);
        phrase.kind = i % 3 == 1 ? PhraseKind::Grade : PhraseKind::Text;
        c.phrases.push_back(phrase);
    }
    Document document;
    document.takeOver(std::move(c));
    return document;
}

// What the XML parts of a workbook hold unpacked.
qint64 unpackedSize(const QString& path)
{
    QuaZip zip(path);
    if (!zip.open(QuaZip::mdUnzip))
        std::abort();
    qint64 size = 0;
    for (const QuaZipFileInfo64& info : zip.getFileInfoList64())
        size += static_cast<qint64>(info.uncompressedSize);
    return size;
}

// The process's resident memory now, and at its peak since the peak was
// last reset (Linux: /proc/self/status, VmRSS and VmHWM, in kB).
long statusKilobytes(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field, 0) == 0)
            return std::atol(line.c_str() + std::strlen(field));
    return 0;
}

void resetPeak()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

void BM_ImportSheet(benchmark::State& state)
{
    const QString path = importFile();
    const Document document = importingClass();
    double readMb = 0;
    double growthMb = 0;
    for (auto _ : state) {
        state.PauseTiming();
        // What the setup freed goes back to the system, so that what the
        // import takes shows in the peak.
        malloc_trim(0);
        resetPeak();
        const long before = statusKilobytes("VmRSS:");
        state.ResumeTiming();
        QString problem;
        const SheetTable table = readSheet(path, SheetReadOptions(), &problem);
        state.PauseTiming();
        readMb = std::max(readMb, static_cast<double>(statusKilobytes("VmHWM:") - before) / 1024);
        state.ResumeTiming();
        const ImportMapping mapping = proposeMapping(document, table);
        const ImportResult result = importTable(document, table, mapping);
        if (!problem.isEmpty() || result.pupils() != kRows)
            std::abort();
        benchmark::DoNotOptimize(result.added.data());
        state.PauseTiming();
        growthMb =
            std::max(growthMb, static_cast<double>(statusKilobytes("VmHWM:") - before) / 1024);
        state.ResumeTiming();
    }
    // What one import took at its fullest, against the sheet's unpacked XML:
    // reading the sheet, and the whole import with the 100,000 values of the
    // pupils it makes (the class itself, at about 190 bytes a value).
    const double xmlMb = static_cast<double>(unpackedSize(path)) / (1024 * 1024);
    state.counters["sheet_xml_MB"] = xmlMb;
    state.counters["read_per_xml"] = readMb / xmlMb;
    state.counters["import_per_xml"] = growthMb / xmlMb;
}
BENCHMARK(BM_ImportSheet)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
