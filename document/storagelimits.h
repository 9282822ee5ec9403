#pragma once
// Limits a class file sets on what it stores.

#include <cstddef>

namespace wykazki {

// Longest font name, in bytes (Windows-1250): a grid layout block refuses a
// longer one and the writer cuts it; a phrase's longer name is cut when the
// phrase is drawn.
inline constexpr std::size_t kMaxFontNameBytes = 31;

}  // namespace wykazki
