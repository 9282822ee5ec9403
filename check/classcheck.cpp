#include "classcheck.h"

#include "print/certificatepdf.h"
#include "print/textoverflow.h"
#include "print/units.h"
#include "qtbridge/cp1250text.h"

#include "document/computedvalues.h"
#include "document/formatting.h"
#include "document/grades.h"
#include "document/tdokumenty.h"
#include "document/tfrazy.h"
#include "document/topcje.h"

#include <algorithm>
#include <utility>

namespace wykazki {

namespace {

// Filled by at least this share of the class, an empty text is a gap.
constexpr std::size_t kMostlyPercent = 80;

const TFra& valueOf(const TDokumenty& pupils, std::size_t x, std::size_t y)
{
    static const TFra kEmpty;
    const TFrazy& values = pupils[x].values;
    return y < values.count() ? values[y] : kEmpty;
}

// "Średnia…": a phrase whose typed text is meant to be the average.
bool namedLikeAnAverage(const TFra& phrase)
{
    static const std::string kPrefix = polishUpper("\x9Crednia");  // "średnia"
    std::string_view name = phrase.name;
    while (!name.empty() && isBlank(name.front()))
        name.remove_prefix(1);
    return phrase.kind == PhraseKind::Text && taggedRole(phrase) == PhraseRole::Plain
           && polishUpper(name.substr(0, kPrefix.size())) == kPrefix;
}

// A typed average as it would read with a decimal comma and no blanks.
QString normalisedNumber(const std::string& text)
{
    QString typed = qstringFromCp1250(text).trimmed();
    typed.replace(u'.', u',');
    return typed;
}

QString quoted(const QString& text)
{
    return QStringLiteral("„%1”").arg(text);
}

QString millimetres(int pixels, int dpi)
{
    return QString::number(pixels * 25.4 / dpi, 'f', 0);
}

}  // namespace

bool stopsPrinting(FindingKind kind)
{
    return kind == FindingKind::Overflow || kind == FindingKind::Missing
           || kind == FindingKind::AverageDiffers;
}

QString pupilName(const TFrazy& phrases, const TDokumenty& pupils, std::size_t pupil)
{
    const std::optional<std::size_t> name = namePhrase(phrases);
    if (!name || pupil >= pupils.count())
        return {};
    return qstringFromCp1250(valueOf(pupils, pupil, *name).text).simplified();
}

ClassCheck::ClassCheck(const TFrazy& phrases, const TDokumenty& pupils, const TOpcje& options,
                       std::string programFolder, const Speller* speller)
    : phrases_(phrases), pupils_(pupils), options_(options), speller_(speller),
      renderer_(phrases, pupils, options, std::move(programFolder)),
      surface_(measuringSurface(kPdfResolution)), mostlyFilled_(phrases.count(), false),
      gradeExpected_(gradesExpected(phrases, pupils)), namePhrase_(namePhrase(phrases))
{
    const std::size_t count = pupils.count();
    for (std::size_t j = 0; j < phrases.count(); ++j) {
        if (phrases[j].kind == PhraseKind::Text && taggedRole(phrases[j]) == PhraseRole::Plain) {
            std::size_t filled = 0;
            for (std::size_t x = 0; x < count; ++x)
                filled += valueOf(pupils, x, j).text.empty() ? 0u : 1u;
            mostlyFilled_[j] = count > 0 && filled * 100 >= count * kMostlyPercent;
        }
    }
}

bool ClassCheck::onPage(std::size_t j, std::optional<int> page) const
{
    return !page || phrases_[j].page == *page;
}

void ClassCheck::checkFit(std::size_t pupil, int page, std::vector<Finding>& out)
{
    const int dpi = surfacePixelsPerInch(surface_);
    const int sheetWidthPx = mmToPixels(dpi, options_.width);
    const int sheetHeightPx = mmToPixels(dpi, options_.height);
    const std::size_t missingBefore = renderer_.missingPictures().size();
    const std::vector<PlacedElement> placed =
        renderer_.layoutPage(surface_, pupil, page, sheetWidthPx, sheetHeightPx, 1.0);
    const std::vector<MissingPicture>& missing = renderer_.missingPictures();
    for (std::size_t i = missingBefore; i < missing.size(); ++i) {
        const QString name = quoted(qstringFromCp1250(missing[i].fileName));
        // The renderer names the picture, not its phrase: the first phrase
        // of the page showing that picture for this pupil.
        std::optional<std::size_t> shownBy;
        for (std::size_t j = 0; j < phrases_.count() && !shownBy; ++j)
            if (phrases_[j].page == page && phrases_[j].kind == PhraseKind::Picture
                && (valueOf(pupils_, pupil, j).picture == missing[i].fileName
                    || phrases_[j].picture == missing[i].fileName))
                shownBy = j;
        out.push_back({pupil, shownBy, FindingKind::Missing,
                       missing[i].damaged
                           ? QStringLiteral("obrazek %1 jest uszkodzony lub za duży").arg(name)
                           : QStringLiteral("brak pliku obrazka %1").arg(name)});
    }
    for (const PlacedElement& e : placed) {
        const TFra& phrase = phrases_[e.phrase];
        const TextFit fit = measureTextFit(surface_, phrase, e);
        if (fit.overflow == TextOverflow::TooTall)
            out.push_back({pupil, e.phrase, FindingKind::Overflow,
                           QStringLiteral("tekst nie mieści się w ramce o wysokości %1 mm")
                               .arg(millimetres(e.box.heightPx(), dpi))});
        else if (fit.overflow == TextOverflow::WordTooWide)
            out.push_back({pupil, e.phrase, FindingKind::Overflow,
                           QStringLiteral("słowo %1 jest szersze niż ramka (%2 mm)")
                               .arg(quoted(fit.word), millimetres(e.box.widthPx(), dpi))});
    }
}

std::vector<Finding> ClassCheck::checkPupil(std::size_t pupil, std::optional<int> page,
                                            const std::vector<LostCharacters>& lost)
{
    std::vector<Finding> out;
    if (pupil >= pupils_.count())
        return out;

    const PupilGroups groups = pupilGroups(phrases_, pupils_, pupil, gradeExpected_);
    QStringList named;
    if (groups.distinction)
        named << QStringLiteral("z wyróżnieniem");
    if (groups.notPromoted)
        named << QStringLiteral("niepromowany (ocena niedostateczna)");
    if (groups.incomplete)
        named << QStringLiteral("oceny niepełne");
    if (!named.isEmpty())
        out.push_back({pupil, std::nullopt, FindingKind::Groups, named.join(QStringLiteral(", "))});

    // The fit first for the whole page, then the rest phrase by phrase;
    // the report sorts by phrase.
    std::vector<Finding> perPhrase;
    if (sheetSizeUsable(options_)) {
        if (page)
            checkFit(pupil, *page, perPhrase);
        else
            for (int p = 0; p < 4; ++p)
                checkFit(pupil, p, perPhrase);
    }

    const std::string computed = averageText(pupilAverage(phrases_, pupils_, pupil));
    for (std::size_t j = 0; j < phrases_.count(); ++j) {
        if (!onPage(j, page))
            continue;
        const TFra& phrase = phrases_[j];
        const TFra& value = valueOf(pupils_, pupil, j);
        if (phrase.kind == PhraseKind::Grade && gradeExpected_[j]
            && value.grade == kNoSubjectGrade) {
            perPhrase.push_back({pupil, j, FindingKind::Missing, QStringLiteral("brak oceny")});
            continue;
        }
        if (phrase.kind != PhraseKind::Text || taggedRole(phrase) == PhraseRole::Average)
            continue;
        if (value.text.empty()) {
            if (mostlyFilled_[j])
                perPhrase.push_back({pupil, j, FindingKind::Missing,
                                     QStringLiteral("puste, choć u większości uczniów wpisane")});
            continue;
        }
        if (namedLikeAnAverage(phrase) && !computed.empty()
            && normalisedNumber(value.text) != qstringFromCp1250(computed))
            perPhrase.push_back({pupil, j, FindingKind::AverageDiffers,
                                 QStringLiteral("wpisana średnia %1, a wyliczona %2")
                                     .arg(quoted(qstringFromCp1250(value.text).trimmed()),
                                          quoted(qstringFromCp1250(computed)))});
        if (speller_ && namePhrase_ != j) {
            const QString text = qstringFromCp1250(value.text);
            for (const WordSpan& w : unknownWords(*speller_, text, 20)) {
                const QString word = text.mid(w.start, w.length);
                QString finding = QStringLiteral("nieznane słowo %1").arg(quoted(word));
                const QStringList hints = speller_->suggestions(word, 3);
                if (!hints.isEmpty())
                    finding += QStringLiteral(" (może: %1)").arg(hints.join(QStringLiteral(", ")));
                perPhrase.push_back({pupil, j, FindingKind::UnknownWord, finding});
            }
        }
    }
    for (const LostCharacters& l : lost)
        if (l.pupil == pupil && l.phrase < phrases_.count() && onPage(l.phrase, page))
            perPhrase.push_back(
                {pupil, l.phrase, FindingKind::LostCharacters,
                 QStringLiteral("pominięto znaki spoza polskiego alfabetu: %1").arg(l.characters)});

    std::stable_sort(perPhrase.begin(), perPhrase.end(),
                     [](const Finding& a, const Finding& b) { return a.phrase < b.phrase; });
    out.insert(out.end(), perPhrase.begin(), perPhrase.end());
    return out;
}

std::vector<Finding> ClassCheck::checkAll(const CheckScope& scope,
                                          const std::vector<LostCharacters>& lost)
{
    std::vector<Finding> all;
    for (const std::size_t pupil : scope.pupils) {
        std::vector<Finding> found = checkPupil(pupil, scope.page, lost);
        all.insert(all.end(), found.begin(), found.end());
    }
    return all;
}

}  // namespace wykazki
