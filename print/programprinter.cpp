#include "programprinter.h"

#include <QFileInfo>
#include <QMarginsF>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>

namespace wykazki {

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

QString outputFileProblem(const QPrinter& printer)
{
    if (printer.outputFormat() != QPrinter::PdfFormat || printer.outputFileName().isEmpty())
        return {};
    const QFileInfo file(printer.outputFileName());
    // The write bits as ls shows them, whoever runs the program.
    constexpr QFile::Permissions kWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    if (file.isFile() && !(file.permissions() & kWrite))
        return QStringLiteral("%1: plik jest tylko do odczytu").arg(file.fileName());
    return {};
}

QString printerDisplayName(const QPrinter& printer)
{
    if (printer.outputFormat() == QPrinter::PdfFormat)
        return printer.outputFileName();
    return printer.printerName();
}

void useForTables(QPrinter& printer)
{
    QPageLayout layout = printer.pageLayout();
    layout.setMode(QPageLayout::StandardMode);
    const QMarginsF chosen = layout.margins();
    const QMarginsF least = layout.minimumMargins();
    layout.setMargins(QMarginsF(
        std::max(chosen.left(), least.left()), std::max(chosen.top(), least.top()),
        std::max(chosen.right(), least.right()), std::max(chosen.bottom(), least.bottom())));
    printer.setPageLayout(layout);
}

}  // namespace wykazki
