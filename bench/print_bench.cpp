// Report cards into one PDF, the way wkz print writes them.
//
//   PdfSample/N     page 1 of the sample class (Przyklad.wkz next to the
//                   executables, its pupils repeated up to N), in process
//   PdfForty/N      a card of 40 text fields and one picture, in process
//   WkzPrint/N      the whole wkz print command on the 40-field card,
//                   start-up included, as a child process
//
// Counters: KB a page of the written PDF; peakMB, the peak resident memory
// (in process: the high-water mark reset before each run, so it includes the
// class in memory); writingMB, what writing the PDF added to it.

#include "print/certificatepdf.h"

#include "document/classfile.h"
#include "document/cp1250.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <fstream>
#include <memory>
#include <string>

using namespace wykazki;

namespace {

const std::string kBinDir = WYKAZKI_BIN_DIR "/";

QTemporaryDir& workDir()
{
    static QTemporaryDir dir;
    return dir;
}

std::string cp(const char* utf8)
{
    return cp1250::fromUtf8(utf8).value_or("?");
}

// 40 text fields in a column layout with Polish texts and a 300 × 300
// picture, like a filled-in certificate.
ClassFileContents fortyFieldCard(std::size_t pupils)
{
    ClassFileContents c;
    for (int j = 0; j < 40; ++j) {
        TFra f;
        f.kind = PhraseKind::Text;
        f.x0 = static_cast<std::int16_t>(j % 2 == 0 ? 20 : 110);
        f.y0 = 40.0f + 6.0f * static_cast<float>(j / 2);
        f.width = 80;
        f.height = 6;
        f.align = static_cast<std::int16_t>(j % 3);
        f.fontName = "Times New Roman";
        f.fontSize = 10 + j % 3;
        f.bold = static_cast<std::uint8_t>(j % 5 == 0);
        c.phrases.push_back(f);
    }
    TFra picture;
    picture.kind = PhraseKind::Picture;
    picture.x0 = 90;
    picture.y0 = 35.0f;
    picture.width = 30;
    picture.height = 30;
    picture.picture = "bench_herb";
    c.phrases.push_back(picture);

    const char* words[] = {
        "Zażółć gęślą jaźń",     "bardzo dobry",
        "Świętokrzyskie",        "wzorowe",
        "Łódź, 20 czerwca 2025", "Szkoła Podstawowa nr 7 im. Marii Skłodowskiej-Curie"};
    c.pupils.resize(pupils, c.phrases.count());
    for (std::size_t i = 0; i < pupils; ++i)
        for (std::size_t j = 0; j < 40; ++j)
            c.pupils.value(i, j).text = cp(words[(i + j) % 6]) + " " + std::to_string(i + 1);
    return c;
}

void writeBenchPicture()
{
    static bool written = false;
    if (written)
        return;
    QImage herb(300, 300, QImage::Format_RGB32);
    for (int y = 0; y < herb.height(); ++y)
        for (int x = 0; x < herb.width(); ++x)
            herb.setPixel(x, y, qRgb(x % 256, y % 256, (x * y) % 256));
    herb.save(workDir().filePath(QStringLiteral("bench_herb.bmp")), "BMP");
    written = true;
}

// The sample class with its pupils repeated up to n.
std::unique_ptr<ClassFileContents> sampleClass(std::size_t n)
{
    auto c = std::make_unique<ClassFileContents>(readClassFileAt(kBinDir + "Przyklad.wkz"));
    const TDokumenty original = c->pupils;
    c->pupils.clear();
    for (std::size_t i = 0; i < n; ++i)
        c->pupils.push_back(original[i % original.count()]);
    return c;
}

// A line of /proc/self/status in kB: "VmHWM:" (peak) or "VmRSS:" (now).
long statusKb(const std::string& key)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(key, 0) == 0)
            return std::stol(line.substr(key.size()));
    return 0;
}

void resetPeakResident()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

void writePdf(benchmark::State& state, const ClassFileContents& c, const std::string& pictures)
{
    const std::size_t n = c.pupils.count();
    std::vector<std::size_t> pupils(n);
    for (std::size_t i = 0; i < n; ++i)
        pupils[i] = i;
    const QString path = workDir().filePath(QStringLiteral("bench.pdf"));
    long peakKb = 0;
    long growthKb = 0;
    for (auto _ : state) {
        resetPeakResident();
        const long beforeKb = statusKb("VmRSS:");
        QFile out(path);
        out.open(QIODevice::WriteOnly | QIODevice::Truncate);
        writeCertificatesPdf(
            out, CertificatePdfJob{c.phrases, c.pupils, c.options, pupils, 0, pictures});
        out.close();
        const long afterKb = statusKb("VmHWM:");
        peakKb = std::max(peakKb, afterKb);
        growthKb = std::max(growthKb, afterKb - beforeKb);
    }
    state.counters["KB/page"] = double(QFile(path).size()) / 1024.0 / double(n);
    // The class itself grows with the pupils; what writing adds must not.
    state.counters["peakMB"] = double(peakKb) / 1024.0;
    state.counters["writingMB"] = double(growthKb) / 1024.0;
    state.counters["cards/s"] =
        benchmark::Counter(double(n), benchmark::Counter::kIsIterationInvariantRate);
}

void PdfSample(benchmark::State& state)
{
    if (!QFile::exists(QString::fromStdString(kBinDir + "Przyklad.wkz"))) {
        state.SkipWithError("Przyklad.wkz is not built");
        return;
    }
    const auto c = sampleClass(static_cast<std::size_t>(state.range(0)));
    writePdf(state, *c, kBinDir);
}

void PdfForty(benchmark::State& state)
{
    writeBenchPicture();
    const ClassFileContents c = fortyFieldCard(static_cast<std::size_t>(state.range(0)));
    writePdf(state, c, workDir().path().toStdString() + "/");
}

void WkzPrint(benchmark::State& state)
{
    writeBenchPicture();
    const std::size_t n = static_cast<std::size_t>(state.range(0));
    const QString classPath = workDir().filePath(QStringLiteral("bench_%1.wkz").arg(n));
    saveClassFileAt(classPath.toStdString(), fortyFieldCard(n));
    const QString pdfPath = workDir().filePath(QStringLiteral("wkz.pdf"));
    // GNU time reports the peak resident memory of wkz alone (a fork's own
    // pages would count in getrusage's children figure).
    const bool timed = QFile::exists(QStringLiteral("/usr/bin/time"));
    double peakMb = 0;
    for (auto _ : state) {
        QProcess wkz;
        QStringList args = {QStringLiteral("print"),      classPath,
                            QStringLiteral("-o"),         pdfPath,
                            QStringLiteral("--pictures"), workDir().path()};
        if (timed)
            wkz.start(QStringLiteral("/usr/bin/time"),
                      QStringList{QStringLiteral("-f"), QStringLiteral("%M"),
                                  QString::fromStdString(kBinDir + "wkz")}
                          + args);
        else
            wkz.start(QString::fromStdString(kBinDir + "wkz"), args);
        if (!wkz.waitForFinished(600000) || wkz.exitCode() != 0) {
            state.SkipWithError("wkz print failed");
            return;
        }
        if (timed)
            peakMb =
                std::max(peakMb, wkz.readAllStandardError().trimmed().split('\n').last().toDouble()
                                     / 1024.0);
    }
    state.counters["KB/page"] = double(QFile(pdfPath).size()) / 1024.0 / double(n);
    if (timed)
        state.counters["peakMB"] = peakMb;
}

// wkz check of the forty-field class: start-up, dictionary, every card laid
// out and measured, every word looked up.
void WkzCheck(benchmark::State& state)
{
    writeBenchPicture();
    const std::size_t n = static_cast<std::size_t>(state.range(0));
    const QString classPath = workDir().filePath(QStringLiteral("check_%1.wkz").arg(n));
    saveClassFileAt(classPath.toStdString(), fortyFieldCard(n));
    for (auto _ : state) {
        QProcess wkz;
        wkz.start(
            QString::fromStdString(kBinDir + "wkz"),
            {QStringLiteral("check"), classPath, QStringLiteral("--pictures"), workDir().path()});
        // 0 nothing found, 3 findings: both are a finished check.
        if (!wkz.waitForFinished(600000) || (wkz.exitCode() != 0 && wkz.exitCode() != 3)) {
            state.SkipWithError("wkz check failed");
            return;
        }
        state.counters["findings"] = double(wkz.readAllStandardOutput().count('\n'));
    }
}

BENCHMARK(PdfSample)->Arg(100)->Arg(1000)->Arg(3000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(PdfForty)->Arg(100)->Arg(1000)->Arg(3000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(WkzPrint)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(3000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
BENCHMARK(WkzCheck)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace
