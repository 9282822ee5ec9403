#pragma once
// The program's one printer: high resolution and the full page with no
// margins, so that millimetres on a card count from the sheet's edge.

#include <QString>

#include <memory>

class QPrinter;

namespace wykazki {

std::unique_ptr<QPrinter> makeProgramPrinter();

// Tables are printed on the printable area, within the margins chosen in
// the printer dialog but never closer to the edge than the printer can
// print. (Report cards switch back to the full sheet for themselves.)
void useForTables(QPrinter& printer);

// Whether a job on printer would reach paper or a file. Without any
// printer Qt falls back to PDF output with no file to write, and a native
// printer that has gone would take the job and print nothing.
bool canPrintOn(const QPrinter& printer);

// Why a job on printer must not start, or an empty text: a PDF output that
// exists and is read-only is refused ("plik jest tylko do odczytu") rather
// than written over. (An existing PDF that is written keeps its mode and
// group: Qt writes it in place; a new one follows the umask.)
QString outputFileProblem(const QPrinter& printer);

// The printer's name for the windows: the queue, or the file a PDF goes to.
QString printerDisplayName(const QPrinter& printer);

}  // namespace wykazki
