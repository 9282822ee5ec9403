#include "certificatepdf.h"

#include "certificaterenderer.h"

#include "document/ekolmoerror.h"
#include "document/tdokumenty.h"
#include "document/tfra.h"
#include "document/topcje.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace wykazki {

std::vector<MissingPicture> writeCertificatesPdf(QIODevice& out, const CertificatePdfJob& job)
{
    // Qt would quietly print an impossible sheet as US Letter or 0 points wide.
    if (!sheetSizeUsable(job.options))
        throw EKolmoError(ErrorCode::PrintFailed, sheetSizeProblem(job.options));
    QPdfWriter writer(&out);
    writer.setCreator(QStringLiteral("Wykazki"));
    writer.setResolution(job.resolutionDpi);
    // Exactly the class's sheet, positions counted from its corner.
    const QPageSize sheet(QSizeF(job.options.width, job.options.height), QPageSize::Millimeter,
                          QString(), QPageSize::ExactMatch);
    writer.setPageLayout(
        QPageLayout(sheet, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));

    // One renderer for the whole file: every picture is loaded and stored once.
    CertificateRenderer renderer(job.phrases, job.pupils, job.options, job.programFolder);
    QPainter painter;
    if (!painter.begin(&writer))
        throw EKolmoError(ErrorCode::PrintFailed);
    bool first = true;
    for (std::size_t pupil : job.pupilIndexes) {
        if (!first && !writer.newPage())
            throw EKolmoError(ErrorCode::PrintFailed);
        first = false;
        renderer.drawPage(painter, pupil, job.page, writer.width(), writer.height(), 1.0);
    }
    if (!painter.end())
        throw EKolmoError(ErrorCode::PrintFailed);
    return renderer.missingPictures();
}

}  // namespace wykazki
