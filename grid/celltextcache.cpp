#include "grid/celltextcache.h"

#include "qtbridge/cp1250text.h"

#include <QFontMetricsF>
#include <QPainter>

namespace wykazki {

bool CellTextCache::draw(QPainter& painter, const QRect& area, Qt::Alignment alignment,
                         const std::string& bytes)
{
    if (bytes.find_first_of("\r\n") != std::string::npos)
        return false;
    const int dpi = painter.device()->logicalDpiY();
    if (painter.font() != font_ || dpi != dpi_ || entries_.size() >= kMaxEntries) {
        entries_.clear();
        font_ = painter.font();
        dpi_ = dpi;
        lineHeight_ = QFontMetricsF(font_, painter.device()).height();
    }
    auto [it, added] = entries_.try_emplace(bytes);
    Entry& entry = it->second;
    if (added) {
        entry.text.setText(qstringFromCp1250(bytes));
        entry.text.setTextFormat(Qt::PlainText);
        entry.text.prepare(QTransform(), font_);
        entry.width = entry.text.size().width();
    }
    qreal x = area.left();
    if (alignment & Qt::AlignRight)
        x = area.left() + area.width() - entry.width;
    else if (alignment & Qt::AlignHCenter)
        x = area.left() + (area.width() - entry.width) / 2;
    const bool fits = entry.width <= area.width() && lineHeight_ <= area.height();
    if (fits) {
        painter.drawStaticText(QPointF(x, area.top()), entry.text);
    } else {
        painter.save();
        painter.setClipRect(area, Qt::IntersectClip);
        painter.drawStaticText(QPointF(x, area.top()), entry.text);
        painter.restore();
    }
    return true;
}

}  // namespace wykazki
