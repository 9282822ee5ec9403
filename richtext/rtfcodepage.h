#pragma once
// The single-byte code pages RTF text arrives in. Windows-1250 (Polish) and
// Windows-1252 (Western) are known; any other page is read as Windows-1252,
// which keeps ASCII right and shows something for the rest.

#include <QChar>

namespace wykazki {

namespace rtf {

inline constexpr int kCodePage1250 = 1250;
inline constexpr int kCodePage1252 = 1252;

// The code page of a font's \fcharsetN, or 0 when the font follows the
// document's \ansicpgN.
int codePageOfCharset(int charset);
char16_t decodeByte(unsigned char byte, int codePage);

}  // namespace rtf

}  // namespace wykazki
