#include "windowgrid.h"

#include "grid/celledi.h"

namespace wykazki {

TCellEdi* makeWindowGrid(QWidget& parent, int headerWidth, int cellWidth)
{
    auto* grid = new TCellEdi(&parent);
    grid->setObjectName(QStringLiteral("CellEdi1"));
    grid->setSzerInfo(headerWidth);
    grid->setDefaultSzerIo(cellWidth);
    grid->setDefaultWysIo(14);
    grid->setIlx(1);
    grid->setIly(1);
    return grid;
}

}  // namespace wykazki
