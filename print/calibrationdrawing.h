#pragma once
// The calibration page: rulers and crosshairs at known millimetre
// positions, shifted as report cards are shifted, so that a teacher can
// measure how far the printer puts things from where they belong.

#include <QSizeF>

class QIODevice;
class QPainter;

namespace wykazki {

struct TOpcje;

// Where the crosshairs' centres belong, in millimetres from the sheet's
// top left corner, the same both across and down.
inline constexpr double kNearCrossMm = 20.0;
inline constexpr double kFarCrossMm = 50.0;

// Draws the page on a plain sheet of sheetMm: millimetre rulers along the
// top and left edges (a tick every millimetre, a longer one every 5, a
// number every 10), crosshairs with a small circle centred at 20 and 50 mm
// both ways, and the instruction in the middle. Everything is moved by
// leftMm to the right and topMm down, as the options' shift moves a card;
// pixelsPerMm is that of the painter's device. Rulers are never longer
// than the largest sheet printing accepts, and a sheet, shift or scale that
// is not a finite number draws nothing.
void drawCalibrationPage(QPainter& painter, QSizeF sheetMm, double leftMm, double topMm,
                         double pixelsPerMm);

// The calibration page as a one-page PDF of exactly the options' sheet at
// dpi, shifted by the options' left and top, written to out (open for
// writing). Throws EKolmoError(ErrorCode::PrintFailed) when the PDF cannot
// be written, and with a detail when the sheet lies outside 1..1000 mm.
void writeCalibrationPdf(QIODevice& out, const TOpcje& options, int dpi = 1200);

}  // namespace wykazki
