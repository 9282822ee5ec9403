#include "calibrationpage.h"

#include "calibrationdrawing.h"
#include "certificaterenderer.h"
#include "programprinter.h"
#include "units.h"

#include "document/ekolmoerror.h"
#include "document/topcje.h"

#include <QPainter>
#include <QPrinter>
#include <QSizeF>

namespace wykazki {

QString calibrationJobTitle()
{
    return QStringLiteral("Strona kalibracyjna");
}

void printCalibrationPage(QPrinter& printer, const TOpcje& options)
{
    // The same checks, in the same order, as a job of report cards.
    if (!sheetSizeUsable(options))
        throw EKolmoError(ErrorCode::PrintFailed, sheetSizeProblem(options));
    if (!canPrintOn(printer))
        throw EKolmoError(ErrorCode::PrintFailed);
    if (const QString problem = outputFileProblem(printer); !problem.isEmpty())
        throw EKolmoError(ErrorCode::PrintFailed, problem.toStdString());
    // Measured from the sheet's corner, as the cards are placed.
    printer.setFullPage(true);
    printer.setDocName(calibrationJobTitle());

    QPainter painter;
    if (!painter.begin(&printer))
        throw EKolmoError(ErrorCode::PrintFailed);
    drawCalibrationPage(painter, QSizeF(options.width, options.height), options.left, options.top,
                        surfacePixelsPerInch(printer) / 25.4);
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        throw EKolmoError(ErrorCode::PrintFailed);
}

}  // namespace wykazki
