#include "rtfcodepage.h"

#include "document/cp1250.h"

namespace wykazki {

namespace rtf {

namespace {

// Windows-1252 0x80..0x9F; the rest of the page is Latin-1.
constexpr char16_t k1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

}  // namespace

int codePageOfCharset(int charset)
{
    switch (charset) {
    case 0:  // ANSI_CHARSET
        return kCodePage1252;
    case 238:  // EASTEUROPE_CHARSET
        return kCodePage1250;
    default:  // DEFAULT_CHARSET and the pages this reader does not know
        return 0;
    }
}

char16_t decodeByte(unsigned char byte, int codePage)
{
    if (byte < 0x80)
        return byte;
    if (codePage == kCodePage1250)
        return static_cast<char16_t>(cp1250::toUnicode(byte));
    if (byte < 0xA0)
        return k1252High[byte - 0x80];
    return byte;
}

}  // namespace rtf

}  // namespace wykazki
