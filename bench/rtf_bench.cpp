// The information document at the RTF reader's limits: reading and laying
// out the largest documents it accepts, at a narrow window and at the width
// a full-HD screen gives the information window. Each is laid out within
// 100 ms, so the window comes up at once whatever the file holds.

#include "richtext/rtfreader.h"

#include <QGuiApplication>
#include <QTextDocument>

#include <benchmark/benchmark.h>

using namespace wykazki;

namespace {

// The shapes that cost the layout most, each at the limits.
enum Shape {
    Words,       // words at 96 pt, every format change and font allowed
    Unbroken,    // one word without a space, at 96 pt
    Paragraphs,  // the most paragraphs, at 96 pt
};

QByteArray largestDocument(Shape shape)
{
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1250{\\fonttbl";
    for (int i = 0; i < rtf::kMaxFonts; ++i)
        rtf += "{\\f" + QByteArray::number(i) + "\\fcharset238 Font" + QByteArray::number(i) + ";}";
    rtf += "}\\fs192 ";
    switch (shape) {
    case Words: {
        // Runs of 50 characters in turn bold and in the next font.
        const int runs = rtf::kMaxFormatRuns - 1;
        const int perRun = rtf::kMaxCharacters / runs - 1;
        for (int i = 0; i < runs; ++i) {
            rtf += (i % 2 ? "\\b0" : "\\b") + QByteArray("\\f")
                   + QByteArray::number(i % rtf::kMaxFonts) + ' ';
            for (int c = 0; c < perRun; ++c)
                rtf += c % 7 == 6 ? ' ' : static_cast<char>('a' + c % 26);
        }
        break;
    }
    case Unbroken: rtf += QByteArray(rtf::kMaxCharacters * 99 / 100, 'W'); break;
    case Paragraphs: {
        const int perParagraph = rtf::kMaxCharacters / rtf::kMaxParagraphs - 1;
        for (int i = 0; i < rtf::kMaxParagraphs - 1; ++i)
            rtf += QByteArray(perParagraph, 'M') + "\\par ";
        break;
    }
    }
    return rtf + '}';
}

void BM_ReadLargestRtf(benchmark::State& state)
{
    const QByteArray rtf = largestDocument(static_cast<Shape>(state.range(0)));
    for (auto _ : state) {
        QTextDocument document;
        readRtf(rtf, document);
        benchmark::DoNotOptimize(document.characterCount());
    }
    state.counters["file_KB"] = static_cast<double>(rtf.size()) / 1024;
}
BENCHMARK(BM_ReadLargestRtf)
    ->Arg(Words)
    ->Arg(Unbroken)
    ->Arg(Paragraphs)
    ->Unit(benchmark::kMillisecond);

// What the window does when it is shown: the whole document laid out at
// its width.
void BM_LayoutLargestRtf(benchmark::State& state)
{
    const QByteArray rtf = largestDocument(static_cast<Shape>(state.range(0)));
    const auto width = static_cast<qreal>(state.range(1));
    double height = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QTextDocument document;
        readRtf(rtf, document);
        state.ResumeTiming();
        document.setTextWidth(width);
        height = document.size().height();
    }
    state.counters["screens"] = height / 1080;
}
BENCHMARK(BM_LayoutLargestRtf)
    ->ArgsProduct({{Words, Unbroken, Paragraphs}, {400, 1840}})
    ->Unit(benchmark::kMillisecond);

}  // namespace
