// The layout view after one edit: a phrase of the sample class moved by a
// millimetre through the edit layer, the view laid out again and painted
// at fit-page zoom beside the phrase editor's grid. One frame is 16 ms.

#include "windows/dialogs.h"
#include "windows/ffwfrazy.h"
#include "windows/ffwmain.h"
#include "windows/layoutpanel.h"
#include "windows/layoutview.h"
#include "windows/programcontext.h"
#include "windows/wykazkiapplication.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace wykazki;

namespace {

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

// The program on a copy of the sample class and its pictures.
struct SampleProgram {
    QTemporaryDir folder;
    std::unique_ptr<ProgramContext> context;

    SampleProgram()
    {
        const QDir bin(QStringLiteral(WYKAZKI_BIN_DIR));
        for (const QString& name :
             bin.entryList({QStringLiteral("*.wkz"), QStringLiteral("*.bmp")}))
            QFile::copy(bin.filePath(name), folder.filePath(name));
        context = std::make_unique<ProgramContext>(folder.path().toStdString() + "/",
                                                   std::make_unique<NoDialogs>());
        context->mainWindow().show();
        context->phraseEditor().resize(1100, 800);
        context->phraseEditor().showAtRow(0);
        context->phraseEditor().layoutPanel().setFit(LayoutPanel::Fit::Page);
        QCoreApplication::processEvents();
    }
    LayoutView& view() { return context->phraseEditor().layoutPanel().view(); }
};

void BM_RepaintAfterOneEdit(benchmark::State& state)
{
    SampleProgram program;
    DocumentEditor& editor = program.context->editor();
    std::int16_t step = 1;
    for (auto _ : state) {
        TFra phrase = program.context->document().phrases()[0];
        phrase.x0 = static_cast<std::int16_t>(phrase.x0 + step);
        step = static_cast<std::int16_t>(-step);
        editor.setPhrases(QStringLiteral("bench"), {{0, phrase}});
        // Painted into a picture, as the screen would be.
        benchmark::DoNotOptimize(program.view().grab());
    }
    state.counters["phrases"] = double(program.context->document().phrases().count());
    state.counters["scale"] = program.view().scale();
}
BENCHMARK(BM_RepaintAfterOneEdit)->Unit(benchmark::kMillisecond);

}  // namespace
