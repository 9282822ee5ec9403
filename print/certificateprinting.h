#pragma once
// Printing report cards: one page of the form for each chosen pupil, all
// in one print job on the given printer.

// The renderer's headers come through its own include folder.
#include "print/certificaterenderer.h"

#include <QImage>
#include <QString>

#include <cstddef>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

class QPrinter;

namespace wykazki {

class Document;

// How a job is printed beyond the pupils and the page.
struct CardPrintOptions {
    // Each card this many times, one after the other (1..99).
    int copies = 1;
    // A proof on plain paper: the scanned blank form (when not null) under
    // the texts and "WYDRUK PRÓBNY" in the corner. A real print has neither.
    bool proof = false;
    QImage formScan;
    // Told before each sheet (done sheets, all sheets); false cancels the
    // job, which is then aborted and CardPrintingCancelled thrown.
    std::function<bool(std::size_t done, std::size_t total)> progress;
};

// The teacher cancelled a job under way.
class CardPrintingCancelled : public std::runtime_error {
public:
    CardPrintingCancelled() : std::runtime_error("cancelled") {}
};

// Prints page `page` (0..3) of the cards of `pupils` (indexes from 0, in
// print order; indexes at or beyond the pupil count are skipped) on
// `printer`: the first pupil starts the job, every further one a new sheet,
// each drawn with the printer page's size in device pixels as the clip at
// scale 1.0. Pictures are looked up in programFolder and read once for the
// whole job. Returns the number of sheets printed; with no pupil left no
// job is started and 0 is returned.
//
// Pictures that are missing, outside the program folder, damaged or too
// large are left out; when missing is given it receives them.
//
// Throws EKolmoError(ErrorCode::PrintFailed) when there is no printer to print on,
// the job cannot start, or a new sheet or the end of the job fails (a job
// already started is aborted first), and, with the reason as its detail,
// when the class's sheet lies outside 1..1000 mm.
std::size_t printCertificates(QPrinter& printer, const Document& doc,
                              const std::vector<std::size_t>& pupils, int page,
                              const std::string& programFolder,
                              std::vector<MissingPicture>* missing = nullptr,
                              const CardPrintOptions& options = {});

// The status bar's list of pictures printed without: "Wydrukowano bez
// obrazków: uczeń 2: logo.bmp (brak pliku); …", empty for none.
QString missingPicturesText(const std::vector<MissingPicture>& missing);

}  // namespace wykazki
