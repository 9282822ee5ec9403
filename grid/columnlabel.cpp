#include "grid/columnlabel.h"

namespace wykazki {

std::string columnLabel(int x)
{
    const int q = x / 26;
    const int m = x % 26;
    std::string label(2, ' ');
    if (q != 0)
        label[0] = static_cast<char>((64 + q) & 0xFF);
    label[1] = static_cast<char>(65 + m);
    return label;
}

}  // namespace wykazki
