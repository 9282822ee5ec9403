#include "textbox.h"

#include "units.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <climits>

namespace wykazki {

namespace {

bool isSpace(QChar c)
{
    return c == u' ' || c == u'\t';
}

bool isLineBreak(QChar c)
{
    return c == u'\r' || c == u'\n';
}

}  // namespace

int textBoxFlags(int alignment, bool hasWidth)
{
    int flags = Qt::TextWordWrap | Qt::AlignTop;
    if (hasWidth && alignment == 1)
        flags |= Qt::AlignHCenter;
    else if (hasWidth && alignment == 2)
        flags |= Qt::AlignRight;
    else
        flags |= Qt::AlignLeft;
    return flags;
}

std::vector<TextLine> layoutTextLines(const QFontMetrics& metrics, int pixelsPerInch,
                                      const QString& text, const PixelBox& box, int flags,
                                      double lineSpacingMm)
{
    std::vector<TextLine> lines;
    if (lineSpacingMm == 0.0 || box.isEmpty() || text.isEmpty())
        return lines;

    const int lineHeightPx = metrics.height();
    const int extraPx = mmToPixels(pixelsPerInch, lineSpacingMm);  // never scaled by the preview
    const int pitchPx = addPixels(lineHeightPx, extraPx);
    // Only the width matters when measuring; the height is left open.
    const QRect measureRect(0, 0, box.widthPx(), INT_MAX / 4);
    auto linesHigh = [&](qsizetype from, qsizetype to) {
        return metrics.boundingRect(measureRect, flags, text.mid(from, to - from)).height();
    };
    // One line as Qt measures it; a font's rounded character cell can be a
    // pixel shorter than Qt's line, which must not count as a second line.
    const int oneLinePx = std::max(lineHeightPx, linesHigh(0, 1));

    // Paragraph by paragraph: a line break always starts a new line, and an
    // empty paragraph is an empty line, as without a correction.
    const qsizetype n = text.size();
    int topPx = box.topPx;
    auto fits = [&] { return !(pitchPx > 0 && topPx >= box.bottomPx); };  // else cut away
    auto addLine = [&](qsizetype from, qsizetype to) {
        lines.push_back(
            {text.mid(from, to - from), PixelBox{box.leftPx, topPx, box.rightPx, box.bottomPx}});
        topPx = addPixels(topPx, pitchPx);
    };
    qsizetype start = 0;
    while (start < n && fits()) {
        qsizetype end = start;
        while (end < n && !isLineBreak(text[end]))
            ++end;
        if (start == end)
            addLine(start, end);
        while (start < end && fits()) {
            qsizetype breakAt = -1;
            qsizetype i = start;
            bool overflow = false;
            for (;;) {
                if (isSpace(text[i]))
                    breakAt = i;
                ++i;
                if (linesHigh(start, i) > oneLinePx) {
                    overflow = true;
                    break;
                }
                if (i >= end)
                    break;
            }
            if (!overflow)
                breakAt = end;
            else if (
                breakAt
                <= start)  // a line without a blank: break before the character that overflowed
                breakAt = std::max(i - 1, start + 1);
            addLine(start, breakAt);
            // A wrapped line's blanks stay at the break.
            start = breakAt;
            while (start < end && isSpace(text[start]))
                ++start;
        }
        // One line break: CR LF, LF or CR.
        start = end;
        if (start < n && text[start] == u'\r' && start + 1 < n && text[start + 1] == u'\n')
            ++start;
        if (start < n)
            ++start;
    }
    return lines;
}

void drawTextLines(QPainter& painter, const std::vector<TextLine>& lines, int flags)
{
    for (const TextLine& line : lines)
        if (!line.box.isEmpty())
            painter.drawText(line.box.rect(), flags, line.text);
}

void drawTextBox(QPainter& painter, const QString& text, const PixelBox& box, int flags,
                 double lineSpacingMm)
{
    if (box.isEmpty() || text.isEmpty())
        return;
    if (lineSpacingMm == 0.0) {
        painter.drawText(box.rect(), flags, text);
        return;
    }
    const std::vector<TextLine> lines =
        layoutTextLines(painter.fontMetrics(), surfacePixelsPerInch(*painter.device()), text, box,
                        flags, lineSpacingMm);
    drawTextLines(painter, lines, flags);
}

}  // namespace wykazki
