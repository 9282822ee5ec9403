#include "programlogo.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace wykazki {

QPixmap programLogo(QSize size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    const int side = std::min(size.width(), size.height());
    if (side < 8)
        return QPixmap::fromImage(image);

    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // Drawn on a 100 × 100 square centred in the picture.
    p.translate((size.width() - side) / 2.0, (size.height() - side) / 2.0);
    p.scale(side / 100.0, side / 100.0);

    // A second card behind the first: the form has four pages.
    p.setPen(QPen(QColor(150, 150, 150), 1.2));
    p.setBrush(QColor(235, 235, 235));
    p.drawRect(QRectF(26, 8, 62, 84));

    // The card, its corner turned down.
    QPainterPath sheet;
    sheet.moveTo(14, 14);
    sheet.lineTo(64, 14);
    sheet.lineTo(78, 28);
    sheet.lineTo(78, 96);
    sheet.lineTo(14, 96);
    sheet.closeSubpath();
    p.setPen(QPen(QColor(90, 90, 90), 1.5));
    p.setBrush(Qt::white);
    p.drawPath(sheet);
    QPainterPath corner;
    corner.moveTo(64, 14);
    corner.lineTo(64, 28);
    corner.lineTo(78, 28);
    corner.closeSubpath();
    p.setBrush(QColor(215, 215, 215));
    p.drawPath(corner);

    // White and red: the colours of the official forms' heading.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 16, 46));
    p.drawRect(QRectF(20, 24, 22, 5));

    // Ruled lines with filled-in values.
    p.setPen(QPen(QColor(170, 170, 170), 1.0));
    for (int y = 40; y <= 88; y += 8)
        p.drawLine(QPointF(20, y), QPointF(72, y));
    p.setPen(QPen(QColor(20, 40, 120), 2.0, Qt::SolidLine, Qt::RoundCap));
    const double filled[] = {30, 44, 38, 50, 26, 40, 34};
    for (int i = 0; i < 7; ++i) {
        const double y = 39 + 8 * i;
        p.drawLine(QPointF(22, y), QPointF(22 + filled[i], y));
    }

    // The initial, in a navy seal at the card's foot.
    p.setPen(QPen(Qt::white, 2.0));
    p.setBrush(QColor(20, 40, 120));
    p.drawEllipse(QPointF(74, 78), 17, 17);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setBold(true);
    font.setPixelSize(20);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(57, 61, 34, 34), Qt::AlignCenter, QStringLiteral("W"));
    p.end();
    return QPixmap::fromImage(image);
}

}  // namespace wykazki
