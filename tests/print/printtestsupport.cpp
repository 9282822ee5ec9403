#include "printtestsupport.h"

#include "document/cp1250.h"

#include <cmath>
#include <stdexcept>

namespace wykazki {

QImage whiteSurface(int widthPx, int heightPx, int dpi)
{
    QImage image(widthPx, heightPx, QImage::Format_RGB32);
    const int dotsPerMetre = static_cast<int>(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(Qt::white);
    return image;
}

TFra phraseAt(PhraseKind kind, int x0Mm, float y0Mm, int widthMm, int heightMm, int page)
{
    TFra f;
    f.kind = kind;
    f.x0 = static_cast<std::int16_t>(x0Mm);
    f.y0 = y0Mm;
    f.width = static_cast<std::int16_t>(widthMm);
    f.height = static_cast<std::int16_t>(heightMm);
    f.page = static_cast<std::int16_t>(page);
    f.fontName = "DejaVu Sans";
    return f;
}

TestClass::TestClass(std::size_t pupilCount)
{
    pupils.resize(pupilCount, 0);
}

std::size_t TestClass::add(const TFra& phrase)
{
    phrases.push_back(phrase);
    for (TDok& pupil : pupils)
        pupil.values.push_back(TFra{});
    return phrases.count() - 1;
}

std::string cp(const char* utf8)
{
    auto bytes = cp1250::fromUtf8(utf8);
    if (!bytes)
        throw std::invalid_argument("not Windows-1250 text");
    return *bytes;
}

QRect inkBounds(const QImage& image, QRect within)
{
    if (within.isNull())
        within = image.rect();
    within &= image.rect();
    QRect ink;
    for (int y = within.top(); y <= within.bottom(); ++y)
        for (int x = within.left(); x <= within.right(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                ink |= QRect(x, y, 1, 1);
    return ink;
}

}  // namespace wykazki
