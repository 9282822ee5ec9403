#include "phrasecolumns.h"

#include "formatting.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace wykazki {

namespace {

const char* const kHeaders[kPhraseEditorColumns] = {
    "Nazwa frazy", "Rodzaj", "x0", "y0", "Szer", "Wys", "Poz", "Font/plik", "V-Korekta", "Strona",
};
const char* const kKinds[] = {"Tekst", "Ocena", "Obrazek"};
const char* const kAlignments[] = {"Lewo", "Centr", "Prawo"};

constexpr NumberRule kMillimetres{1.0, 0.0, 1000.0, 0};
constexpr NumberRule kBaseLine{1.0, 0.0, 1000.0, 1};
constexpr NumberRule kKorekta{0.5, -2.0, 5.0, 1};
// A pasted base line may lie further down than the keys reach.
constexpr double kPastedBaseLineMax = 10000.0;

PhraseCellText placeholder()
{
    return {kMissingMark, std::nullopt};
}

PhraseCellText questionMarks()
{
    return {kUnnamedMark, kEmptyNameColor};
}

std::string korektaText(float korekta)
{
    std::string magnitude = formatNumber(std::fabs(korekta), 1);
    if (magnitude.empty())
        return magnitude;  // zero has no sign
    return (korekta < 0 ? "-" : "+") + magnitude;
}

bool isBlankOrSpace(char c)
{
    return c == ' ' || c == '\t';
}

}  // namespace

const char* phraseColumnHeader(int column)
{
    return column >= 0 && column < kPhraseEditorColumns ? kHeaders[column] : "";
}

bool hasAlignment(const TFra& phrase)
{
    return phrase.kind != PhraseKind::Picture && phrase.width >= 1;
}

PhraseCellText phraseCellText(const TFra& phrase, int column)
{
    switch (column) {
    case kColumnName:
        return phrase.name.empty() ? questionMarks() : PhraseCellText{phrase.name, std::nullopt};
    case kColumnKind:
        return phrase.kind <= PhraseKind::Picture
                   ? PhraseCellText{kKinds[static_cast<std::size_t>(phrase.kind)], std::nullopt}
                   : placeholder();
    case kColumnX0: return {std::to_string(phrase.x0), std::nullopt};
    case kColumnY0: return {formatNumber(phrase.y0, 1), std::nullopt};
    case kColumnWidth: return {std::to_string(phrase.width), std::nullopt};
    case kColumnHeight: return {std::to_string(phrase.height), std::nullopt};
    case kColumnAlignment:
        if (!hasAlignment(phrase) || phrase.align < 0 || phrase.align > 2)
            return placeholder();
        return {kAlignments[phrase.align], std::nullopt};
    case kColumnFont:
        if (phrase.kind == PhraseKind::Picture)
            return phrase.picture.empty() ? questionMarks()
                                          : PhraseCellText{phrase.picture, std::nullopt};
        return {std::to_string(phrase.fontSize) + ", " + phrase.fontName, std::nullopt};
    case kColumnLineSpacing: return {korektaText(phrase.lineSpacing), std::nullopt};
    case kColumnPage: return {std::to_string(phrase.page + 1), std::nullopt};
    default: return {};
    }
}

std::optional<NumberRule> phraseNumberRule(int column)
{
    switch (column) {
    case kColumnX0:
    case kColumnWidth:
    case kColumnHeight: return kMillimetres;
    case kColumnY0: return kBaseLine;
    case kColumnLineSpacing: return kKorekta;
    default: return std::nullopt;
    }
}

double phraseNumber(const TFra& phrase, int column)
{
    switch (column) {
    case kColumnX0: return phrase.x0;
    case kColumnY0: return phrase.y0;
    case kColumnWidth: return phrase.width;
    case kColumnHeight: return phrase.height;
    case kColumnLineSpacing: return phrase.lineSpacing;
    default: return 0.0;
    }
}

void setPhraseNumber(TFra& phrase, int column, double value)
{
    // The callers keep values within their column's bounds.
    const auto whole = static_cast<std::int16_t>(std::trunc(value));
    switch (column) {
    case kColumnX0: phrase.x0 = whole; break;
    case kColumnY0: phrase.y0 = static_cast<float>(value); break;
    case kColumnWidth: phrase.width = whole; break;
    case kColumnHeight: phrase.height = whole; break;
    case kColumnLineSpacing: phrase.lineSpacing = static_cast<float>(value); break;
    default: break;
    }
}

long readWholeNumber(std::string_view text, long lower, long upper)
{
    std::size_t i = 0;
    while (i < text.size() && isBlankOrSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    long value = 0;
    // Digits beyond any bound only keep the value beyond it.
    const long cap = std::max(std::labs(lower), std::labs(upper)) + 1;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = std::min(cap, value * 10 + (text[i] - '0'));
    if (negative)
        value = -value;
    return std::clamp(value, lower, upper);
}

double readSignedNumber(std::string_view text, double lower, double upper, int decimals)
{
    // The sign is a "-" before the first digit; readNumber drops it.
    bool negative = false;
    for (char c : text) {
        if (c >= '0' && c <= '9')
            break;
        if (c == '-')
            negative = true;
    }
    const double magnitude = readNumber(text, 0.0, std::max(-lower, upper), decimals);
    const double value = negative ? -magnitude : magnitude;
    return std::clamp(roundNumber(value, decimals), lower, upper);
}

void pastePhraseCell(TFra& phrase, int column, std::string_view text)
{
    switch (column) {
    case kColumnName: phrase.name = std::string(text); break;
    case kColumnKind: {
        const char first = text.empty() ? '\0' : text[0];
        const char second = text.size() > 1 ? text[1] : '\0';
        if (first == 'O' || first == 'o')
            phrase.kind =
                (second == 'c' || second == 'C') ? PhraseKind::Grade : PhraseKind::Picture;
        else if (first == 'T' || first == 't')
            phrase.kind = PhraseKind::Text;
        break;
    }
    case kColumnX0:
    case kColumnWidth:
    case kColumnHeight:
        // Within the column's bounds: a bigger number would wrap in the
        // 16-bit field.
        setPhraseNumber(
            phrase, column,
            static_cast<double>(readWholeNumber(text, static_cast<long>(kMillimetres.lower),
                                                static_cast<long>(kMillimetres.upper))));
        break;
    case kColumnY0:
        phrase.y0 = static_cast<float>(readNumber(text, 0.0, kPastedBaseLineMax, 1));
        break;
    case kColumnAlignment:
        if (phrase.width <= 0 || text == kMissingMark)
            break;
        if (!text.empty() && (text[0] == 'C' || text[0] == 'c'))
            phrase.align = 1;
        else if (!text.empty() && (text[0] == 'P' || text[0] == 'p'))
            phrase.align = 2;
        else
            phrase.align = 0;
        break;
    case kColumnLineSpacing:
        phrase.lineSpacing =
            static_cast<float>(readSignedNumber(text, kKorekta.lower, kKorekta.upper, 1));
        break;
    case kColumnPage:
        phrase.page = static_cast<std::int16_t>(
            std::clamp(readWholeNumber(text, -1000000, 1000000) - 1, 0L, long{kLastPage}));
        break;
    default: break;  // "Font/plik" takes nothing
    }
}

}  // namespace wykazki
