#pragma once
// The program's colours are stored 0x00BBGGRR, red in the low byte (the
// top byte is ignored); Qt's are QColor.

#include <QColor>

#include <cstdint>

namespace wykazki {

QColor toQColor(std::uint32_t colorref);
std::uint32_t fromQColor(const QColor& color);

}  // namespace wykazki
