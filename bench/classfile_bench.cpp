// Reading and writing a large class: 1,000 pupils x 100 phrases (about 6 MB).

#include "document/classfile.h"

#include <benchmark/benchmark.h>

namespace {

ClassFileContents largeClass()
{
    ClassFileContents c;
    constexpr std::size_t kPhrases = 100;
    constexpr std::size_t kPupils = 1000;
    c.frazy.resize(kPhrases);
    for (std::size_t j = 0; j < kPhrases; ++j) {
        TFra& f = c.frazy[j];
        f.name = "Przedmiot " + std::to_string(j);
        f.kind = j % 3 == 0 ? kRodzajTekst : kRodzajOcena;
        f.x0 = static_cast<std::int16_t>(j);
        f.y0 = 10.5f + static_cast<float>(j);
        f.fontName = "Times New Roman";
    }
    c.dokumenty.resize(kPupils, kPhrases);
    for (std::size_t i = 0; i < kPupils; ++i)
        for (std::size_t j = 0; j < kPhrases; ++j) {
            TFra& v = c.dokumenty.value(i, j);
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
        benchmark::DoNotOptimize(c.dokumenty.count());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ReadClassFile)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
