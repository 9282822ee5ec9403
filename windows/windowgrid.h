#pragma once
// The grid a window shows under its toolbar, "CellEdi1": one column and one
// row to start with, row headers headerWidth pixels wide, cells cellWidth
// wide and 14 high. The window sizes and binds it afterwards.

class QWidget;

namespace wykazki {

class TCellEdi;

TCellEdi* makeWindowGrid(QWidget& parent, int headerWidth, int cellWidth);

}  // namespace wykazki
