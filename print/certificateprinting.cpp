#include "certificateprinting.h"

#include "certificaterenderer.h"
#include "printjob.h"
#include "programprinter.h"
#include "qtbridge/cp1250text.h"
#include "units.h"

#include "document/document.h"
#include "document/ekolmoerror.h"

#include <QPainter>
#include <QPrinter>
#include <QSizeF>
#include <QStringList>

#include <algorithm>

namespace wykazki {

namespace {

constexpr int kMostCopies = 99;

}  // namespace

std::size_t printCertificates(QPrinter& printer, const Document& doc,
                              const std::vector<std::size_t>& pupils, int page,
                              const std::string& programFolder,
                              std::vector<MissingPicture>* missing, const CardPrintOptions& options)
{
    std::vector<std::size_t> printed;
    printed.reserve(pupils.size());
    for (std::size_t pupil : pupils)
        if (pupil < doc.pupils().count())
            printed.push_back(pupil);
    if (printed.empty())
        return 0;
    if (!sheetSizeUsable(doc.options()))
        throw EKolmoError(ErrorCode::PrintFailed, sheetSizeProblem(doc.options()));
    if (!canPrintOn(printer))
        throw EKolmoError(ErrorCode::PrintFailed);
    if (const QString problem = outputFileProblem(printer); !problem.isEmpty())
        throw EKolmoError(ErrorCode::PrintFailed, problem.toStdString());
    // Cards are placed from the sheet's corner whatever the printer dialog
    // chose for tables.
    printer.setFullPage(true);

    // One renderer for the job: a picture on every card is read once.
    CertificateRenderer renderer(doc.phrases(), doc.pupils(), doc.options(), programFolder);
    QPainter painter;
    if (!painter.begin(&printer))
        throw EKolmoError(ErrorCode::PrintFailed);
    const auto copies = static_cast<std::size_t>(std::clamp(options.copies, 1, kMostCopies));
    const std::size_t sheets = printed.size() * copies;
    const QSizeF sheetMm(doc.options().width, doc.options().height);
    const double pixelsPerMm = surfacePixelsPerInch(printer) / 25.4;
    try {
        std::size_t done = 0;
        for (std::size_t pupil : printed) {
            for (std::size_t copy = 0; copy < copies; ++copy) {
                if (options.progress && !options.progress(done, sheets))
                    throw CardPrintingCancelled();
                if (done > 0 && !printer.newPage())
                    throw EKolmoError(ErrorCode::PrintFailed);
                if (options.proof) {
                    drawFormScan(painter, options.formScan, sheetMm, pixelsPerMm);
                    drawProofMark(painter, sheetMm, pixelsPerMm);
                }
                renderer.drawPage(painter, pupil, page, printer.width(), printer.height(), 1.0);
                ++done;
            }
        }
        if (options.progress)
            options.progress(sheets, sheets);
    } catch (...) {
        // Half a class is no use on official forms: the job is dropped
        // where the printer allows it.
        printer.abort();
        if (painter.isActive())
            painter.end();
        throw;
    }
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        throw EKolmoError(ErrorCode::PrintFailed);
    if (missing)
        *missing = renderer.missingPictures();
    return sheets;
}

QString missingPicturesText(const std::vector<MissingPicture>& missing)
{
    QStringList items;
    for (const MissingPicture& m : missing)
        items << QStringLiteral("uczeń %1: %2 (%3)")
                     .arg(m.pupil + 1)
                     .arg(qstringFromCp1250(m.fileName),
                          m.damaged ? QStringLiteral("uszkodzony lub za duży")
                                    : QStringLiteral("brak pliku"));
    if (items.isEmpty())
        return {};
    return QStringLiteral("Wydrukowano bez obrazków: ") + items.join(QStringLiteral("; "));
}

}  // namespace wykazki
