#include "textoverflow.h"

#include "units.h"

#include "document/tfra.h"

#include <QFontMetrics>

#include <algorithm>
#include <climits>
#include <cmath>

namespace wykazki {

namespace {

bool tooTallWrapped(const QFontMetrics& metrics, const PlacedElement& e, int widthPx, int heightPx)
{
    // More characters than the box could hold even at a pixel each cannot
    // fit; anything shorter is measured exactly as it is drawn.
    const int lineHeightPx = std::max(metrics.height(), 1);
    const qsizetype capacity =
        (qsizetype(heightPx / lineHeightPx) + 2) * (qsizetype(std::max(widthPx, 1)) + 1);
    if (e.text.size() > capacity)
        return true;
    const QRect open(0, 0, widthPx, INT_MAX / 4);
    return metrics.boundingRect(open, e.flags, e.text).height() > heightPx;
}

bool tooTallByLines(const QPaintDevice& device, const QFontMetrics& metrics, const PlacedElement& e)
{
    // Laid out in a box twice as high plus a line: any line reaching below
    // the real box, or text left over, is text the card cuts off.
    PixelBox roomy = e.box;
    const int lineHeightPx = metrics.height();
    roomy.bottomPx = addPixels(e.box.bottomPx, addPixels(e.box.heightPx(), lineHeightPx));
    const std::vector<TextLine> lines = layoutTextLines(metrics, surfacePixelsPerInch(device),
                                                        e.text, roomy, e.flags, e.lineSpacingMm);
    auto printable = [](const QString& text) {
        return std::count_if(text.begin(), text.end(), [](QChar c) { return !c.isSpace(); });
    };
    qsizetype laidOut = 0;
    for (const TextLine& line : lines) {
        if (addPixels(line.box.topPx, lineHeightPx) > e.box.bottomPx
            && !line.text.trimmed().isEmpty())
            return true;
        laidOut += printable(line.text);
    }
    // Line breaks and the blanks lines were broken at are not laid out.
    return laidOut < printable(e.text);
}

}  // namespace

TextFit measureTextFit(const QPaintDevice& device, const TFra& phrase, const PlacedElement& e)
{
    TextFit fit;
    if (e.kind != ElementKind::Text || e.text.isEmpty())
        return fit;
    const QFontMetrics metrics(e.font.font, &device);
    const int widthPx = e.box.widthPx();
    const int heightPx = e.box.heightPx();

    if (phrase.width > 0) {
        qsizetype start = 0;
        const qsizetype n = e.text.size();
        while (start < n) {
            while (start < n && e.text[start].isSpace())
                ++start;
            qsizetype end = start;
            while (end < n && !e.text[end].isSpace())
                ++end;
            if (end > start) {
                const QStringView word = QStringView(e.text).mid(start, end - start);
                // Short words cannot be too wide: measured only when even
                // the widest characters might not fit.
                const bool mightNotFit = qsizetype(metrics.maxWidth()) * word.size() > widthPx;
                if (word.size() > widthPx
                    || (mightNotFit && metrics.horizontalAdvance(word.toString()) > widthPx)) {
                    fit.overflow = TextOverflow::WordTooWide;
                    fit.word = word.left(40).toString();
                    return fit;
                }
            }
            start = end;
        }
    }
    if (phrase.height > 0) {
        const bool tooTall = e.lineSpacingMm == 0.0 ? tooTallWrapped(metrics, e, widthPx, heightPx)
                                                    : tooTallByLines(device, metrics, e);
        if (tooTall)
            fit.overflow = TextOverflow::TooTall;
    }
    return fit;
}

QImage measuringSurface(int dotsPerInch)
{
    QImage surface(1, 1, QImage::Format_Mono);
    const int dotsPerMetre = static_cast<int>(std::lround(dotsPerInch / 0.0254));
    surface.setDotsPerMeterX(dotsPerMetre);
    surface.setDotsPerMeterY(dotsPerMetre);
    return surface;
}

}  // namespace wykazki
