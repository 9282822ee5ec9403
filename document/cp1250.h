#pragma once
// The Windows-1250 codec: document texts are Windows-1250 bytes, the edges
// (display, keyboard, clipboard, JSON) speak Unicode. The five bytes the
// code page leaves unassigned map to the C1 controls of the same number so
// that every byte survives a round trip.

#include <optional>
#include <string>
#include <string_view>

namespace wykazki {

namespace cp1250 {

char32_t toUnicode(unsigned char byte);
// The byte for a code point, or nothing when Windows-1250 cannot hold it.
std::optional<unsigned char> fromUnicode(char32_t codePoint);

std::string toUtf8(std::string_view bytes);
// Nothing when the text is not valid UTF-8 or holds a character the code
// page cannot hold; badOffset (if given) then gets the byte offset.
std::optional<std::string> fromUtf8(std::string_view utf8, std::size_t* badOffset = nullptr);

}  // namespace cp1250

}  // namespace wykazki
