#pragma once
// The in-cell editing helper: remembers which cell's number is being typed
// and the number text typed so far, so that digits build up a number.

#include <cstdint>
#include <string>

struct KomorkaId {
    std::int32_t grid = 0;  // which grid sent the key
    std::int32_t x = -1;
    std::int32_t y = -1;

    bool operator==(const KomorkaId&) const = default;
};

struct TMiniEdi {
    static constexpr std::size_t kMaxTekst = 99;

    KomorkaId komorka;
    std::string tekst;  // the number text being typed

    // Forget the remembered cell, so that the next key starts a new number.
    void forget() { komorka = KomorkaId{}; tekst.clear(); }
};
