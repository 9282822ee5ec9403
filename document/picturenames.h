#pragma once
// The picture chooser's list rules, apart from any widget: the order of
// the bitmap names and the prefix filter. Names are Windows-1250 bytes.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace wykazki {

// Case-insensitive order with the Polish letters in their alphabet places
// (a ą b c ć ... ł ... z ź ż); names equal but for case keep a fixed order.
bool picturePrecedes(std::string_view a, std::string_view b);
void sortPictureNames(std::vector<std::string>& names);

// Longest filter the chooser takes.
inline constexpr std::size_t kMaxPictureFilter = 3;

// Whether name starts with filter, compared without regard to case
// (Polish letters included); the empty filter matches every name.
bool matchesPictureFilter(std::string_view name, std::string_view filter);
// Positions of the matching names, in list order.
std::vector<std::size_t> filterPictureNames(const std::vector<std::string>& names,
                                            std::string_view filter);

}  // namespace wykazki
