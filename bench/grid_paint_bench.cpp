// Painting a full 1920 x 1080 view of a 4,999 x 4,999 grid whose owner
// answers every cell at once: the cost of one frame while scrolling.

#include "grid/celledi.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QScrollBar>

#include <benchmark/benchmark.h>

#include <array>
#include <string>

using namespace wykazki;

namespace {

constexpr std::array<const char*, 6> kTexts = {"celujący", "bdb", "5", "", "zwolniony", "4,25"};

// An owner as cheap as an owner window's: texts from a short list.
class CheapOwner : public CellEdiOwner {
public:
    CellEdiEvents boundEvents() const override
    {
        return CellEdiEvent::OnOczko | CellEdiEvent::OnTopInfo | CellEdiEvent::OnLeftInfo;
    }
    void cellText(TCellEdi&, int x, int y, TTekstOczka& ato) const override
    {
        ato.tekst[0] = kTexts[std::size_t(x + y) % kTexts.size()];
        if ((x + y) % 3 == 0)
            ato.kolor = 0xFFFF00;
    }
    void columnHeader(TCellEdi&, int column, TTekstOczka& ato) const override
    {
        ato.tekst[0] = "Uczeń " + std::to_string(column + 1);
    }
    void rowHeader(TCellEdi&, int row, TTekstOczka& ato) const override
    {
        ato.tekst[0] = "Fraza " + std::to_string(row + 1);
    }
};

// A grid as an owner window would set it up.
class BenchGrid {
public:
    BenchGrid()
    {
        grid_.setAttribute(Qt::WA_DontShowOnScreen);
        grid_.resize(1920, 1080);
        grid_.setIlx(4999);
        grid_.setIly(4999);
        grid_.setSzerInfo(100);
        grid_.setOwner(&owner_);
        grid_.show();
        QApplication::processEvents();
    }

    TCellEdi& grid() { return grid_; }

    void render() { grid_.render(&image_); }

private:
    CheapOwner owner_;
    TCellEdi grid_;
    QImage image_{1920, 1080, QImage::Format_ARGB32_Premultiplied};
};

void paintFullViewport(benchmark::State& state)
{
    BenchGrid painted;
    // Somewhere in the middle, where scrolling has taken the user.
    painted.grid().horizontalScrollBar()->setValue(int(state.range(0)));
    painted.grid().verticalScrollBar()->setValue(int(state.range(0)));
    for (auto _ : state)
        painted.render();
    state.counters["cells"] =
        double(painted.grid().visibleColumnCount()) * double(painted.grid().visibleRowCount());
}
BENCHMARK(paintFullViewport)->Arg(0)->Arg(2500)->Unit(benchmark::kMillisecond);

void scrollAndPaint(benchmark::State& state)
{
    BenchGrid painted;
    int row = 0;
    for (auto _ : state) {
        row = (row + 7) % 4900;  // a page-sized jump, then a fresh frame
        painted.grid().verticalScrollBar()->setValue(row);
        painted.render();
    }
}
BENCHMARK(scrollAndPaint)->Unit(benchmark::kMillisecond);

// The cell painting alone, the same cells as one frame, without the view:
// what the view itself adds is the difference to paintFullViewport.
void paintCellsOnly(benchmark::State& state)
{
    BenchGrid painted;
    TCellEdi& grid = painted.grid();
    QImage image(1920, 1080, QImage::Format_ARGB32_Premultiplied);
    const int columns = grid.visibleColumnCount();
    const int rows = grid.visibleRowCount();
    for (auto _ : state) {
        QPainter painter(&image);
        painter.setFont(grid.font());
        painter.setPen(Qt::black);
        for (int c = 1; c <= columns; ++c)
            for (int r = 1; r <= rows; ++r)
                paintCell(grid, painter, c, r, QRect((c - 1) * 100, (r - 1) * 14, 99, 13), {},
                          ColouringMode::AsOnScreen, PaintTarget::Screen);
    }
}
BENCHMARK(paintCellsOnly)->Unit(benchmark::kMillisecond);

}  // namespace
