// Adding and removing a phrase at the top of a class of 1,000 pupils and
// 1,000 phrases while the main window's pupil grid and the phrase editor
// are both open: the change through the edit layer, its notice, and both
// grids repainted.

#include "windows/dialogs.h"
#include "windows/ffwfrazy.h"
#include "windows/ffwmain.h"
#include "windows/programcontext.h"
#include "windows/wykazkiapplication.h"

#include "grid/celledi.h"

#include <QDialog>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace wykazki;

namespace {

constexpr std::size_t kPupils = 1000;
constexpr std::size_t kPhrases = 1000;

// Nothing is asked while the benchmark runs; an error window closes at once.
class NoDialogs final : public Dialogs {
public:
    QString openFileName(QWidget*, const FileDialogRequest&) override { return {}; }
    QString saveFileName(QWidget*, const FileDialogRequest&) override { return {}; }
    QMessageBox::StandardButton question(QWidget*, const QString&, const QString&) override
    {
        return QMessageBox::No;
    }
    int runModal(QDialog&) override { return QDialog::Accepted; }
};

ClassFileContents bigClass()
{
    ClassFileContents c;
    c.phrases.resize(kPhrases);
    for (std::size_t j = 0; j < kPhrases; ++j) {
        c.phrases[j].name = "Fraza " + std::to_string(j);
        c.phrases[j].kind = static_cast<PhraseKind>(j % 3);
    }
    c.pupils.resize(kPupils, kPhrases);
    for (std::size_t i = 0; i < kPupils; ++i)
        for (std::size_t j = 0; j < kPhrases; ++j)
            c.pupils.value(i, j).grade = static_cast<std::int8_t>((i + j) % 6);
    return c;
}

// The program with both windows open on the big class.
struct OpenProgram {
    QTemporaryDir folder;
    ProgramContext context{folder.path().toStdString() + "/", std::make_unique<NoDialogs>()};

    OpenProgram()
    {
        context.mainWindow().resize(1280, 800);
        context.mainWindow().show();
        context.editor().takeOver(bigClass());
        context.phraseEditor().showAtRow(0);
        context.phraseEditor().resize(800, 600);
        repaint();
    }
    void repaint()
    {
        context.mainWindow().grid().viewport()->repaint();
        context.phraseEditor().grid().viewport()->repaint();
    }
};

void BM_AddPhraseAtTop(benchmark::State& state)
{
    OpenProgram program;
    DocumentEditor& editor = program.context.editor();
    for (auto _ : state) {
        editor.addPhrase(0);
        program.repaint();
        state.PauseTiming();
        editor.undoStack().undo();
        program.repaint();
        state.ResumeTiming();
    }
    state.counters["phrases"] = double(program.context.document().phrases().count());
}
BENCHMARK(BM_AddPhraseAtTop)->Unit(benchmark::kMillisecond);

void BM_RemovePhraseAtTop(benchmark::State& state)
{
    OpenProgram program;
    DocumentEditor& editor = program.context.editor();
    for (auto _ : state) {
        editor.removePhrase(0);
        program.repaint();
        state.PauseTiming();
        editor.undoStack().undo();
        program.repaint();
        state.ResumeTiming();
    }
    state.counters["phrases"] = double(program.context.document().phrases().count());
}
BENCHMARK(BM_RemovePhraseAtTop)->Unit(benchmark::kMillisecond);

}  // namespace
