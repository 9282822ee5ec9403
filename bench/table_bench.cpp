// The pupil grid of a big class printed as a table by wkz table, start-up
// included, as a child process: 1,000 pupils x 100 phrases (grades and
// short texts), at 50 % (at 100 % the 1,001 columns would need more than
// the 100 page columns a table may take). Counters: pages of the PDF, its
// size and wkz's peak memory.

#include "document/classfile.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <string>

using namespace wykazki;

namespace {

const QString kWkz = QStringLiteral(WYKAZKI_BIN_DIR "/wkz");

ClassFileContents bigClass(std::size_t pupils, std::size_t phrases)
{
    ClassFileContents c;
    for (std::size_t f = 0; f < phrases; ++f) {
        TFra phrase;
        phrase.name = "Przedmiot " + std::to_string(f + 1);
        phrase.kind = f % 4 == 0 ? PhraseKind::Text : PhraseKind::Grade;
        c.phrases.push_back(phrase);
    }
    for (std::size_t p = 0; p < pupils; ++p) {
        c.pupils.insert(p, phrases);
        TFrazy& values = c.pupils[p].values;
        for (std::size_t f = 0; f < phrases; ++f) {
            if (f % 4 == 0)
                values[f].text = "Uczen " + std::to_string(p + 1);
            else
                values[f].grade = static_cast<std::int8_t>(1 + (p + f) % 6);
        }
    }
    return c;
}

void WkzTable(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString classPath = dir.filePath(QStringLiteral("big.wkz"));
    saveClassFileAt(classPath.toStdString(),
                    bigClass(std::size_t(state.range(0)), std::size_t(state.range(1))));
    const QString pdfPath = dir.filePath(QStringLiteral("table.pdf"));
    const bool timed = QFile::exists(QStringLiteral("/usr/bin/time"));
    double peakMb = 0;
    for (auto _ : state) {
        QProcess wkz;
        const QStringList args = {QStringLiteral("table"),  classPath,
                                  QStringLiteral("-o"),     pdfPath,
                                  QStringLiteral("--size"), QStringLiteral("50")};
        if (timed)
            wkz.start(QStringLiteral("/usr/bin/time"),
                      QStringList{QStringLiteral("-f"), QStringLiteral("%M"), kWkz} + args);
        else
            wkz.start(kWkz, args);
        if (!wkz.waitForFinished(600000) || wkz.exitCode() != 0) {
            state.SkipWithError("wkz table failed");
            return;
        }
        if (timed)
            peakMb =
                std::max(peakMb, wkz.readAllStandardError().trimmed().split('\n').last().toDouble()
                                     / 1024.0);
    }
    QFile pdf(pdfPath);
    pdf.open(QIODevice::ReadOnly);
    const QByteArray bytes = pdf.readAll();
    state.counters["pages"] = double(
        QString::fromLatin1(bytes).count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))));
    state.counters["MB"] = double(bytes.size()) / 1024.0 / 1024.0;
    if (timed)
        state.counters["peakMB"] = peakMb;
}

}  // namespace

BENCHMARK(WkzTable)->Args({1000, 100})->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

BENCHMARK_MAIN();
