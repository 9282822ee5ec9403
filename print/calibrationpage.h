#pragma once
// Printing the calibration page on the program's printer.

// The drawing itself comes through the renderer's include folder.
#include "print/calibrationdrawing.h"

#include <QString>

class QPrinter;

namespace wykazki {

struct TOpcje;

// The queue's title of the job.
QString calibrationJobTitle();

// Prints the calibration page on printer as one job titled "Strona
// kalibracyjna": a sheet of the options' size, shifted by their "Z lewej
// strony" and "Z góry", from the paper's corner whatever the printer dialog
// chose for tables. Throws EKolmoError(ErrorCode::PrintFailed) when there
// is no printer to print on, the output file is read-only (with that as
// the detail), or the job cannot start or end, and with the reason as its
// detail when the options' sheet lies outside 1..1000 mm.
void printCalibrationPage(QPrinter& printer, const TOpcje& options);

}  // namespace wykazki
