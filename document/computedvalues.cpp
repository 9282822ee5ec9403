#include "computedvalues.h"

#include "formatting.h"
#include "grades.h"

#include <cmath>

namespace wykazki {

namespace {

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool sameLetters(std::string_view text, std::string_view wanted)
{
    return polishUpper(trimmed(text)) == polishUpper(wanted);
}

// Pupil x's value of phrase y; the empty record when a damaged list lacks it.
const TFra& valueOf(const TDokumenty& pupils, std::size_t x, std::size_t y)
{
    static const TFra kEmpty;
    const TFrazy& values = pupils[x].values;
    return y < values.count() ? values[y] : kEmpty;
}

// Religion, ethics and additional classes: a word of the name starts so.
bool optionalSubject(std::string_view name)
{
    const std::string upper = polishUpper(name);
    for (const std::string_view start : {"RELIGI", "ETYK", "DODATKOW"}) {
        for (std::size_t at = upper.find(start); at != std::string::npos;
             at = upper.find(start, at + 1)) {
            const auto before = at == 0 ? ' ' : static_cast<unsigned char>(upper[at - 1]);
            if (before < 'A' || (before > 'Z' && before < 0x80))
                return true;
        }
    }
    return false;
}

}  // namespace

PhraseRole taggedRole(const TFra& definition)
{
    if (definition.kind != PhraseKind::Text)
        return PhraseRole::Plain;
    if (sameLetters(definition.text, kAverageTag))
        return PhraseRole::Average;
    if (sameLetters(definition.text, kBehaviourTag))
        return PhraseRole::Behaviour;
    return PhraseRole::Plain;
}

std::optional<std::size_t> behaviourPhrase(const TFrazy& phrases)
{
    for (std::size_t j = 0; j < phrases.count(); ++j)
        if (taggedRole(phrases[j]) == PhraseRole::Behaviour)
            return j;
    for (std::size_t j = 0; j < phrases.count(); ++j)
        if (phrases[j].kind == PhraseKind::Text && taggedRole(phrases[j]) == PhraseRole::Plain
            && sameLetters(phrases[j].name, "zachowanie"))
            return j;
    return std::nullopt;
}

std::optional<std::size_t> namePhrase(const TFrazy& phrases)
{
    for (std::size_t j = 0; j < phrases.count(); ++j)
        if (phrases[j].kind == PhraseKind::Text && taggedRole(phrases[j]) == PhraseRole::Plain)
            return j;
    return std::nullopt;
}

std::string averageText(std::optional<float> average)
{
    return average ? formatNumber(*average, 2) : std::string();
}

std::string printedText(const TFrazy& phrases, const TDokumenty& pupils, std::size_t x,
                        std::size_t y)
{
    if (x >= pupils.count() || y >= phrases.count())
        return {};
    if (taggedRole(phrases[y]) == PhraseRole::Average)
        return averageText(pupilAverage(phrases, pupils, x));
    return valueOf(pupils, x, y).text;
}

std::vector<bool> gradesExpected(const TFrazy& phrases, const TDokumenty& pupils)
{
    std::vector<bool> expected(phrases.count(), false);
    for (std::size_t j = 0; j < phrases.count(); ++j) {
        if (phrases[j].kind != PhraseKind::Grade)
            continue;
        if (optionalSubject(phrases[j].name))
            continue;
        for (std::size_t x = 0; x < pupils.count() && !expected[j]; ++x)
            expected[j] = valueOf(pupils, x, j).grade != kNoSubjectGrade;
    }
    return expected;
}

PupilGroups pupilGroups(const TFrazy& phrases, const TDokumenty& pupils, std::size_t x)
{
    return pupilGroups(phrases, pupils, x, gradesExpected(phrases, pupils));
}

PupilGroups pupilGroups(const TFrazy& phrases, const TDokumenty& pupils, std::size_t x,
                        const std::vector<bool>& expected)
{
    PupilGroups groups;
    if (x >= pupils.count())
        return groups;
    for (std::size_t j = 0; j < phrases.count(); ++j) {
        if (phrases[j].kind != PhraseKind::Grade)
            continue;
        const std::int8_t grade = valueOf(pupils, x, j).grade;
        if (grade == 0)
            groups.notPromoted = true;
        else if (grade == kNoSubjectGrade && j < expected.size() && expected[j])
            groups.incomplete = true;
    }
    // The behaviour phrase is looked for only for an average high enough:
    // the grid asks for every pupil's groups at every paint of its header.
    const std::optional<float> average = pupilAverage(phrases, pupils, x);
    if (!average || std::round(roundNumber(*average, 2) * 100.0) < kDistinctionAverageHundredths)
        return groups;
    if (const std::optional<std::size_t> behaviour = behaviourPhrase(phrases)) {
        const std::string& wording = valueOf(pupils, x, *behaviour).text;
        groups.distinction =
            sameLetters(wording, "wzorowe") || sameLetters(wording, "bardzo dobre");
    }
    return groups;
}

}  // namespace wykazki
