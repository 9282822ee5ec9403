#include "glyphdrawings.h"

// The program's toolbar glyphs, drawn on a 32 x 32 design square and scaled
// to whatever size a button asks for. One style for all of them: a dark
// outline of 1.5 pixels, soft vertical gradients, the same palette.

#include <QColor>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

#include <algorithm>
#include <iterator>

namespace wykazki {

namespace {

const QColor kOutline(0x2a, 0x2f, 0x3a);
const QColor kPaper(0xff, 0xff, 0xff);
const QColor kPaperShade(0xe4, 0xe8, 0xef);
const QColor kBlue(0x2f, 0x6f, 0xc8);
const QColor kBlueDark(0x1d, 0x4a, 0x8c);
const QColor kGreen(0x2e, 0xa0, 0x43);
const QColor kGreenDark(0x1b, 0x6e, 0x2b);
const QColor kRed(0xd9, 0x34, 0x2b);
const QColor kRedDark(0x93, 0x1d, 0x17);
const QColor kGrey(0xb8, 0xbe, 0xc8);
const QColor kGreyDark(0x6b, 0x73, 0x80);
const QColor kYellow(0xf4, 0xc4, 0x30);

QPen outlinePen(qreal width = 1.5)
{
    return QPen(kOutline, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QBrush vertical(const QRectF& r, const QColor& top, const QColor& bottom)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    return g;
}

// A sheet of paper with a folded top-right corner.
void page(QPainter& p, const QRectF& r, qreal fold = 6)
{
    QPainterPath sheet;
    sheet.moveTo(r.left(), r.top());
    sheet.lineTo(r.right() - fold, r.top());
    sheet.lineTo(r.right(), r.top() + fold);
    sheet.lineTo(r.right(), r.bottom());
    sheet.lineTo(r.left(), r.bottom());
    sheet.closeSubpath();
    p.setPen(outlinePen());
    p.setBrush(vertical(r, kPaper, kPaperShade));
    p.drawPath(sheet);

    QPainterPath corner;
    corner.moveTo(r.right() - fold, r.top());
    corner.lineTo(r.right() - fold, r.top() + fold);
    corner.lineTo(r.right(), r.top() + fold);
    p.setBrush(kGrey);
    p.drawPath(corner);
}

// Text lines on a page.
void lines(QPainter& p, qreal left, qreal right, qreal top, int count, qreal step,
           const QColor& color = kGreyDark)
{
    p.setPen(QPen(color, 1.5, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < count; ++i) {
        const qreal y = top + i * step;
        const qreal end = (i == count - 1) ? left + (right - left) * 0.6 : right;
        p.drawLine(QPointF(left, y), QPointF(end, y));
    }
}

// A round badge with a white symbol drawn by the caller.
void badge(QPainter& p, const QPointF& centre, qreal radius, const QColor& light,
           const QColor& dark)
{
    QRadialGradient g(centre - QPointF(radius / 3, radius / 3), radius * 1.6);
    g.setColorAt(0, light.lighter(135));
    g.setColorAt(0.6, light);
    g.setColorAt(1, dark);
    p.setPen(QPen(dark.darker(130), 1.5));
    p.setBrush(g);
    p.drawEllipse(centre, radius, radius);
}

void whiteBar(QPainter& p, const QPointF& from, const QPointF& to, qreal width)
{
    p.setPen(QPen(Qt::white, width, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from, to);
}

// A printer with a sheet coming out of its top; the sheet's face is drawn by
// the caller into the returned rectangle.
QRectF printer(QPainter& p)
{
    const QRectF sheet(8.5, 2.5, 15, 15);
    p.setPen(outlinePen());
    p.setBrush(kPaper);
    p.drawRect(sheet);

    const QRectF body(2.5, 13.5, 27, 11);
    p.setBrush(vertical(body, kGrey.lighter(115), kGreyDark));
    p.drawRoundedRect(body, 2.5, 2.5);

    const QRectF tray(6.5, 21.5, 19, 8);
    p.setBrush(vertical(tray, kPaper, kPaperShade));
    p.drawRect(tray);
    lines(p, 9, 23, 24.5, 2, 3);

    p.setPen(Qt::NoPen);
    p.setBrush(kGreen);
    p.drawEllipse(QPointF(25.5, 17.5), 1.3, 1.3);
    return sheet;
}

void zapisz(QPainter& p)
{
    // A diskette.
    const QRectF body(3.5, 3.5, 25, 25);
    QPainterPath disk;
    disk.moveTo(body.left() + 2, body.top());
    disk.lineTo(body.right() - 4, body.top());
    disk.lineTo(body.right(), body.top() + 4);
    disk.lineTo(body.right(), body.bottom() - 2);
    disk.quadTo(body.right(), body.bottom(), body.right() - 2, body.bottom());
    disk.lineTo(body.left() + 2, body.bottom());
    disk.quadTo(body.left(), body.bottom(), body.left(), body.bottom() - 2);
    disk.lineTo(body.left(), body.top() + 2);
    disk.quadTo(body.left(), body.top(), body.left() + 2, body.top());
    p.setPen(outlinePen());
    p.setBrush(vertical(body, kBlue.lighter(125), kBlueDark));
    p.drawPath(disk);

    const QRectF shutter(9.5, 3.5, 13, 9);
    p.setBrush(vertical(shutter, QColor(0xee, 0xf0, 0xf4), kGrey));
    p.drawRect(shutter);
    p.setBrush(kBlueDark);
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(17.5, 5.5, 3, 5));

    const QRectF label(7.5, 16.5, 17, 12);
    p.setPen(outlinePen());
    p.setBrush(kPaper);
    p.drawRect(label);
    lines(p, 10, 22, 20.5, 2, 4, kBlue);
}

void pencil(QPainter& p, const QPointF& tip, qreal angleDeg, qreal length)
{
    p.save();
    p.translate(tip);
    p.rotate(angleDeg);
    // Along +x from the tip.
    const qreal w = 3.2;
    QPainterPath cone;
    cone.moveTo(0, 0);
    cone.lineTo(5, -w);
    cone.lineTo(5, w);
    cone.closeSubpath();
    p.setPen(outlinePen(1.2));
    p.setBrush(QColor(0xf1, 0xd3, 0xa5));
    p.drawPath(cone);
    p.setPen(Qt::NoPen);
    p.setBrush(kOutline);
    p.drawPolygon(QPolygonF({QPointF(0, 0), QPointF(1.8, -1.2), QPointF(1.8, 1.2)}));

    const QRectF shaft(5, -w, length - 9, 2 * w);
    p.setPen(outlinePen(1.2));
    p.setBrush(vertical(shaft, kYellow.lighter(120), QColor(0xd0, 0x94, 0x10)));
    p.drawRect(shaft);
    const QRectF ferrule(length - 4, -w, 1.8, 2 * w);
    p.setBrush(kGrey);
    p.drawRect(ferrule);
    const QRectF eraser(length - 2.2, -w, 2.6, 2 * w);
    p.setBrush(QColor(0xee, 0x8a, 0x9a));
    p.drawRoundedRect(eraser, 1, 1);
    p.restore();
}

void edytuj(QPainter& p)
{
    page(p, QRectF(3.5, 2.5, 19, 25));
    lines(p, 7, 18, 10.5, 4, 4);
    pencil(p, QPointF(12, 28), -50, 24);
}

void dodaj(QPainter& p)
{
    badge(p, QPointF(16, 16), 13, kGreen, kGreenDark);
    whiteBar(p, QPointF(16, 9), QPointF(16, 23), 4.5);
    whiteBar(p, QPointF(9, 16), QPointF(23, 16), 4.5);
}

void skasuj(QPainter& p)
{
    badge(p, QPointF(16, 16), 13, kRed, kRedDark);
    whiteBar(p, QPointF(9, 16), QPointF(23, 16), 4.5);
}

void drukuj(QPainter& p)
{
    // Printer with a table on its sheet: printing the grid's data.
    const QRectF sheet = printer(p);
    p.setPen(QPen(kBlue, 1));
    for (qreal x = sheet.left() + 5; x < sheet.right() - 1; x += 5)
        p.drawLine(QPointF(x, sheet.top() + 2), QPointF(x, sheet.bottom()));
    for (qreal y = sheet.top() + 3.5; y < sheet.bottom(); y += 3.5)
        p.drawLine(QPointF(sheet.left() + 1.5, y), QPointF(sheet.right() - 1.5, y));
}

void wykazka(QPainter& p)
{
    // Printer with a report card on its sheet: a red band, lines and a seal.
    const QRectF sheet = printer(p);
    p.setPen(Qt::NoPen);
    p.setBrush(kRed);
    p.drawRect(QRectF(sheet.left() + 1, sheet.top() + 2, sheet.width() - 2, 2));
    lines(p, sheet.left() + 2.5, sheet.right() - 6, sheet.top() + 7, 2, 3);
    p.setPen(QPen(kRedDark, 1));
    p.setBrush(kRed.lighter(120));
    p.drawEllipse(QPointF(sheet.right() - 3.5, sheet.top() + 8.5), 2.2, 2.2);
}

void opcje(QPainter& p)
{
    // A cog wheel.
    const QPointF c(16, 16);
    const int teeth = 8;
    QPainterPath cog;
    for (int i = 0; i < teeth * 4; ++i) {
        const qreal a = (i - 0.5) * M_PI * 2 / (teeth * 4);
        const bool outer = (i % 4) == 1 || (i % 4) == 2;
        const qreal r = outer ? 14 : 10.5;
        const QPointF pt(c.x() + r * qCos(a), c.y() + r * qSin(a));
        if (i == 0)
            cog.moveTo(pt);
        else
            cog.lineTo(pt);
    }
    cog.closeSubpath();
    QPainterPath hole;
    hole.addEllipse(c, 4.5, 4.5);
    cog = cog.subtracted(hole);
    p.setPen(outlinePen());
    QRadialGradient g(c - QPointF(4, 4), 18);
    g.setColorAt(0, QColor(0xdc, 0xe2, 0xea));
    g.setColorAt(1, kGreyDark);
    p.setBrush(g);
    p.drawPath(cog);
}

void podglad(QPainter& p)
{
    page(p, QRectF(2.5, 2.5, 19, 25));
    lines(p, 6, 17, 10.5, 3, 4);
    // Magnifying glass.
    const QPointF lens(19, 18);
    p.setPen(QPen(kOutline, 4.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(24, 23), QPointF(29, 28.5));
    p.setPen(QPen(QColor(0x5a, 0x3a, 0x1e), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(24.5, 23.5), QPointF(28.7, 28.2));
    QRadialGradient glass(lens - QPointF(2, 2), 8);
    glass.setColorAt(0, QColor(0xff, 0xff, 0xff, 230));
    glass.setColorAt(1, QColor(0xa8, 0xd0, 0xf4, 200));
    p.setPen(QPen(kOutline, 2.2));
    p.setBrush(glass);
    p.drawEllipse(lens, 6.5, 6.5);
}

void koniec(QPainter& p)
{
    // An open door and an arrow leaving through it.
    const QRectF frame(4.5, 3.5, 16, 25);
    p.setPen(outlinePen());
    p.setBrush(QColor(0x3a, 0x30, 0x28));
    p.drawRect(frame);
    QPainterPath door;
    door.moveTo(frame.left(), frame.top());
    door.lineTo(frame.left() + 9, frame.top() + 3);
    door.lineTo(frame.left() + 9, frame.bottom() + 2);
    door.lineTo(frame.left(), frame.bottom());
    door.closeSubpath();
    p.setBrush(vertical(frame, QColor(0xc8, 0x86, 0x4a), QColor(0x8a, 0x52, 0x24)));
    p.drawPath(door);
    p.setPen(Qt::NoPen);
    p.setBrush(kYellow);
    p.drawEllipse(QPointF(frame.left() + 7, frame.center().y() + 1), 1.2, 1.2);

    QPainterPath arrow;
    arrow.moveTo(13, 13.5);
    arrow.lineTo(21, 13.5);
    arrow.lineTo(21, 9);
    arrow.lineTo(29.5, 16.5);
    arrow.lineTo(21, 24);
    arrow.lineTo(21, 19.5);
    arrow.lineTo(13, 19.5);
    arrow.closeSubpath();
    p.setPen(QPen(kGreenDark.darker(120), 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(vertical(QRectF(13, 9, 16, 15), kGreen.lighter(130), kGreenDark));
    p.drawPath(arrow);
}

void rozmn(QPainter& p)
{
    // One class file turned into many: a fan of three sheets.
    page(p, QRectF(12.5, 2.5, 16, 20), 5);
    page(p, QRectF(8.5, 6.5, 16, 20), 5);
    page(p, QRectF(4.5, 10.5, 16, 19), 5);
    lines(p, 7.5, 17.5, 17.5, 3, 3.5);
    badge(p, QPointF(24, 24), 6.5, kGreen, kGreenDark);
    whiteBar(p, QPointF(24, 20.5), QPointF(24, 27.5), 2.5);
    whiteBar(p, QPointF(20.5, 24), QPointF(27.5, 24), 2.5);
}

}  // namespace

GlyphDrawing glyphDrawing(std::string_view name)
{
    static const struct {
        std::string_view name;
        GlyphDrawing draw;
    } kGlyphs[] = {
        {"ZAPISZ", zapisz}, {"EDYTUJ", edytuj}, {"DODAJ", dodaj},     {"SKASUJ", skasuj},
        {"DRUKUJ", drukuj}, {"OPCJE", opcje},   {"PODGLAD", podglad}, {"WYKAZKA", wykazka},
        {"KONIEC", koniec}, {"ROZMN", rozmn},
    };
    const auto* found = std::find_if(std::begin(kGlyphs), std::end(kGlyphs),
                                     [name](const auto& glyph) { return glyph.name == name; });
    return found == std::end(kGlyphs) ? nullptr : found->draw;
}

}  // namespace wykazki
