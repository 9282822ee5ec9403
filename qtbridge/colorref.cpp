#include "qtbridge/colorref.h"

namespace wykazki {

QColor toQColor(std::uint32_t colorref)
{
    return QColor(int(colorref & 0xFF), int((colorref >> 8) & 0xFF), int((colorref >> 16) & 0xFF));
}

std::uint32_t fromQColor(const QColor& color)
{
    const QColor rgb = color.toRgb();
    return std::uint32_t(rgb.red()) | (std::uint32_t(rgb.green()) << 8)
           | (std::uint32_t(rgb.blue()) << 16);
}

}  // namespace wykazki
