// The preview window flipping through a class of 1,000 pupils: each
// opening shows the next pupil's page 1 of the sample class (its pupils
// repeated up to 1,000), laid out, painted once and closed. A flip within
// one frame (16 ms) is without delay.

#include "document/classfile.h"
#include "document/document.h"
#include "windows/ffwpodglad.h"

#include <benchmark/benchmark.h>

#include <QTimer>

#include <string>

using namespace wykazki;

namespace {

const std::string kBinDir = WYKAZKI_BIN_DIR "/";

Document thousandPupils()
{
    ClassFileContents c = readClassFileAt(kBinDir + "Przyklad.wkz");
    const TDokumenty original = c.pupils;
    c.pupils.clear();
    for (std::size_t i = 0; i < 1000; ++i)
        c.pupils.push_back(original[i % original.count()]);
    Document doc;
    doc.takeOver(std::move(c));
    return doc;
}

void BM_PreviewNextPupil(benchmark::State& state)
{
    const Document doc = thousandPupils();
    Tffwpodglad preview(kBinDir);
    int pupil = 0;
    for (auto _ : state) {
        // Painted as the window first shows, then closed as a key would.
        QTimer::singleShot(0, &preview, [&preview] {
            preview.repaint();
            preview.accept();
        });
        preview.preview(doc, pupil, 0);
        pupil = (pupil + 1) % 1000;
    }
}
BENCHMARK(BM_PreviewNextPupil)->Unit(benchmark::kMillisecond);

}  // namespace
