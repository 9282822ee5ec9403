#pragma once
// The one conversion between the program's 0x00BBGGRR colours and Qt's.

#include "grid/tekstoczka.h"

#include <QColor>

inline QColor toQColor(TKolor kolor)
{
    return QColor(int(kolor & 0xFF), int((kolor >> 8) & 0xFF), int((kolor >> 16) & 0xFF));
}

inline TKolor fromQColor(const QColor& colour)
{
    return TKolor(colour.red()) | (TKolor(colour.green()) << 8) | (TKolor(colour.blue()) << 16);
}
