// The grid's layout block: what a class file stores of a grid's looks.

#include "grid/celledi.h"

#include "document/classfile.h"
#include "document/ekolmoerror.h"
#include "grid/gridheader.h"
#include "qtbridge/cp1250text.h"

#include <algorithm>
#include <ostream>

namespace wykazki {

GridLayout TCellEdi::gridLayout() const
{
    GridLayout g;
    const QFont f = font();
    if (layoutFont_ && *layoutFont_ == f) {
        g.fontName = layoutFontName_;
        g.fontSize = layoutFontSize_;
    } else {
        g.fontName =
            cp1250FromQString(f.family(), Unmappable::Question).substr(0, kMaxFontNameBytes);
        g.fontSize = f.pointSize() > 0 ? f.pointSize() : layoutFontSize_;
    }
    g.bold = f.bold() ? 1 : 0;
    g.italic = f.italic() ? 1 : 0;
    g.underline = f.underline() ? 1 : 0;
    g.strikeout = f.strikeOut() ? 1 : 0;
    g.fontColor = fontColor_;
    g.cellWidth = defaultSzerIo_;
    g.cellHeight = defaultWysIo_;
    g.headerColor = infoKolor_;
    g.cellColor = oczkoKolor_;
    g.align = static_cast<std::uint8_t>(defaultJust_);
    g.columnWidths.assign(1, szerInfo_);
    for (int i = 0; i < Ilx(); ++i)
        g.columnWidths.push_back(SzerIo(i));
    g.rowHeights.assign(1, wysInfo_);
    for (int i = 0; i < Ily(); ++i)
        g.rowHeights.push_back(WysIo(i));
    return g;
}

void TCellEdi::applyLayout(const GridLayout& g)
{
    const std::string name = g.fontName.substr(0, kMaxFontNameBytes);
    QFont f = font();
    f.setFamily(qstringFromCp1250(name));
    if (g.fontSize > 0)
        f.setPointSize(g.fontSize);
    f.setBold(g.bold != 0);
    f.setItalic(g.italic != 0);
    f.setUnderline(g.underline != 0);
    f.setStrikeOut(g.strikeout != 0);
    setFont(f);
    layoutFont_ = font();
    layoutFontName_ = name;
    layoutFontSize_ = g.fontSize;
    fontColor_ = g.fontColor;

    // Stored as they are: the block's own sizes follow.
    defaultSzerIo_ = g.cellWidth;
    defaultWysIo_ = g.cellHeight;
    infoKolor_ = g.headerColor;
    oczkoKolor_ = g.cellColor;
    defaultJust_ = static_cast<TJustTyp>(g.align);

    // The counts are taken as they are; only a grid without any data
    // column or row, which Qt's view and every owner would trip over, is
    // kept at one.
    if (!g.columnWidths.empty())
        setSzerInfo(g.columnWidths[0]);
    const int columns = std::max(int(g.columnWidths.size()) - 1, 1);
    setCount(Qt::Horizontal, columns, false);
    for (std::size_t i = 1; i < g.columnWidths.size(); ++i)
        setSzerIo(int(i) - 1, g.columnWidths[i]);
    if (!g.rowHeights.empty())
        setWysInfo(g.rowHeights[0]);
    const int rows = std::max(int(g.rowHeights.size()) - 1, 1);
    setCount(Qt::Vertical, rows, false);
    for (std::size_t i = 1; i < g.rowHeights.size(); ++i)
        setWysIo(int(i) - 1, g.rowHeights[i]);
    Odswiez();
}

void TCellEdi::CzytajUklad(std::istream& in)
{
    applyLayout(readGridLayout(in));
}

void TCellEdi::ZapiszUklad(std::ostream& out) const
{
    const std::string block = writeGridLayout(gridLayout());
    out.write(block.data(), std::streamsize(block.size()));
    if (!out)
        throw EKolmoError(ErrorCode::WriteFailed);
}

}  // namespace wykazki
