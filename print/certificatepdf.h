#pragma once
// Report cards as a PDF: one page per pupil, the page size the class's
// sheet, drawn by the certificate renderer at a fixed resolution with the
// fonts embedded.

#include "certificaterenderer.h"

#include <cstddef>
#include <string>
#include <vector>

class QIODevice;

namespace wykazki {

class TDokumenty;
class TFrazy;
struct TOpcje;

inline constexpr int kPdfResolution = 1200;  // dots per inch

struct CertificatePdfJob {
    const TFrazy& phrases;
    const TDokumenty& pupils;
    const TOpcje& options;
    std::vector<std::size_t> pupilIndexes;  // from 0, in page order
    int page = 0;                           // of the form, 0..3
    std::string programFolder;              // where pictures are looked up
    int resolutionDpi = kPdfResolution;
};

// Writes the PDF to out (open for writing) and returns the pictures the
// cards were printed without (missing, outside the program folder, damaged
// or too large). Throws EKolmoError(ErrorCode::PrintFailed) when the PDF cannot be
// written, and with a detail when the sheet lies outside 1..1000 mm.
std::vector<MissingPicture> writeCertificatesPdf(QIODevice& out, const CertificatePdfJob& job);

}  // namespace wykazki
