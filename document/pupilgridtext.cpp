#include "pupilgridtext.h"

#include "computedvalues.h"
#include "formatting.h"
#include "grades.h"

namespace wykazki {

namespace {

PupilGridText dots()
{
    return {kMissingMark, std::nullopt};
}

PupilGridText average(std::optional<float> value)
{
    if (!value)
        return {kMissingMark, kColorLime};
    return {formatNumber(*value, 2), kColorLime};
}

}  // namespace

int pupilGridColumns(const Document& doc)
{
    const auto p = doc.pupils().count();
    return p > 0 ? static_cast<int>(p) + 1 : 1;
}

int pupilGridRows(const Document& doc)
{
    const auto f = doc.phrases().count();
    return f > 0 ? static_cast<int>(f) + 1 : 1;
}

PupilGridText pupilGridColumnHeader(const Document& doc, int x)
{
    const auto p = static_cast<int>(doc.pupils().count());
    if (p == 0)
        return dots();
    if (x < p)
        return {std::to_string(x + 1), std::nullopt};
    return {"\x8Crednia", std::nullopt};  // "Średnia"
}

PupilGridText pupilGridRowHeader(const Document& doc, int y, int chosenPage)
{
    const auto f = static_cast<int>(doc.phrases().count());
    if (f == 0)
        return dots();
    if (y < f) {
        const TFra& phrase = doc.phrases()[static_cast<std::size_t>(y)];
        PupilGridText t{phrase.name, std::nullopt};
        if (phrase.page == chosenPage)
            t.color = kColorRed;
        return t;
    }
    return {"\x8Crednia ucznia", std::nullopt};  // "Średnia ucznia"
}

PupilGridText pupilGridCell(const Document& doc, int x, int y)
{
    const auto p = static_cast<int>(doc.pupils().count());
    const auto f = static_cast<int>(doc.phrases().count());
    if (p == 0 || f == 0 || x < 0 || y < 0)
        return dots();
    if (x == p && y == f)
        return average(overallAverage(doc.phrases(), doc.pupils()));
    if (x == p)
        return average(phraseAverage(doc.phrases(), doc.pupils(), static_cast<std::size_t>(y)));
    if (y == f)
        return average(pupilAverage(doc.phrases(), doc.pupils(), static_cast<std::size_t>(x)));
    if (x > p || y > f)
        return dots();

    const TFra& phrase = doc.phrases()[static_cast<std::size_t>(y)];
    const TFra& value =
        doc.pupils().value(static_cast<std::size_t>(x), static_cast<std::size_t>(y));
    switch (phrase.kind) {
    case PhraseKind::Text:
        // A computed phrase shows what its cards print, as the averages do.
        if (taggedRole(phrase) == PhraseRole::Average)
            return {printedText(doc.phrases(), doc.pupils(), static_cast<std::size_t>(x),
                                static_cast<std::size_t>(y)),
                    kColorLime};
        return {value.text, value.text.empty() ? std::optional(kColorWhite) : std::nullopt};
    case PhraseKind::Grade:
        return {gradeWording(doc.options(), value.grade),
                value.grade <= 5 ? kColorAqua : kColorBlue};
    case PhraseKind::Picture:
        return {value.picture, value.picture.empty() ? kColorWhite : kColorLime};
    default: return {"", std::nullopt};
    }
}

}  // namespace wykazki
