#pragma once
// The program's logo, drawn rather than shipped: a report card sheet with
// its ruled lines and the program's initial. Shown by the print options
// window and available to any other window that wants it.

#include <QPixmap>

namespace wykazki {

QPixmap programLogo(QSize size);

}  // namespace wykazki
