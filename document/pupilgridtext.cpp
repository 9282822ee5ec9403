#include "pupilgridtext.h"

#include "computedvalues.h"
#include "formatting.h"
#include "grades.h"

namespace {

PupilGridText dots()
{
    return {kMissingMark, std::nullopt};
}

PupilGridText average(std::optional<float> value)
{
    if (!value)
        return {kMissingMark, kKolorLime};
    return {formatNumber(*value, 2), kKolorLime};
}

}  // namespace

int pupilGridColumns(const Document& doc)
{
    const auto p = doc.dokumenty().count();
    return p > 0 ? static_cast<int>(p) + 1 : 1;
}

int pupilGridRows(const Document& doc)
{
    const auto f = doc.frazy().count();
    return f > 0 ? static_cast<int>(f) + 1 : 1;
}

PupilGridText pupilGridColumnHeader(const Document& doc, int x)
{
    const auto p = static_cast<int>(doc.dokumenty().count());
    if (p == 0)
        return dots();
    if (x < p)
        return {std::to_string(x + 1), std::nullopt};
    return {"\x8Crednia", std::nullopt};  // "Średnia"
}

PupilGridText pupilGridRowHeader(const Document& doc, int y, int chosenPage)
{
    const auto f = static_cast<int>(doc.frazy().count());
    if (f == 0)
        return dots();
    if (y < f) {
        const TFra& phrase = doc.frazy()[static_cast<std::size_t>(y)];
        PupilGridText t{phrase.name, std::nullopt};
        if (phrase.page == chosenPage)
            t.color = kKolorCzerwony;
        return t;
    }
    return {"\x8Crednia ucznia", std::nullopt};  // "Średnia ucznia"
}

PupilGridText pupilGridCell(const Document& doc, int x, int y)
{
    const auto p = static_cast<int>(doc.dokumenty().count());
    const auto f = static_cast<int>(doc.frazy().count());
    if (p == 0 || f == 0 || x < 0 || y < 0)
        return dots();
    if (x == p && y == f)
        return average(overallAverage(doc.frazy(), doc.dokumenty()));
    if (x == p)
        return average(phraseAverage(doc.frazy(), doc.dokumenty(), static_cast<std::size_t>(y)));
    if (y == f)
        return average(pupilAverage(doc.frazy(), doc.dokumenty(), static_cast<std::size_t>(x)));
    if (x > p || y > f)
        return dots();

    const TFra& phrase = doc.frazy()[static_cast<std::size_t>(y)];
    const TFra& value =
        doc.dokumenty().value(static_cast<std::size_t>(x), static_cast<std::size_t>(y));
    switch (phrase.kind) {
    case PhraseKind::Text:
        // A computed phrase shows what its cards print, as the averages do.
        if (taggedRole(phrase) == PhraseRole::Average)
            return {printedText(doc.frazy(), doc.dokumenty(), static_cast<std::size_t>(x),
                                static_cast<std::size_t>(y)),
                    kKolorLime};
        return {value.text, value.text.empty() ? std::optional(kKolorBialy) : std::nullopt};
    case PhraseKind::Grade:
        return {gradeWording(doc.opcje(), value.grade),
                value.grade <= 5 ? kKolorAqua : kKolorNiebieski};
    case PhraseKind::Picture:
        return {value.picture, value.picture.empty() ? kKolorBialy : kKolorLime};
    default: return {"", std::nullopt};
    }
}
