#pragma once
// Document texts (Windows-1250 bytes) as QString and back: display,
// keyboard, clipboard, edit boxes and font family names.

#include <QString>

#include <string>
#include <string_view>

namespace wykazki {

QString qstringFromCp1250(std::string_view bytes);

// What to do with a character Windows-1250 cannot hold.
enum class Unmappable {
    Drop,
    Question,  // becomes '?', as a code-page program sees such text
};
std::string cp1250FromQString(const QString& text, Unmappable unmappable);

// The characters of text Windows-1250 cannot hold, each once, in order,
// joined by ", "; at most `most` of them (then "…").
QString unmappableCharacters(const QString& text, int most = 10);

// Whether every character of text has a Windows-1250 byte.
bool cp1250CanHold(const QString& text);

}  // namespace wykazki
