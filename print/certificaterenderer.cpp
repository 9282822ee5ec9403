#include "certificaterenderer.h"

#include "qtbridge/cp1250text.h"
#include "units.h"

#include "document/computedvalues.h"
#include "document/grades.h"
#include "document/tdokumenty.h"
#include "document/tfra.h"
#include "document/topcje.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace wykazki {

namespace {

const TFra& defaultValue()
{
    static const TFra record;
    return record;
}

PixelBox scaled(const PixelBox& box, double scale)
{
    return {applyScale(box.leftPx, scale), applyScale(box.topPx, scale),
            applyScale(box.rightPx, scale), applyScale(box.bottomPx, scale)};
}

}  // namespace

bool sheetSizeUsable(const TOpcje& options)
{
    auto usable = [](int mm) { return mm >= kSmallestSheetMm && mm <= kLargestSheetMm; };
    return usable(options.width) && usable(options.height);
}

std::string sheetSizeProblem(const TOpcje& options)
{
    return "Wymiary arkusza " + std::to_string(options.width) + " × "
           + std::to_string(options.height) + " mm są poza zakresem od "
           + std::to_string(kSmallestSheetMm) + " do " + std::to_string(kLargestSheetMm) + " mm";
}

CertificateRenderer::CertificateRenderer(const TFrazy& phrases, const TDokumenty& pupils,
                                         const TOpcje& options, std::string programFolder)
    : phrases_(phrases), pupils_(pupils), options_(options), pictures_(std::move(programFolder))
{
}

std::vector<PlacedElement> CertificateRenderer::layoutPage(const QPaintDevice& device,
                                                           std::size_t pupil, int page,
                                                           int clipWidthPx, int clipHeightPx,
                                                           double scale)
{
    std::vector<PlacedElement> elements;
    if (pupil >= pupils_.count())
        return elements;
    clipWidthPx = std::max(clipWidthPx, 0);
    clipHeightPx = std::max(clipHeightPx, 0);
    const int dpi = surfacePixelsPerInch(device);
    const TFrazy& values = pupils_[pupil].values;
    averagePupil_.reset();  // the grades may have changed since the last page

    for (std::size_t j = 0; j < phrases_.count(); ++j) {
        const TFra& phrase = phrases_[j];
        if (phrase.page != page)
            continue;
        const TFra& value = j < values.count() ? values[j] : defaultValue();

        // The shift is added in millimetres before converting: x0 and the
        // shift as whole millimetres, y0 as the stored float. The sums are
        // made in double precision, where no stored value overflows.
        PixelBox box;
        box.leftPx = mmToPixels(dpi, double(phrase.x0) + double(options_.left));
        box.topPx = mmToPixels(dpi, double(phrase.y0) + double(options_.top));
        box.rightPx = addPixels(box.leftPx, mmToPixels(dpi, phrase.width));
        box.bottomPx = addPixels(box.topPx, mmToPixels(dpi, phrase.height));

        if (phrase.kind == PhraseKind::Picture) {
            if (auto placed = placePicture(pupil, j, value, box, clipWidthPx, clipHeightPx, scale))
                elements.push_back(std::move(*placed));
        } else if (phrase.kind == PhraseKind::Text || phrase.kind == PhraseKind::Grade) {
            elements.push_back(
                placeText(device, pupil, j, value, box, clipWidthPx, clipHeightPx, scale));
        }
    }
    return elements;
}

const std::string& CertificateRenderer::averageOf(std::size_t pupil) const
{
    // Many average phrases on one card cost one average.
    if (averagePupil_ != pupil) {
        averagePupil_ = pupil;
        averageText_ = averageText(pupilAverage(phrases_, pupils_, pupil));
    }
    return averageText_;
}

PlacedElement CertificateRenderer::placeText(const QPaintDevice& device, std::size_t pupil,
                                             std::size_t j, const TFra& value, PixelBox box,
                                             int clipWidthPx, int clipHeightPx, double scale) const
{
    const TFra& phrase = phrases_[j];
    PlacedElement e;
    e.phrase = j;
    e.kind = ElementKind::Text;
    e.font = fontFromPhrase(phrase, scale);
    box = scaled(box, scale);
    e.text = phrase.kind == PhraseKind::Grade
                 ? qstringFromCp1250(gradeWording(options_, value.grade))
             : taggedRole(phrase) == PhraseRole::Average ? qstringFromCp1250(averageOf(pupil))
                                                         : qstringFromCp1250(value.text);

    // y0 is the base line: the first line stands on it.
    const QFontMetrics metrics(e.font.font, &device);
    const int textHeightPx = metrics.height();
    box.topPx = addPixels(box.topPx, -textHeightPx);
    box.bottomPx = addPixels(box.bottomPx, -textHeightPx);

    // A box without width or height reaches the surface's right or bottom
    // edge. Whether it has one is decided before the box is moved inside
    // the surface, so that a box pushed in from a negative position keeps
    // its reach.
    const bool noWidth = box.rightPx == box.leftPx;
    const bool noHeight = box.bottomPx == box.topPx;
    box.leftPx = std::clamp(box.leftPx, 0, clipWidthPx);
    box.topPx = std::clamp(box.topPx, 0, clipHeightPx);
    box.rightPx = std::min(noWidth ? clipWidthPx : box.rightPx, clipWidthPx);
    box.bottomPx = std::min(noHeight ? clipHeightPx : box.bottomPx, clipHeightPx);
    e.box = box;

    // Text without a width is always left-aligned.
    e.flags = textBoxFlags(phrase.align, phrase.width > 0);
    // A correction that is not a number is none.
    e.lineSpacingMm = std::isnan(phrase.lineSpacing) ? 0.0 : phrase.lineSpacing;
    if (e.lineSpacingMm != 0.0)
        e.lines = layoutTextLines(metrics, surfacePixelsPerInch(device), e.text, e.box, e.flags,
                                  e.lineSpacingMm);
    return e;
}

std::optional<PlacedElement> CertificateRenderer::placePicture(std::size_t pupil, std::size_t j,
                                                               const TFra& value, PixelBox box,
                                                               int clipWidthPx, int clipHeightPx,
                                                               double scale)
{
    // The pupil's own picture when the pupil grid gave one, else the phrase's.
    const TFra& phrase = phrases_[j];
    const std::string& name = value.picture.empty() ? phrase.picture : value.picture;
    PictureCache::State state = PictureCache::State::Loaded;
    const QImage* picture = pictures_.find(name, &state);
    if (!picture) {
        // Skipped; the card prints without it, and the caller can name it.
        if (!name.empty() && notedPictures_.emplace(pupil, name).second)
            missingPictures_.push_back({pupil, name, state == PictureCache::State::Damaged});
        return std::nullopt;
    }

    PlacedElement e;
    e.phrase = j;
    e.kind = ElementKind::Picture;
    e.picture = *picture;  // shares the cached image's data and cache key

    box = scaled(box, scale);
    int widthPx = box.widthPx();
    int heightPx = box.heightPx();
    if (widthPx <= 0)
        widthPx = picture->width();
    if (heightPx <= 0)
        heightPx = picture->height();
    // The picture stands on its base line.
    box.topPx = addPixels(box.topPx, -heightPx);
    box.leftPx = std::clamp(box.leftPx, 0, clipWidthPx);
    box.topPx = std::clamp(box.topPx, 0, clipHeightPx);
    box.rightPx = std::min(box.leftPx + widthPx, clipWidthPx);
    box.bottomPx = std::min(box.topPx + heightPx, clipHeightPx);
    e.box = box;
    return e;
}

void CertificateRenderer::drawPage(QPainter& painter, std::size_t pupil, int page, int clipWidthPx,
                                   int clipHeightPx, double scale)
{
    paintElements(painter,
                  layoutPage(*painter.device(), pupil, page, clipWidthPx, clipHeightPx, scale));
}

void paintElements(QPainter& painter, const std::vector<PlacedElement>& elements)
{
    painter.save();
    for (const PlacedElement& e : elements) {
        if (e.kind == ElementKind::Picture) {
            if (!e.box.isEmpty())
                painter.drawImage(e.box.rect(), e.picture);  // stretched into the box
            continue;
        }
        painter.setFont(e.font.font);
        painter.setPen(e.font.color);
        if (e.lineSpacingMm == 0.0)
            drawTextBox(painter, e.text, e.box, e.flags, 0.0);
        else
            drawTextLines(painter, e.lines, e.flags);
    }
    painter.restore();
}

}  // namespace wykazki
