#include "formatting.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <system_error>

namespace wykazki {

// Number texts are written and read with <charconv>, never with printf or
// strtod: the windows run under the user's locale, whose decimal separator
// must not leak into the number texts.

namespace {

// The number text of the number-editing rule holds at most this many bytes.
constexpr std::size_t kNumberTextLimit = 10;
// More fraction digits than a double can carry are pointless.
constexpr int kMaxDecimals = 15;

int clampDecimals(int decimals)
{
    return std::clamp(decimals, 0, kMaxDecimals);
}

double powerOfTen(int decimals)
{
    double p = 1.0;
    for (int i = 0; i < decimals; ++i) {
        p *= 10.0;
    }
    return p;
}

// A scaled value rounded to a whole number, halves away from zero. The
// product value * 10^d of a decimal half (2.675 * 100) often lands a few
// units in the last place below .5; such a product still counts as a half.
double roundScaled(double scaled)
{
    const double magnitude = std::fabs(scaled);
    double whole = std::floor(magnitude);
    const double tolerance = std::max(1.0, magnitude) * 1e-12;
    if (magnitude - whole + tolerance >= 0.5) {
        whole += 1.0;
    }
    return std::copysign(whole, scaled);
}

// Doubles from 2^52 up have no fraction left to round.
constexpr double kNoFraction = 4503599627370496.0;

// Reads a text of digits with at most one decimal point; an empty or
// digitless text is 0.
double parseDigits(std::string_view digits)
{
    double result = 0.0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), result,
                                           std::chars_format::fixed);
    (void)end;
    if (ec == std::errc::result_out_of_range) {
        // Only digits and a point: either far too large, or a long run of
        // zeros after the point.
        const auto firstNonZero = digits.find_first_not_of('0');
        const auto point = digits.find('.');
        return firstNonZero != std::string_view::npos && firstNonZero < point ? HUGE_VAL : 0.0;
    }
    if (ec != std::errc{}) {
        return 0.0;
    }
    return result;
}

// Digits kept, "," and "." turned into the decimal point, all else dropped.
std::string keepDigitsAndPoint(std::string_view text)
{
    std::string kept;
    kept.reserve(text.size());
    for (const char c : text) {
        if (c >= '0' && c <= '9') {
            kept.push_back(c);
        } else if (c == ',' || c == '.') {
            kept.push_back('.');
        }
    }
    return kept;
}

void groupThousands(std::string& digits)
{
    for (std::size_t i = digits.size(); i > 3; i -= 3) {
        digits.insert(i - 3, 1, ' ');
    }
}

// The number text a cell starts with: the value as "%g" writes it, empty
// for 0. Exponent forms would turn into wrong digits once only the digits
// are kept, so those numbers are written in fixed form instead.
std::string startText(double value, int decimals)
{
    if (value == 0.0 || !std::isfinite(value)) {
        return {};
    }
    char buffer[64];
    const auto general =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 6);
    std::string text(buffer, general.ec == std::errc{} ? general.ptr : buffer);
    if (text.find('e') != std::string::npos) {
        const auto fixed = std::to_chars(buffer, buffer + sizeof buffer, value,
                                         std::chars_format::fixed, decimals);
        text.assign(buffer, fixed.ec == std::errc{} ? fixed.ptr : buffer);
    }
    return text;
}

struct NumberText {
    double candidate = 0.0;
    std::string text;
};

// Reads a typed number text and gives it back normalised: no leading zeros,
// at most `decimals` fraction digits, a trailing decimal point kept so that
// the next digit becomes a fraction digit. The candidate is read from the
// whole text, before the fraction is cut.
NumberText normalise(std::string_view typed, int decimals)
{
    const std::string kept = keepDigitsAndPoint(typed);
    const auto point = kept.find('.');
    std::string whole = kept.substr(0, point);
    std::string fraction;
    if (point != std::string::npos) {
        fraction = kept.substr(point + 1);
        fraction.erase(std::min(fraction.find('.'), fraction.size()));
    }
    whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size()));

    NumberText result;
    result.candidate = parseDigits(whole + "." + fraction);
    result.text = whole;
    if (decimals > 0 && point != std::string::npos) {
        fraction.resize(std::min(fraction.size(), static_cast<std::size_t>(decimals)));
        if (result.text.empty()) {
            result.text = "0";
        }
        result.text += '.';
        result.text += fraction;
    }
    return result;
}

}  // namespace

double roundNumber(double value, int decimals)
{
    if (!std::isfinite(value)) {
        return value;
    }
    const double p = powerOfTen(clampDecimals(decimals));
    const double scaled = value * p;
    if (!std::isfinite(scaled) || std::fabs(scaled) >= kNoFraction) {
        return value;
    }
    return roundScaled(scaled) / p;
}

std::string formatNumber(double value, int decimals)
{
    if (!std::isfinite(value)) {
        return {};
    }
    decimals = clampDecimals(decimals);
    const double p = powerOfTen(decimals);
    const double magnitude = std::fabs(value);
    const double scaled = magnitude * p;

    std::string whole;
    std::string fraction;
    if (scaled < kNoFraction) {
        const auto rounded = static_cast<std::uint64_t>(roundScaled(scaled));
        if (rounded == 0) {
            return {};
        }
        const auto unit = static_cast<std::uint64_t>(p);
        whole = std::to_string(rounded / unit);
        fraction = std::to_string(rounded % unit);
        if (fraction.size() < static_cast<std::size_t>(decimals)) {
            fraction.insert(0, static_cast<std::size_t>(decimals) - fraction.size(), '0');
        }
    } else {
        // So large that no fraction digit is meaningful.
        char buffer[400];
        const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, std::floor(magnitude),
                                             std::chars_format::fixed);
        whole.assign(buffer, ec == std::errc{} ? end : buffer);
        fraction.assign(static_cast<std::size_t>(decimals), '0');
    }

    groupThousands(whole);
    std::string result = value < 0 ? "-" : "";
    result += whole;
    if (decimals > 0) {
        result += ',';
        result += fraction;
    }
    return result;
}

double readNumber(std::string_view text, double lower, double upper, int decimals)
{
    const double number = parseDigits(keepDigitsAndPoint(text));
    if (number < lower) {
        return lower;
    }
    if (number > upper) {
        return upper;
    }
    return roundNumber(number, decimals);
}

bool editText(std::string& text, char& key, std::size_t limit, bool lineBreaks)
{
    const auto code = static_cast<unsigned char>(key);
    bool changed = false;
    if (key == kKeyBackspace) {
        if (!text.empty()) {
            text.pop_back();
            changed = true;
        }
    } else if (key == kKeyDelete) {
        if (!text.empty()) {
            text.clear();
            changed = true;
        }
    } else if (key == kKeyEnter) {
        if (lineBreaks && text.size() + 1 < limit) {
            text += "\r\n";
            changed = true;
        }
    } else if (code >= 32 && code != 255) {
        if (text.size() < limit) {
            text.push_back(key);
            changed = true;
        }
    }
    if (changed) {
        key = 0;
    }
    return changed;
}

bool editNumber(double& value, char& key, int button, double step, double lower, double upper,
                int decimals, const CellId& cell, TMiniEdi& miniEdi)
{
    decimals = clampDecimals(decimals);
    if (decimals == 0) {
        step = roundNumber(step, 0);
    }
    char k = key;
    if (button == 1) {
        k = '+';
    } else if (button == 2) {
        k = '-';
    }

    double candidate = 0.0;
    std::string text;
    const bool typed = !(k == '+' || k == '-' || k == kKeyDelete);
    if (!typed) {
        candidate = k == '+' ? value + step : k == '-' ? value - step : 0.0;
        // Typing after a step starts a new number.
        miniEdi.forget();
    } else {
        const bool point = k == '.' || k == ',';
        const bool digit = k >= '0' && k <= '9';
        if (point && decimals == 0) {
            return false;
        }
        if (!point && !digit && k != kKeyBackspace) {
            return false;
        }
        if (miniEdi.komorka != cell) {
            miniEdi.komorka = cell;
            miniEdi.tekst = startText(value, decimals);
        }
        if (point && miniEdi.tekst.find_first_of(".,") != std::string::npos) {
            return false;  // the number already has its decimal point
        }
        std::string edited = miniEdi.tekst;
        char c = point ? '.' : k;
        if (!editText(edited, c, kNumberTextLimit, false)) {
            return false;
        }
        NumberText number = normalise(edited, decimals);
        candidate = number.candidate;
        text = std::move(number.text);
    }

    if (!(lower <= candidate && candidate <= upper)) {
        return false;
    }
    if (typed) {
        miniEdi.tekst = std::move(text);
    }
    value = roundNumber(candidate, decimals);
    key = 0;
    return true;
}

unsigned char polishUpper(unsigned char c)
{
    switch (c) {
    case 156: return 140;  // ś
    case 159: return 143;  // ź
    case 179: return 163;  // ł
    case 185: return 165;  // ą
    case 191: return 175;  // ż
    case 230: return 198;  // ć
    case 234: return 202;  // ę
    case 241: return 209;  // ń
    case 243: return 211;  // ó
    default: break;
    }
    if (c >= 'a' && c <= 'z') {
        return static_cast<unsigned char>(c - 'a' + 'A');
    }
    return c;
}

std::string polishUpper(std::string_view text)
{
    std::string upper(text);
    for (char& c : upper) {
        c = static_cast<char>(polishUpper(static_cast<unsigned char>(c)));
    }
    return upper;
}

int findText(std::string_view text, const std::vector<std::string>& list)
{
    const std::string wanted = polishUpper(text);
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (polishUpper(list[i]) == wanted) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool isBlank(char c)
{
    return c == '\t' || c == '\n' || c == '\r' || c == ' ';
}

}  // namespace wykazki
