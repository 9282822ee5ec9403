#pragma once
// Windows-1250 bytes <-> QString, for the grid's edges: display, keyboard,
// clipboard and the in-place editor.

#include <QString>

#include <optional>
#include <string>
#include <string_view>

QString qstringFromCp1250(std::string_view bytes);

// What to do with a character Windows-1250 cannot hold.
enum class Unmappable {
    Drop,
    Question,  // becomes '?', as a code-page program sees such text
};
std::string cp1250FromQString(const QString& text, Unmappable unmappable);
