#include "grid/cellpainter.h"

#include "grid/celledi.h"
#include "grid/celltextcache.h"
#include "qtbridge/colorref.h"
#include "qtbridge/cp1250text.h"

#include <QPainter>

#include <string>

namespace wykazki {

namespace {

constexpr TKolor kBlack = 0x000000;
constexpr TKolor kWhite = 0xFFFFFF;

Qt::Alignment horizontalAlignment(TJustTyp just)
{
    switch (just) {
    case TJustTyp::Centralnie: return Qt::AlignHCenter;
    case TJustTyp::Prawo: return Qt::AlignRight;
    default: return Qt::AlignLeft;
    }
}

// Line breaks in a cell text start new lines, however they are written.
QString displayText(const std::string& bytes)
{
    QString text = qstringFromCp1250(bytes);
    if (text.contains(u'\r')) {
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        text.replace(u'\r', u'\n');
    }
    return text;
}

// A filled rectangle as the platform's Rectangle(l, t, r, b) draws it: the
// outline covers l .. r-1 and t .. b-1.
void drawOutlinedRect(QPainter& painter, const QPoint& origin, int l, int t, int r, int b,
                      TKolor fill)
{
    painter.setBrush(toQColor(fill));
    painter.drawRect(QRect(origin.x() + l, origin.y() + t, r - l - 1, b - t - 1));
}

void drawCornerButtons(QPainter& painter, const QRect& rect)
{
    painter.save();
    painter.setPen(QPen(Qt::white, 1));
    const int g = rect.width() / 7;
    const int h = rect.height() / 3;
    const QPoint o = rect.topLeft();
    drawOutlinedRect(painter, o, g - 1, h - 1, 2 * g + 1, 2 * h + 1, 0x0000FF);
    drawOutlinedRect(painter, o, 3 * g - 1, h - 1, 4 * g + 1, 2 * h + 1, 0x008000);
    drawOutlinedRect(painter, o, 5 * g - 1, h - 1, 6 * g + 1, 2 * h + 1, 0xFF0000);
    painter.restore();
}

}  // namespace

void paintCell(PaintedGrid& grid, QPainter& painter, int column, int row, const QRect& rect,
               CellState state, ColouringMode colouring, PaintTarget target)
{
    // Only a selected data cell is highlighted.
    const bool highlighted = column != 0 && row != 0 && state.selected;
    const TTekstOczka ato = grid.cellContent(column, row);
    const GridColours colours = grid.colours();

    TKolor text = colours.font;
    TKolor background = ato.kolor;
    if (highlighted) {
        text = colours.cursorFont;
        background = grid.isCurrentCell(column, row) ? colours.cursor : colours.selection;
    } else {
        switch (colouring) {
        case ColouringMode::BlackAndWhite:
            text = kBlack;
            background = kWhite;
            break;
        case ColouringMode::AsOnScreen: break;
        case ColouringMode::TextOnly: {
            const bool plain =
                ato.kolor == kWhite || ato.kolor == colours.cell || ato.kolor == colours.header;
            text = plain ? kBlack : ato.kolor;
            background = kWhite;
            break;
        }
        }
    }

    painter.fillRect(rect, toQColor(background));

    // Parts side by side, each w wide; what the integer division leaves
    // over at the right edge belongs to no part.
    const QPen linePen = painter.pen();
    const int parts = ato.partCount();
    const int w = rect.width() / parts;
    const int left = rect.left();
    painter.setPen(toQColor(text));
    for (int i = 0; i < parts; ++i) {
        const std::string& part = ato.tekst[std::size_t(i)];
        if (part.empty() || w <= 4)
            continue;
        const QRect area(left + i * w + 2, rect.top(), w - 4, rect.height());
        const Qt::Alignment alignment = horizontalAlignment(ato.just[std::size_t(i)]);
        if (target == PaintTarget::Screen && grid.textCache().draw(painter, area, alignment, part))
            continue;
        // A text too long for its part is cut at the part's edge, never
        // drawn over the neighbouring cell, on every device alike.
        painter.save();
        painter.setClipRect(area, Qt::IntersectClip);
        painter.drawText(area, int(alignment | Qt::AlignTop), displayText(part));
        painter.restore();
    }
    painter.setPen(linePen);
    for (int i = 1; i < parts; ++i)
        painter.drawLine(left + i * w, rect.top(), left + i * w, rect.bottom());

    if (target == PaintTarget::Screen) {
        const QColor penColour = painter.pen().color();
        grid.ownerGraphics(painter, column, row, rect.topLeft());
        QPen pen = painter.pen();
        pen.setColor(penColour);
        painter.setPen(pen);
    }

    if (ato.liniaLewa != 0 || ato.liniaGorna != 0) {
        const QPen saved = painter.pen();
        if (ato.liniaLewa != 0) {
            painter.setPen(QPen(Qt::black, ato.liniaLewa));
            painter.drawLine(rect.left(), rect.top(), rect.left(), rect.bottom());
        }
        if (ato.liniaGorna != 0) {
            painter.setPen(QPen(Qt::black, ato.liniaGorna));
            painter.drawLine(rect.left(), rect.top(), rect.right(), rect.top());
        }
        painter.setPen(saved);
    }

    if (target == PaintTarget::Screen && column == 0 && row == 0 && grid.hasCornerButtons())
        drawCornerButtons(painter, rect);
}

void paintCell(TCellEdi& grid, QPainter& painter, int column, int row, const QRect& rect,
               CellState state, ColouringMode colouring, PaintTarget target)
{
    paintCell(grid.paintView(), painter, column, row, rect, state, colouring, target);
}

}  // namespace wykazki
