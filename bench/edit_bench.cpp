// One grade key into a 1,000 x 100 selection of a 1,000-pupil class, as the
// pupil grid gives it to the edit layer: the fill, its undo record and the
// change notice a window repaints from. Also the memory that 1,000 such
// steps keep on the undo stack.

#include "editing/documenteditor.h"

#include <benchmark/benchmark.h>

#include <malloc.h>

using namespace wykazki;

namespace {

constexpr std::size_t kPupils = 1000;
constexpr std::size_t kPhrases = 100;

ClassFileContents gradeClass()
{
    ClassFileContents c;
    c.phrases.resize(kPhrases);
    for (std::size_t j = 0; j < kPhrases; ++j)
        c.phrases[j].kind = PhraseKind::Grade;
    c.pupils.resize(kPupils, kPhrases);
    for (std::size_t i = 0; i < kPupils; ++i)
        for (std::size_t j = 0; j < kPhrases; ++j)
            c.pupils.value(i, j).grade = static_cast<std::int8_t>((i * 7 + j * 3) % 6);
    return c;
}

const CellBlock kSelection{0, 0, kPupils - 1, kPhrases - 1};

void BM_GradeKeyIntoBlock(benchmark::State& state)
{
    Document document;
    DocumentEditor editor(document);
    editor.takeOver(gradeClass());
    std::size_t notices = 0;
    QObject::connect(&editor, &DocumentEditor::changed, [&](const DocumentChange&) { ++notices; });
    int key = 0;
    for (auto _ : state) {
        // Keys 1..6 in turn, so that every press changes every cell.
        editor.fillBlock(QStringLiteral("wpisanie oceny"), kSelection, PhraseKind::Grade,
                         static_cast<std::int8_t>(key++ % 6));
    }
    state.counters["cells"] = double(kPupils * kPhrases);
    state.counters["notices"] = double(notices);
}
BENCHMARK(BM_GradeKeyIntoBlock)->Unit(benchmark::kMillisecond);

void BM_ThousandStepsOfMemory(benchmark::State& state)
{
    for (auto _ : state) {
        Document document;
        DocumentEditor editor(document);
        editor.takeOver(gradeClass());
        const std::size_t before = mallinfo2().uordblks;
        for (int step = 0; step < 1000; ++step)
            editor.fillBlock(QStringLiteral("wpisanie oceny"), kSelection, PhraseKind::Grade,
                             static_cast<std::int8_t>(step % 6));
        const std::size_t after = mallinfo2().uordblks;
        state.counters["undo_MB"] = double(after - before) / (1024.0 * 1024.0);
        state.counters["steps"] = double(editor.undoStack().count());
    }
}
BENCHMARK(BM_ThousandStepsOfMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
