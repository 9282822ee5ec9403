#include "topcje.h"

namespace wykazki {

std::array<std::string, kWordingCount> TOpcje::defaultWordings()
{
    // Windows-1250: \xB9 is "ą".
    return {
        "Niedostateczny",
        "Dopuszczaj\xB9"
        "cy",
        "Dostateczny",
        "Dobry",
        "Bardzo dobry",
        "Celuj\xB9"
        "cy",
        "--------------",
        "Zwolniona",
        "Zwolniony",
        "Nieklasyfikowana",
        "Nieklasyfikowany",
        "",
        "",
        "",
        "",
        "",
        "",
        "",
        "",
        "",
        "",
    };
}

}  // namespace wykazki
