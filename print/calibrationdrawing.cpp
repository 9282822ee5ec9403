#include "calibrationdrawing.h"

#include "certificaterenderer.h"

#include "document/ekolmoerror.h"
#include "document/topcje.h"

#include <QFont>
#include <QLineF>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPen>
#include <QRectF>

#include <algorithm>
#include <cmath>

namespace wykazki {

namespace {

constexpr double kPenMm = 0.15;
constexpr double kTickMm = 1.5;      // every millimetre
constexpr double kTickFiveMm = 3.0;  // every 5 mm
constexpr double kTickTenMm = 5.0;   // every 10 mm, numbered
constexpr double kNumberMm = 2.5;    // height of the rulers' numbers
constexpr double kArmMm = 8.0;       // a crosshair's arms from its centre
constexpr double kCircleMm = 3.0;    // radius of its circle
constexpr double kLabelMm = 2.5;     // height of its label
constexpr double kTitleMm = 5.0;
constexpr double kBodyMm = 3.5;
constexpr double kTextSideMm = 25.0;   // the instruction's margins left and right
constexpr double kTextBelowMm = 62.0;  // never higher than just below the far crosshair
// Beyond this shift every mark lies off the largest sheet anyway; keeping
// within it keeps device coordinates small whatever a class file holds.
constexpr double kLargestShiftMm = 2.0 * kLargestSheetMm;
// 25,400 dpi: far beyond any printer.
constexpr double kLargestPixelsPerMm = 1000.0;

// Millimetres on the shifted sheet to the device's pixels.
class ShiftedSheet {
public:
    ShiftedSheet(double leftMm, double topMm, double pixelsPerMm)
        : leftMm_(leftMm), topMm_(topMm), pixelsPerMm_(pixelsPerMm)
    {
    }
    QPointF at(double xMm, double yMm) const
    {
        return {(xMm + leftMm_) * pixelsPerMm_, (yMm + topMm_) * pixelsPerMm_};
    }
    QRectF rect(double xMm, double yMm, double widthMm, double heightMm) const
    {
        return {at(xMm, yMm), QSizeF(widthMm * pixelsPerMm_, heightMm * pixelsPerMm_)};
    }
    double length(double mm) const { return mm * pixelsPerMm_; }
    QFont font(double heightMm, bool bold = false) const
    {
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setPixelSize(std::max(1, static_cast<int>(heightMm * pixelsPerMm_)));
        f.setBold(bold);
        return f;
    }

private:
    double leftMm_;
    double topMm_;
    double pixelsPerMm_;
};

double tickLength(int mm)
{
    if (mm % 10 == 0)
        return kTickTenMm;
    return mm % 5 == 0 ? kTickFiveMm : kTickMm;
}

void drawRulers(QPainter& painter, const ShiftedSheet& sheet, int acrossMm, int downMm)
{
    painter.setFont(sheet.font(kNumberMm));
    for (int x = 0; x <= acrossMm; ++x) {
        painter.drawLine(QLineF(sheet.at(x, 0), sheet.at(x, tickLength(x))));
        if (x > 0 && x % 10 == 0 && x + kNumberMm <= acrossMm)
            painter.drawText(sheet.rect(x - 5, kTickTenMm + 0.3, 10, 2 * kNumberMm),
                             Qt::AlignHCenter | Qt::AlignTop, QString::number(x));
    }
    for (int y = 0; y <= downMm; ++y) {
        painter.drawLine(QLineF(sheet.at(0, y), sheet.at(tickLength(y), y)));
        if (y > 0 && y % 10 == 0 && y + kNumberMm / 2 <= downMm)
            painter.drawText(sheet.rect(kTickTenMm + 0.5, y - kNumberMm, 10, 2 * kNumberMm),
                             Qt::AlignLeft | Qt::AlignVCenter, QString::number(y));
    }
}

void drawCrosshair(QPainter& painter, const ShiftedSheet& sheet, double centreMm)
{
    painter.drawLine(
        QLineF(sheet.at(centreMm - kArmMm, centreMm), sheet.at(centreMm + kArmMm, centreMm)));
    painter.drawLine(
        QLineF(sheet.at(centreMm, centreMm - kArmMm), sheet.at(centreMm, centreMm + kArmMm)));
    painter.drawEllipse(sheet.at(centreMm, centreMm), sheet.length(kCircleMm),
                        sheet.length(kCircleMm));
    painter.setFont(sheet.font(kLabelMm));
    painter.drawText(sheet.rect(centreMm + kCircleMm + 0.5, centreMm + 0.5, 20, 2 * kLabelMm),
                     Qt::AlignLeft | Qt::AlignTop,
                     QStringLiteral("%1 mm").arg(static_cast<int>(centreMm)));
}

// "3", "-2", "2,5": as the teacher would write it.
QString millimetres(double mm)
{
    return QString::number(mm, 'g', 6).replace(u'.', u',');
}

void drawInstruction(QPainter& painter, const ShiftedSheet& sheet, QSizeF sheetMm, double leftMm,
                     double topMm)
{
    const double widthMm = sheetMm.width() - 2 * kTextSideMm;
    const double topOfTextMm = std::max(sheetMm.height() / 2 - 25, kTextBelowMm);
    const double bodyTopMm = topOfTextMm + 2 * kTitleMm;
    const double bodyHeightMm = sheetMm.height() - bodyTopMm - 10;
    if (widthMm < 10 || bodyHeightMm < 10)
        return;  // no room on so small a sheet
    painter.setFont(sheet.font(kTitleMm, true));
    painter.drawText(sheet.rect(kTextSideMm, topOfTextMm, widthMm, 2 * kTitleMm),
                     Qt::AlignLeft | Qt::AlignTop, QStringLiteral("Strona kalibracyjna"));
    // Left-aligned, so that the shift's figures never move the other lines.
    const QString body =
        QStringLiteral(
            "Zmierz linijką, w jakiej odległości od lewej i od górnej krawędzi kartki "
            "wydrukowały się środki krzyżyków (powinno być 20 mm i 50 mm). Różnicę wpisz "
            "w Opcjach jako „Z lewej strony” i „Z góry” (w milimetrach; gdy wydruk jest za "
            "daleko, wpisz liczbę ujemną). Po wpisaniu przesunięcia wydrukuj stronę jeszcze "
            "raz: krzyżyki trafią na swoje miejsca.\n\n"
            "Przesunięcie tej strony: z lewej strony %1 mm, z góry %2 mm. Gdy nie jest zerowe, "
            "dodaj do niego zmierzoną różnicę.")
            .arg(millimetres(leftMm), millimetres(topMm));
    painter.setFont(sheet.font(kBodyMm));
    painter.drawText(sheet.rect(kTextSideMm, bodyTopMm, widthMm, bodyHeightMm),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, body);
}

}  // namespace

void drawCalibrationPage(QPainter& painter, QSizeF sheetMm, double leftMm, double topMm,
                         double pixelsPerMm)
{
    if (!std::isfinite(sheetMm.width()) || !std::isfinite(sheetMm.height())
        || !std::isfinite(leftMm) || !std::isfinite(topMm) || !std::isfinite(pixelsPerMm)
        || pixelsPerMm <= 0)
        return;
    const double largest = kLargestSheetMm;
    sheetMm = QSizeF(std::clamp(sheetMm.width(), 0.0, largest),
                     std::clamp(sheetMm.height(), 0.0, largest));
    leftMm = std::clamp(leftMm, -kLargestShiftMm, kLargestShiftMm);
    topMm = std::clamp(topMm, -kLargestShiftMm, kLargestShiftMm);
    const ShiftedSheet sheet(leftMm, topMm, std::min(pixelsPerMm, kLargestPixelsPerMm));

    painter.save();
    QPen pen(Qt::black);
    pen.setWidthF(sheet.length(kPenMm));
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    drawRulers(painter, sheet, static_cast<int>(sheetMm.width()),
               static_cast<int>(sheetMm.height()));
    drawCrosshair(painter, sheet, kNearCrossMm);
    drawCrosshair(painter, sheet, kFarCrossMm);
    drawInstruction(painter, sheet, sheetMm, leftMm, topMm);
    painter.restore();
}

void writeCalibrationPdf(QIODevice& out, const TOpcje& options, int dpi)
{
    if (!sheetSizeUsable(options))
        throw EKolmoError(ErrorCode::PrintFailed, sheetSizeProblem(options));
    QPdfWriter writer(&out);
    writer.setCreator(QStringLiteral("Wykazki"));
    writer.setTitle(QStringLiteral("Strona kalibracyjna"));
    writer.setResolution(dpi);
    const QSizeF sheetMm(options.width, options.height);
    writer.setPageLayout(
        QPageLayout(QPageSize(sheetMm, QPageSize::Millimeter, QString(), QPageSize::ExactMatch),
                    QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
    QPainter painter;
    if (!painter.begin(&writer))
        throw EKolmoError(ErrorCode::PrintFailed);
    drawCalibrationPage(painter, sheetMm, options.left, options.top, writer.resolution() / 25.4);
    if (!painter.end())
        throw EKolmoError(ErrorCode::PrintFailed);
}

}  // namespace wykazki
