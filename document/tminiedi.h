#pragma once
// The in-cell editing helper: remembers which cell's number is being typed
// and the number text typed so far, so that digits build up a number.

#include <cstdint>
#include <string>

namespace wykazki {

// Which cell of which grid: the cell whose number is being typed.
struct CellId {
    std::int32_t grid = 0;  // which grid sent the key
    std::int32_t x = -1;
    std::int32_t y = -1;

    bool operator==(const CellId&) const = default;
};

struct TMiniEdi {
    static constexpr std::size_t kMaxTextLength = 99;

    CellId komorka;
    std::string tekst;  // the number text being typed

    // Forget the remembered cell, so that the next key starts a new number.
    void forget()
    {
        komorka = CellId{};
        tekst.clear();
    }
};

}  // namespace wykazki
