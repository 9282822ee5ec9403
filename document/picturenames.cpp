#include "picturenames.h"

#include "formatting.h"

#include <algorithm>

namespace wykazki {

namespace {

// The capitals in alphabet order, as Windows-1250 bytes.
constexpr unsigned char kAlphabet[] = {
    'A', 165, 'B', 'C', 198, 'D', 'E', 202, 'F', 'G', 'H', 'I', 'J', 'K', 'L', 163, 'M', 'N',
    209, 'O', 211, 'P', 'Q', 'R', 'S', 140, 'T', 'U', 'V', 'W', 'X', 'Y', 'Z', 143, 175,
};
constexpr int kLetters = static_cast<int>(sizeof kAlphabet);

// Digits and ASCII punctuation come before the letters, any other byte
// after them.
int sortRank(unsigned char c)
{
    const unsigned char upper = polishUpper(c);
    const auto* letter = std::find(std::begin(kAlphabet), std::end(kAlphabet), upper);
    if (letter != std::end(kAlphabet))
        return 256 + static_cast<int>(letter - std::begin(kAlphabet));
    return upper < 128 ? upper : 256 + kLetters + upper;
}

}  // namespace

bool picturePrecedes(std::string_view a, std::string_view b)
{
    const auto rank = [](char c) { return sortRank(static_cast<unsigned char>(c)); };
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const int ra = rank(a[i]);
        const int rb = rank(b[i]);
        if (ra != rb)
            return ra < rb;
    }
    if (a.size() != b.size())
        return a.size() < b.size();
    return a < b;  // "Godło" before "godło"
}

void sortPictureNames(std::vector<std::string>& names)
{
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return picturePrecedes(a, b); });
}

bool matchesPictureFilter(std::string_view name, std::string_view filter)
{
    if (name.size() < filter.size())
        return false;
    for (std::size_t i = 0; i < filter.size(); ++i) {
        if (polishUpper(static_cast<unsigned char>(name[i]))
            != polishUpper(static_cast<unsigned char>(filter[i])))
            return false;
    }
    return true;
}

std::vector<std::size_t> filterPictureNames(const std::vector<std::string>& names,
                                            std::string_view filter)
{
    std::vector<std::size_t> matching;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (matchesPictureFilter(names[i], filter))
            matching.push_back(i);
    }
    return matching;
}

}  // namespace wykazki
