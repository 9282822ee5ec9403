#pragma once
// Draws one page of one pupil's report card: every phrase of the requested
// page at its millimetre position (plus the options' shift) on any
// QPainter — printer, preview, PDF or image alike.

#include "picturecache.h"
#include "placedelement.h"

#include <cstddef>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

class QPaintDevice;
class QPainter;

namespace wykazki {

class TDokumenty;
class TFrazy;
struct TFra;
struct TOpcje;

// The sheet sizes printing accepts, in millimetres, both directions.
inline constexpr int kSmallestSheetMm = 1;
inline constexpr int kLargestSheetMm = 1000;

// Whether the options' sheet lies within those limits.
bool sheetSizeUsable(const TOpcje& options);
// Why it does not, in the program's words (UTF-8), for the status bar.
std::string sheetSizeProblem(const TOpcje& options);

// A picture a card was printed without.
struct MissingPicture {
    std::size_t pupil = 0;  // index from 0
    std::string fileName;   // as the class file names it (Windows-1250)
    bool damaged = false;   // the file exists but does not decode completely, or is too large
    bool operator==(const MissingPicture&) const = default;
};

class CertificateRenderer {
public:
    // The document objects are only read and must outlive the renderer.
    // Pictures are looked up in programFolder (ending with a separator) and
    // loaded once for the renderer's lifetime: use one renderer per print
    // job, PDF or paint.
    CertificateRenderer(const TFrazy& phrases, const TDokumenty& pupils, const TOpcje& options,
                        std::string programFolder);

    // The page's elements in drawing order, boxes in the device's pixels.
    // clipWidthPx/clipHeightPx bound every box; scale (the preview's) shrinks
    // positions and font sizes of the full-size page. A pupil outside the
    // list, or a page no phrase is on, gives nothing. A picture that is
    // missing, lies outside the program folder, or does not decode
    // completely is left out and noted in missingPictures().
    std::vector<PlacedElement> layoutPage(const QPaintDevice& device, std::size_t pupil, int page,
                                          int clipWidthPx, int clipHeightPx, double scale);

    // layoutPage() on the painter's device, then paintElements().
    void drawPage(QPainter& painter, std::size_t pupil, int page, int clipWidthPx, int clipHeightPx,
                  double scale);

    // Pictures left out so far, once per pupil and name, in the order met.
    const std::vector<MissingPicture>& missingPictures() const { return missingPictures_; }

private:
    PlacedElement placeText(const QPaintDevice& device, std::size_t pupil, std::size_t j,
                            const TFra& value, PixelBox box, int clipWidthPx, int clipHeightPx,
                            double scale) const;
    std::optional<PlacedElement> placePicture(std::size_t pupil, std::size_t j, const TFra& value,
                                              PixelBox box, int clipWidthPx, int clipHeightPx,
                                              double scale);

    const TFrazy& phrases_;
    const TDokumenty& pupils_;
    const TOpcje& options_;
    PictureCache pictures_;
    std::set<std::pair<std::size_t, std::string>> notedPictures_;
    std::vector<MissingPicture> missingPictures_;
    // The computed average of the last pupil asked for: layoutPage reads
    // the document anew each time, so it is only kept within one call.
    const std::string& averageOf(std::size_t pupil) const;
    mutable std::optional<std::size_t> averagePupil_;
    mutable std::string averageText_;
};

// Paints placed elements in order, later ones over earlier ones. The
// painter's state is left as it was.
void paintElements(QPainter& painter, const std::vector<PlacedElement>& elements);

}  // namespace wykazki
