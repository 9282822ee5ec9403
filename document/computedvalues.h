#pragma once
// Values the program computes instead of the teacher: a text phrase tagged
// as the average prints each pupil's average of grades; the phrase holding
// the behaviour grade is found by its tag or its name; the pupil groups the
// distinction form and the promotion depend on. The tags live in the
// phrase definition's text value, which older versions carry but never
// print.

#include "tdokumenty.h"
#include "tfra.h"
#include "tfrazy.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wykazki {

// Windows-1250 bytes, as the definition's text value holds them.
inline constexpr std::string_view kAverageTag = "=\x9Crednia";  // "=średnia"
inline constexpr std::string_view kBehaviourTag = "=zachowanie";

enum class PhraseRole {
    Plain,
    Average,    // prints the pupil's average of grades
    Behaviour,  // holds the behaviour grade
};

// The role a text phrase's definition gives it by its tag (blanks around it
// and the case of letters do not count); other kinds are always plain.
PhraseRole taggedRole(const TFra& definition);
// The behaviour phrase: the first one tagged, else the first text phrase
// named "zachowanie" (any case, blanks trimmed).
std::optional<std::size_t> behaviourPhrase(const TFrazy& phrases);

// The phrase that names the pupil: the first plain text phrase.
std::optional<std::size_t> namePhrase(const TFrazy& phrases);

// The average as the grid and the card show it: two decimals with a decimal
// comma ("4,57"); empty without a counted grade.
std::string averageText(std::optional<float> average);

// The text a card prints for pupil x in text phrase y: the computed average
// for a phrase tagged so, else the pupil's own text.
std::string printedText(const TFrazy& phrases, const TDokumenty& pupils, std::size_t x,
                        std::size_t y);

// The lowest average of the distinction, in hundredths, and the behaviour
// wordings it asks for.
inline constexpr int kDistinctionAverageHundredths = 475;

// Per phrase: whether every pupil should have a grade there. A grade
// phrase some pupil of the class has a grade in expects one from all, but
// for the subjects a pupil may not take (religion, ethics and additional
// classes, by their names), where the empty grade is the usual dash.
std::vector<bool> gradesExpected(const TFrazy& phrases, const TDokumenty& pupils);

struct PupilGroups {
    bool distinction = false;  // average >= 4,75 and behaviour "wzorowe" or "bardzo dobre"
    bool notPromoted = false;  // a grade phrase at "niedostateczny"
    bool incomplete = false;   // a grade phrase that expects one still at the empty index
    bool operator==(const PupilGroups&) const = default;
};

// The groups pupil x belongs to. The average counts as the card prints it,
// rounded to hundredths, so a card showing "4,75" always has the
// distinction its grades earn.
PupilGroups pupilGroups(const TFrazy& phrases, const TDokumenty& pupils, std::size_t x);
// The same with gradesExpected() already at hand.
PupilGroups pupilGroups(const TFrazy& phrases, const TDokumenty& pupils, std::size_t x,
                        const std::vector<bool>& expected);

}  // namespace wykazki
