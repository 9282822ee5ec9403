#include "printjob.h"

#include <QFileInfo>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QSizeF>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace wykazki {

namespace {

// Polish nouns after a number: one, a few (2–4 but not 12–14), many.
QString countedNoun(std::size_t n, const char* one, const char* few, const char* many)
{
    const std::size_t units = n % 10;
    const std::size_t tens = n % 100;
    const char* noun = many;
    if (n == 1)
        noun = one;
    else if (units >= 2 && units <= 4 && (tens < 12 || tens > 14))
        noun = few;
    return QStringLiteral("%1 %2").arg(n).arg(QString::fromUtf8(noun));
}

}  // namespace

QString certificatesText(std::size_t count)
{
    return countedNoun(count, "świadectwo", "świadectwa", "świadectw");
}

QString copiesText(int count)
{
    return countedNoun(static_cast<std::size_t>(std::max(count, 0)), "kopia", "kopie", "kopii");
}

QString cardJobTitle(const QString& classFile, int page)
{
    QString name = QFileInfo(classFile).completeBaseName();
    if (name.isEmpty())
        name = QStringLiteral("bez nazwy");
    return QStringLiteral("Świadectwa – %1 – strona %2").arg(name).arg(page + 1);
}

QString tableJobTitle(const QString& title)
{
    return QStringLiteral("Tabela – %1").arg(title);
}

QSizeF formScanSizeMm(const QImage& scan, const QSizeF& sheetMm)
{
    constexpr double kMmPerMetre = 1000.0;
    if (scan.dotsPerMeterX() > 0 && scan.dotsPerMeterY() > 0) {
        const QSizeF own(scan.width() * kMmPerMetre / scan.dotsPerMeterX(),
                         scan.height() * kMmPerMetre / scan.dotsPerMeterY());
        const double across = own.width() / sheetMm.width();
        const double down = own.height() / sheetMm.height();
        if (across >= 0.8 && across <= 1.05 && down >= 0.8 && down <= 1.05)
            return own;
    }
    return sheetMm;
}

void drawFormScan(QPainter& painter, const QImage& scan, const QSizeF& sheetMm, double pixelsPerMm)
{
    if (scan.isNull() || sheetMm.isEmpty())
        return;
    const QSizeF size = formScanSizeMm(scan, sheetMm) * pixelsPerMm;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(QPointF(0, 0), size), scan);
    painter.restore();
}

void drawProofMark(QPainter& painter, const QSizeF& sheetMm, double pixelsPerMm)
{
    constexpr double kMarginMm = 4.0;
    constexpr double kHeightMm = 3.0;
    painter.save();
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(std::max(1, static_cast<int>(kHeightMm * pixelsPerMm)));
    painter.setFont(font);
    painter.setPen(QColor(128, 128, 128));
    const QRectF area(kMarginMm * pixelsPerMm, kMarginMm * pixelsPerMm,
                      (sheetMm.width() - 2 * kMarginMm) * pixelsPerMm, 2 * kHeightMm * pixelsPerMm);
    painter.drawText(area, Qt::AlignRight | Qt::AlignTop, QStringLiteral("WYDRUK PRÓBNY"));
    painter.restore();
}

PageBuffers::PageBuffers()
{
#if defined(__GLIBC__)
    constexpr int kKeep = 64 * 1024 * 1024;
    mallopt(M_MMAP_THRESHOLD, kKeep);
    mallopt(M_TRIM_THRESHOLD, kKeep);
    mallopt(M_TOP_PAD, 16 * 1024 * 1024);
#endif
}

PageBuffers::~PageBuffers()
{
#if defined(__GLIBC__)
    // glibc's defaults (mallopt(3)).
    constexpr int kDefault = 128 * 1024;
    mallopt(M_MMAP_THRESHOLD, kDefault);
    mallopt(M_TRIM_THRESHOLD, kDefault);
    mallopt(M_TOP_PAD, kDefault);
    malloc_trim(0);
#endif
}

}  // namespace wykazki
