#pragma once
// The general state of the program's one document.

#include <cstdint>

struct TOgolne {
    std::uint8_t zmiany = 0;  // modified flag: 1 after any change, 0 after a read
    std::int8_t wersja = 0;   // version byte of the last class file read

    bool modified() const { return zmiany != 0; }
};
