#pragma once
// One phrase record: an element of the report card's layout, and also a
// pupil's value of that element. Texts hold Windows-1250 bytes.

#include <cstdint>
#include <string>

namespace wykazki {

// Kinds of phrase (field `kind`), stored as one byte. A damaged file may
// hold any other byte value; it is kept as it is so that saving writes it back.
enum class PhraseKind : std::uint8_t {
    Text = 0,     // "Tekst"
    Grade = 1,    // "Ocena"
    Picture = 2,  // "Obrazek"
};

// The grade index a new value record starts with: "--------------".
inline constexpr std::int8_t kNoSubjectGrade = 6;

struct TFra {
    std::string name;                     // "Nazwa frazy"
    PhraseKind kind = PhraseKind::Text;   // 0 text, 1 grade, 2 picture
    std::string text;                     // a pupil's text value
    std::int8_t grade = kNoSubjectGrade;  // a pupil's grade index 0..10
    std::string picture;                  // bitmap file, ".bmp" optional
    std::int16_t x0 = 0;                  // left edge, mm
    float y0 = 0.0f;                      // top edge, mm, one decimal
    std::int16_t width = 0;               // Szer, mm; 0 = no box
    std::int16_t height = 0;              // Wys, mm
    std::int16_t align = 0;               // Poz: 0 left, 1 centre, 2 right
    std::string fontName = "MS Sans Serif";
    std::int32_t fontSize = 10;   // points
    std::uint32_t fontColor = 0;  // 0x00BBGGRR
    std::uint8_t bold = 0;
    std::uint8_t italic = 0;
    std::uint8_t underline = 0;
    std::uint8_t strikeout = 0;
    float lineSpacing = 0.0f;  // V-Korekta, mm, -2..5
    std::int16_t page = 0;     // Strona, 0..3 (shown 1..4)

    bool operator==(const TFra&) const = default;
};

}  // namespace wykazki
