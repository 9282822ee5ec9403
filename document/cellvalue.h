#pragma once
// A pupil's value of one phrase, seen as one cell of the pupil grid: which
// field of the value record a phrase's kind uses, and that field's value.

#include "tfra.h"

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

namespace wykazki {

enum class ValueField : std::uint8_t { Text, Grade, Picture };

// The field a phrase of this kind keeps its value in; none for an unknown kind.
std::optional<ValueField> valueFieldOf(PhraseKind kind);

// A grade index, or a text (the text value or the picture file name).
using CellValue = std::variant<std::int8_t, std::string>;

// Reading and writing one field of a value record. A value of the wrong
// alternative for the field changes nothing.
CellValue fieldValue(const TFra& record, ValueField field);
void setFieldValue(TFra& record, ValueField field, CellValue value);

// An inclusive block of cells in data coordinates: pupils first..last
// (grid columns) by phrases first..last (grid rows).
struct CellBlock {
    std::size_t firstPupil = 0;
    std::size_t firstPhrase = 0;
    std::size_t lastPupil = 0;
    std::size_t lastPhrase = 0;

    static CellBlock cell(std::size_t pupil, std::size_t phrase)
    {
        return {pupil, phrase, pupil, phrase};
    }
    bool contains(std::size_t pupil, std::size_t phrase) const
    {
        return pupil >= firstPupil && pupil <= lastPupil && phrase >= firstPhrase
               && phrase <= lastPhrase;
    }
    bool operator==(const CellBlock&) const = default;
};

}  // namespace wykazki
