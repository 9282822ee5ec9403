#include "programprinter.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPrinter>

std::unique_ptr<QPrinter> makeProgramPrinter()
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    // The painter's origin is the paper's corner, not the printable area's.
    printer->setFullPage(true);
    printer->setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    return printer;
}
