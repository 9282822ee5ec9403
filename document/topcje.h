#pragma once
// Options that travel with the class file: sheet size, print shift and
// the 21 wordings (0..10 grade wordings, 11..20 the Ctrl+0..Ctrl+9 texts).

#include <array>
#include <cstdint>
#include <string>

namespace wykazki {

inline constexpr int kWordingCount = 21;
inline constexpr int kFirstCtrlDigitWording = 11;  // wording shown by Ctrl+0

struct TOpcje {
    std::int32_t left = 0;      // shift right, mm
    std::int32_t top = 0;       // shift down, mm
    std::int32_t width = 210;   // sheet width, mm
    std::int32_t height = 297;  // sheet height, mm
    std::array<std::string, kWordingCount> wordings = defaultWordings();

    // The default wordings, Windows-1250 bytes.
    static std::array<std::string, kWordingCount> defaultWordings();

    bool operator==(const TOpcje&) const = default;
};

}  // namespace wykazki
