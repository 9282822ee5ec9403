// Reading and writing a large class: 1,000 pupils x 100 phrases (about 6 MB)
// in memory, and 5,000 pupils x 200 phrases (about 74 MB) read from disk with
// the peak memory the read takes.

#include "document/classfile.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

using namespace wykazki;

namespace {

ClassFileContents largeClass(std::size_t kPhrases = 100, std::size_t kPupils = 1000)
{
    ClassFileContents c;
    c.phrases.resize(kPhrases);
    for (std::size_t j = 0; j < kPhrases; ++j) {
        TFra& f = c.phrases[j];
        f.name = "Przedmiot " + std::to_string(j);
        f.kind = j % 3 == 0 ? PhraseKind::Text : PhraseKind::Grade;
        f.x0 = static_cast<std::int16_t>(j);
        f.y0 = 10.5f + static_cast<float>(j);
        f.fontName = "Times New Roman";
    }
    c.pupils.resize(kPupils, kPhrases);
    for (std::size_t i = 0; i < kPupils; ++i)
        for (std::size_t j = 0; j < kPhrases; ++j) {
            TFra& v = c.pupils.value(i, j);
            if (j % 3 == 0)
                v.text = "Uczen " + std::to_string(i) + " tekst " + std::to_string(j);
            else
                v.grade = static_cast<std::int8_t>((i + j) % 6);
        }
    return c;
}

const ClassFileContents& fixture()
{
    static const ClassFileContents c = largeClass();
    return c;
}

void BM_WriteClassFile(benchmark::State& state)
{
    const ClassFileContents& c = fixture();
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::string out = writeClassFile(c);
        bytes = out.size();
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
    state.counters["file_MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_WriteClassFile)->Unit(benchmark::kMillisecond);

void BM_ReadClassFile(benchmark::State& state)
{
    const std::string bytes = writeClassFile(fixture());
    for (auto _ : state) {
        ClassFileContents c = readClassFile(std::string_view(bytes));
        benchmark::DoNotOptimize(c.pupils.count());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ReadClassFile)->Unit(benchmark::kMillisecond);

// The resident-set high-water mark in MB, and a way to start it again from
// the current size (Linux only; elsewhere both do nothing).
double peakMb()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stod(line.substr(6)) / 1024.0;
    return 0.0;
}

void resetPeak()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

// 5,000 pupils x 200 phrases written once to a temporary file.
const std::filesystem::path& bigClassFile()
{
    static const std::filesystem::path path = [] {
        const auto p = std::filesystem::temp_directory_path()
                       / ("wkz-bench-" + std::to_string(::getpid()) + ".wkz");
        const std::string bytes = writeClassFile(largeClass(200, 5000));
        std::ofstream(p, std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        std::atexit([] { std::filesystem::remove(bigClassFile()); });
        return p;
    }();
    return path;
}

void BM_ReadClassFileFromDisk5000x200(benchmark::State& state)
{
    const auto& path = bigClassFile();
    const auto size = std::filesystem::file_size(path);
    double peak = 0.0;
    for (auto _ : state) {
        state.PauseTiming();
        resetPeak();
        const double before = peakMb();
        state.ResumeTiming();
        {
            ClassFileContents c = readClassFileAt(path);
            benchmark::DoNotOptimize(c.pupils.count());
        }
        peak = std::max(peak, peakMb() - before);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
    state.counters["file_MB"] = static_cast<double>(size) / 1e6;
    state.counters["read_peak_MB"] = peak;
}
BENCHMARK(BM_ReadClassFileFromDisk5000x200)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
