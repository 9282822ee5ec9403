#pragma once
// Laid-out cell texts for the screen. A grid repaints the same few texts
// (grades, names, placeholders) over and over while scrolling; laying each
// out once and drawing it as a QStaticText keeps a frame of a large grid
// cheap. Printing does not use it.

#include <QFont>
#include <QStaticText>

#include <string>
#include <unordered_map>

class QPainter;
class QRect;

namespace wykazki {

class CellTextCache {
public:
    // Draws a one-line Windows-1250 text into area, top-aligned and
    // horizontally aligned by alignment, clipped to area like the general
    // drawing. False (nothing drawn) for a text with line breaks, which the
    // caller draws the general way.
    bool draw(QPainter& painter, const QRect& area, Qt::Alignment alignment,
              const std::string& bytes);

private:
    struct Entry {
        QStaticText text;
        qreal width = 0;
    };

    // Enough for every distinct text of a screenful many times over; the
    // cache starts afresh when it would grow beyond this.
    static constexpr std::size_t kMaxEntries = 16384;

    std::unordered_map<std::string, Entry> entries_;
    QFont font_;
    int dpi_ = 0;
    qreal lineHeight_ = 0;
};

}  // namespace wykazki
