#include "grid/keycodes.h"

#include <QChar>
#include <QString>

#include <array>
#include <utility>

namespace wykazki {

namespace {

// Keys whose number does not follow from their character.
constexpr std::array<std::pair<int, std::uint32_t>, 47> kNamedKeys{{
    {Qt::Key_Backspace, 8},
    {Qt::Key_Tab, 9},
    {Qt::Key_Backtab, 9},
    {Qt::Key_Clear, 12},
    {Qt::Key_Return, 13},
    {Qt::Key_Enter, 13},
    {Qt::Key_Shift, 16},
    {Qt::Key_Control, 17},
    {Qt::Key_Alt, 18},
    {Qt::Key_Pause, 19},
    {Qt::Key_CapsLock, 20},
    {Qt::Key_Escape, 27},
    {Qt::Key_Space, 32},
    {Qt::Key_PageUp, 33},
    {Qt::Key_PageDown, 34},
    {Qt::Key_End, 35},
    {Qt::Key_Home, 36},
    {Qt::Key_Left, 37},
    {Qt::Key_Up, 38},
    {Qt::Key_Right, 39},
    {Qt::Key_Down, 40},
    {Qt::Key_Select, 41},
    {Qt::Key_Printer, 42},
    {Qt::Key_Execute, 43},
    {Qt::Key_Print, 44},
    {Qt::Key_Insert, 45},
    {Qt::Key_Delete, 46},
    {Qt::Key_Help, 47},
    {Qt::Key_Meta, 91},
    {Qt::Key_Menu, 93},
    {Qt::Key_Sleep, 95},
    {Qt::Key_NumLock, 144},
    {Qt::Key_ScrollLock, 145},
    // Punctuation of the US layout (the Polish programmers' layout too),
    // unshifted and shifted.
    {Qt::Key_Semicolon, 186},
    {Qt::Key_Colon, 186},
    {Qt::Key_Equal, 187},
    {Qt::Key_Plus, 187},
    {Qt::Key_Comma, 188},
    {Qt::Key_Less, 188},
    {Qt::Key_Minus, 189},
    {Qt::Key_Underscore, 189},
    {Qt::Key_Period, 190},
    {Qt::Key_Greater, 190},
    {Qt::Key_Slash, 191},
    {Qt::Key_Question, 191},
    {Qt::Key_QuoteLeft, 192},
    {Qt::Key_AsciiTilde, 192},
}};

constexpr std::array<std::pair<int, std::uint32_t>, 8> kBracketKeys{{
    {Qt::Key_BracketLeft, 219},
    {Qt::Key_BraceLeft, 219},
    {Qt::Key_Backslash, 220},
    {Qt::Key_Bar, 220},
    {Qt::Key_BracketRight, 221},
    {Qt::Key_BraceRight, 221},
    {Qt::Key_Apostrophe, 222},
    {Qt::Key_QuoteDbl, 222},
}};

// Shifted digits of the US layout: Shift+1 is "!" to Qt, 49 to the rules.
constexpr std::array<std::pair<int, std::uint32_t>, 10> kShiftedDigits{{
    {Qt::Key_Exclam, '1'},
    {Qt::Key_At, '2'},
    {Qt::Key_NumberSign, '3'},
    {Qt::Key_Dollar, '4'},
    {Qt::Key_Percent, '5'},
    {Qt::Key_AsciiCircum, '6'},
    {Qt::Key_Ampersand, '7'},
    {Qt::Key_Asterisk, '8'},
    {Qt::Key_ParenLeft, '9'},
    {Qt::Key_ParenRight, '0'},
}};

template <typename Table>
std::uint32_t lookup(const Table& table, int key)
{
    for (const auto& [qt, code] : table)
        if (qt == key)
            return code;
    return 0;
}

std::uint32_t keypadKey(int key)
{
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return vk::Numpad0 + std::uint32_t(key - Qt::Key_0);
    switch (key) {
    case Qt::Key_Asterisk: return 106;
    case Qt::Key_Plus: return 107;
    case Qt::Key_Minus: return 109;
    case Qt::Key_Period:
    case Qt::Key_Comma: return 110;
    case Qt::Key_Slash: return 111;
    default: return 0;  // keypad navigation keys are the ordinary ones
    }
}

}  // namespace

std::uint32_t virtualKey(int key, Qt::KeyboardModifiers modifiers)
{
    if (modifiers & Qt::KeypadModifier)
        if (const std::uint32_t code = keypadKey(key))
            return code;
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return std::uint32_t(key);
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return std::uint32_t(key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return 112 + std::uint32_t(key - Qt::Key_F1);
    if (const std::uint32_t code = lookup(kNamedKeys, key))
        return code;
    if (const std::uint32_t code = lookup(kBracketKeys, key))
        return code;
    if (const std::uint32_t code = lookup(kShiftedDigits, key))
        return code;
    // A letter with a diacritic (Qt gives its upper-case code point) is
    // typed on its base letter's key.
    if (key > 0x7F && key <= 0xFFFF) {
        const QString decomposed = QChar(char16_t(key)).decomposition();
        if (!decomposed.isEmpty()) {
            const char16_t base = decomposed.at(0).toUpper().unicode();
            if (base >= u'A' && base <= u'Z')
                return base;
        }
    }
    return 0;
}

int qtKey(std::uint32_t code)
{
    if ((code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z'))
        return int(code);
    if (code >= 112 && code <= 135)
        return Qt::Key_F1 + int(code - 112);
    if (code >= vk::Numpad0 && code <= vk::Numpad0 + 9)
        return Qt::Key_0 + int(code - vk::Numpad0);
    for (const auto& [qt, c] : kNamedKeys)
        if (c == code)
            return qt;
    for (const auto& [qt, c] : kBracketKeys)
        if (c == code)
            return qt;
    return Qt::Key_unknown;
}

}  // namespace wykazki
