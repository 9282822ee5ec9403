#include "programprinter.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>

std::unique_ptr<QPrinter> makeProgramPrinter()
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    // The painter's origin is the paper's corner, not the printable area's.
    printer->setFullPage(true);
    printer->setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    return printer;
}

bool canPrintOn(const QPrinter& printer)
{
    if (!printer.isValid())
        return false;
    if (printer.outputFormat() == QPrinter::NativeFormat)
        return !QPrinterInfo::availablePrinters().isEmpty();
    return !printer.outputFileName().isEmpty();
}

QString printerDisplayName(const QPrinter& printer)
{
    if (printer.outputFormat() == QPrinter::PdfFormat)
        return printer.outputFileName();
    return printer.printerName();
}
