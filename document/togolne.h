#pragma once
// The general state of the program's one document.

#include <cstdint>

namespace wykazki {

// Whether there is unsaved work is the edit history's to say
// (DocumentEditor::isModified), in one place: it is no byte of its own here.
struct TOgolne {
    std::int8_t wersja = 0;  // version byte of the last class file read
};

}  // namespace wykazki
