#pragma once
// Grades: a grade value is an index into the options' wordings table.
// Indices 0..5 are the grades 1..6 and count in averages, 6 is "no such
// subject", 7..10 the remarks keys A..D enter.

#include "tdokumenty.h"
#include "tfra.h"
#include "tminiedi.h"
#include "topcje.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace wykazki {

inline constexpr int kLastCountedGrade = 5;   // index of the best counted grade
inline constexpr int kLastGradeWording = 10;  // last index a grade value can show

// The grade-entry rule: Space and "0" give 6, "1".."6" give 0..5, A..D in
// either case give 7..10; the clearing key "~" (Delete) gives 6, the empty
// cell, and so does Backspace when it empties the typed number; any other
// key, and clicks (key 0 with button 1 for "+" or 2 for "-"), go through the
// number-editing rule with step 1, bounds 0..10 and no decimals. Returns the
// new index, or nothing when the rule refuses the key.
std::optional<std::int8_t> takeGradeKey(std::int8_t current, char key, int button,
                                        const CellId& cell, TMiniEdi& miniEdi);
// The same, with `current` for a refused key.
std::int8_t applyGradeKey(std::int8_t current, char key, int button, const CellId& cell,
                          TMiniEdi& miniEdi);

// The wording an index shows; empty outside 0..10.
std::string gradeWording(const TOpcje& options, int index);

// A grade pasted from an e-register or a spreadsheet, tried in this order:
// a wording 0..10 (ignoring case), a digit 1..6 as the keys give it, a
// standard abbreviation ("ndst", "dop", "dst", "db", "bdb", "cel", any case,
// with or without a dot), the e-register words for exempt ("zw", "zwolniony"),
// not classified ("nkl", "nieklasyfikowany") and absent ("nb": the wording
// starting "nieobecn" when the class has one, else not classified), each
// giving the remark wording 7..10 of this class that spells it ("Zwolniony"
// before "Zwolniona"). Nothing when the text is none of these.
std::optional<std::int8_t> pastedGrade(const TOpcje& options, std::string_view pasted);

// Averages of the counted grades (indices 0..5 of grade phrases, counted as
// 1..6); nothing when there is no counted grade.
std::optional<float> pupilAverage(const TFrazy& phrases, const TDokumenty& pupils, std::size_t x);
// Nothing also when phrase y is not a grade phrase.
std::optional<float> phraseAverage(const TFrazy& phrases, const TDokumenty& pupils, std::size_t y);
// The mean of every counted grade of the class, not the mean of the pupils'
// averages.
std::optional<float> overallAverage(const TFrazy& phrases, const TDokumenty& pupils);

}  // namespace wykazki
