#pragma once
// Keys reach grid owners as Windows virtual-key numbers: the program's key
// rules (paging 33..40, Insert 45, Delete 46, F5 116, digits 48..57,
// letters as upper-case ASCII, keypad digits 96..105) are written in them.
// This is the one mapping from Qt's keys.

#include <Qt>

#include <cstdint>

namespace wykazki {

namespace vk {
inline constexpr std::uint32_t Back = 8;
inline constexpr std::uint32_t Tab = 9;
inline constexpr std::uint32_t Return = 13;
inline constexpr std::uint32_t Shift = 16;
inline constexpr std::uint32_t Control = 17;
inline constexpr std::uint32_t Menu = 18;  // Alt
inline constexpr std::uint32_t Escape = 27;
inline constexpr std::uint32_t Space = 32;
inline constexpr std::uint32_t Prior = 33;  // PageUp
inline constexpr std::uint32_t Next = 34;   // PageDown
inline constexpr std::uint32_t End = 35;
inline constexpr std::uint32_t Home = 36;
inline constexpr std::uint32_t Left = 37;
inline constexpr std::uint32_t Up = 38;
inline constexpr std::uint32_t Right = 39;
inline constexpr std::uint32_t Down = 40;
inline constexpr std::uint32_t Insert = 45;
inline constexpr std::uint32_t Delete = 46;
inline constexpr std::uint32_t Numpad0 = 96;
inline constexpr std::uint32_t F1 = 112;
inline constexpr std::uint32_t F2 = 113;
inline constexpr std::uint32_t F5 = 116;
}  // namespace vk

// The virtual-key number of a Qt key, 0 for a key without one. Keypad keys
// (KeypadModifier) get the keypad numbers; shifted symbols of the US layout
// give their key's number (Shift+1 is 49); letters with diacritics give
// their base letter.
std::uint32_t virtualKey(int qtKey, Qt::KeyboardModifiers modifiers);

// The Qt key for a virtual-key number (the reverse, for a key an owner
// replaced); Qt::Key_unknown when there is none.
int qtKey(std::uint32_t virtualKey);

}  // namespace wykazki
