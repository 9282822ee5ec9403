#pragma once
// A small class for the print window tests, built in code: one text phrase
// on page 1 (index 0) holding each pupil's name, one on page 3 (index 2),
// and a picture phrase on page 1 when asked for.

#include "document/document.h"

#include <functional>
#include <string>
#include <vector>

namespace wykazki {

struct WindowTestClass {
    static constexpr std::size_t kNamePhrase = 0;       // page 0, x0 20 mm, y0 30 mm
    static constexpr std::size_t kThirdPagePhrase = 1;  // page 2, text "STRONA TRZECIA"

    // Pupil i's name phrase holds names[i] (UTF-8 in, Windows-1250 stored).
    static Document make(const std::vector<const char*>& names);
    // Adds a picture phrase on page 0 naming `picture` (relative to the
    // program folder) and returns its position.
    static std::size_t addPicture(Document& doc, const std::string& picture);
};

// Changes a test document in place: its contents are edited and taken back.
void editContents(Document& doc, const std::function<void(ClassFileContents&)>& edit);

// Windows-1250 bytes of UTF-8 test text.
std::string cp1250Of(const char* utf8);

}  // namespace wykazki
