#include "grades.h"

#include "formatting.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace wykazki {

namespace {

struct Tally {
    double sum = 0.0;
    int count = 0;

    void add(const TFra& phrase, const TFra& value)
    {
        if (phrase.kind == PhraseKind::Grade && value.grade >= 0
            && value.grade <= kLastCountedGrade) {
            sum += value.grade + 1;
            ++count;
        }
    }

    void addPupil(const TFrazy& phrases, const TDok& pupil)
    {
        // A pupil short of values should not happen; the missing ones are skipped.
        const std::size_t n = std::min(phrases.count(), pupil.values.count());
        for (std::size_t j = 0; j < n; ++j) {
            add(phrases[j], pupil.values[j]);
        }
    }

    std::optional<float> average() const
    {
        if (count == 0) {
            return std::nullopt;
        }
        return static_cast<float>(sum / count);
    }
};

// The remark wording (7..10) that is `preferred`, else the first one
// starting with `stem`, compared in upper case; nothing when none does.
std::optional<std::int8_t> wordingOfStem(const TOpcje& options, std::string_view stem,
                                         std::string_view preferred)
{
    std::optional<std::int8_t> found;
    for (int index = kNoSubjectGrade + 1; index <= kLastGradeWording; ++index) {
        const std::string wording = polishUpper(gradeWording(options, index));
        if (wording == preferred)
            return static_cast<std::int8_t>(index);
        if (!found && wording.starts_with(stem))
            found = static_cast<std::int8_t>(index);
    }
    return found;
}

}  // namespace

std::optional<std::int8_t> takeGradeKey(std::int8_t current, char key, int button,
                                        const CellId& cell, TMiniEdi& miniEdi)
{
    if (button != 1 && button != 2) {
        int index = -1;
        if (key == ' ' || key == '0' || key == kKeyDelete) {
            // Clearing puts no failing grade on a card: the cell is empty.
            index = kNoSubjectGrade;
        } else if (key >= '1' && key <= '6') {
            index = key - '1';
        } else if (key >= 'A' && key <= 'D') {
            index = 7 + (key - 'A');
        } else if (key >= 'a' && key <= 'd') {
            index = 7 + (key - 'a');
        }
        if (index >= 0) {
            // A number typed earlier in this cell no longer describes its value.
            miniEdi.forget();
            return static_cast<std::int8_t>(index);
        }
    }
    double value = current;
    const bool backspace = key == kKeyBackspace && button != 1 && button != 2;
    if (!editNumber(value, key, button, 1.0, 0.0, kLastGradeWording, 0, cell, miniEdi))
        return std::nullopt;
    if (backspace && miniEdi.komorka == cell && miniEdi.tekst.empty())
        return kNoSubjectGrade;  // the typed number is gone: the cell is empty
    return static_cast<std::int8_t>(std::trunc(value));
}

std::int8_t applyGradeKey(std::int8_t current, char key, int button, const CellId& cell,
                          TMiniEdi& miniEdi)
{
    return takeGradeKey(current, key, button, cell, miniEdi).value_or(current);
}

std::string gradeWording(const TOpcje& options, int index)
{
    if (index < 0 || index > kLastGradeWording) {
        return {};
    }
    return options.wordings[static_cast<std::size_t>(index)];
}

std::optional<std::int8_t> pastedGrade(const TOpcje& options, std::string_view pasted)
{
    const std::vector<std::string> wordings(options.wordings.begin(),
                                            options.wordings.begin() + kLastGradeWording + 1);
    if (const int found = findText(pasted, wordings); found >= 0)
        return static_cast<std::int8_t>(found);

    // Spreadsheets may leave blanks around a cell's text.
    while (!pasted.empty() && isBlank(pasted.front()))
        pasted.remove_prefix(1);
    while (!pasted.empty() && isBlank(pasted.back()))
        pasted.remove_suffix(1);
    if (pasted.size() == 1 && pasted[0] >= '1' && pasted[0] <= '6')
        return static_cast<std::int8_t>(pasted[0] - '1');
    if (!pasted.empty() && pasted.back() == '.')
        pasted.remove_suffix(1);
    // Grades 1..6 by their usual abbreviations.
    static const std::vector<std::string> abbreviations = {"NDST", "DOP", "DST",
                                                           "DB",   "BDB", "CEL"};
    if (const int found = findText(pasted, abbreviations); found >= 0)
        return static_cast<std::int8_t>(found);
    // Exempt, not classified and absent, by their e-register words, as the
    // wordings of this class spell them.
    const std::string word = polishUpper(pasted);
    if (word == "ZW" || word == "ZWOLN" || word == "ZWOLNIONY" || word == "ZWOLNIONA")
        return wordingOfStem(options, "ZWOLNION", "ZWOLNIONY");
    const auto notClassified = [&] {
        return wordingOfStem(options, "NIEKLASYFIKOWAN", "NIEKLASYFIKOWANY");
    };
    if (word == "NKL" || word == "NIEKL" || word == "NIEKLASYFIKOWANY"
        || word == "NIEKLASYFIKOWANA")
        return notClassified();
    // An absent pupil is not classified, unless the class has a wording of its own for it.
    if (word == "NB" || word == "NIEOBECNY" || word == "NIEOBECNA") {
        if (const std::optional<std::int8_t> absent =
                wordingOfStem(options, "NIEOBECN", "NIEOBECNY"))
            return absent;
        return notClassified();
    }
    return std::nullopt;
}

std::optional<float> pupilAverage(const TFrazy& phrases, const TDokumenty& pupils, std::size_t x)
{
    if (x >= pupils.count()) {
        return std::nullopt;
    }
    Tally tally;
    tally.addPupil(phrases, pupils[x]);
    return tally.average();
}

std::optional<float> phraseAverage(const TFrazy& phrases, const TDokumenty& pupils, std::size_t y)
{
    if (y >= phrases.count() || phrases[y].kind != PhraseKind::Grade) {
        return std::nullopt;
    }
    Tally tally;
    for (const TDok& pupil : pupils) {
        if (y < pupil.values.count()) {
            tally.add(phrases[y], pupil.values[y]);
        }
    }
    return tally.average();
}

std::optional<float> overallAverage(const TFrazy& phrases, const TDokumenty& pupils)
{
    Tally tally;
    for (const TDok& pupil : pupils) {
        tally.addPupil(phrases, pupil);
    }
    return tally.average();
}

}  // namespace wykazki
