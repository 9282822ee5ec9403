#pragma once
// Shared rules that give every grid the same look and the same typing
// behaviour: the display form of numbers, the in-cell editing of texts and
// numbers, reading numbers from pasted text, a case-insensitive lookup and
// upper-casing of Polish letters. Texts are Windows-1250 bytes.

#include "tminiedi.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace wykazki {

// The placeholder for a missing row or missing data.
inline constexpr const char* kMissingMark = "........";
// The placeholder for an empty name or file.
inline constexpr const char* kUnnamedMark = "???";

// Key codes the editing rules know besides printable characters.
inline constexpr char kKeyBackspace = 8;
inline constexpr char kKeyEnter = 13;
// The Delete key reaches the rules as this character.
inline constexpr char kKeyDelete = '~';

// The display form of a number: groups of three digits separated by
// spaces, a decimal comma and exactly `decimals` fraction digits (no comma
// for 0 decimals), and the empty text for a number that rounds to 0. 1234.5
// with 2 decimals gives "1 234,50", 0.25 gives "0,25". A negative number
// gets a "-" in front of the form of its absolute value (callers that want
// their own sign pass the absolute value); NaN and infinities give the empty
// text.
std::string formatNumber(double value, int decimals);

// Rounds to `decimals` (>= 0) fraction digits, halves away from zero. A
// value whose decimal form ends exactly in 5 at the cut (2.675, 1.005) counts
// as a half even when its binary form lies a hair below it.
double roundNumber(double value, int decimals);

// A number from pasted text: only digits survive, "," and "." become the
// decimal point (a minus sign is dropped too); the empty text is 0. The
// result is clamped to lower..upper, otherwise rounded to `decimals`.
double readNumber(std::string_view text, double lower, double upper, int decimals);

// The text-editing rule: Backspace removes the last character, "~" clears,
// Enter appends CR LF when line breaks are allowed and there is room for
// both, any other code >= 32 except 255 is appended when the text is shorter
// than `limit`. When the text changed the key is set to 0 and the rule
// reports true; otherwise text and key stay as they were.
bool editText(std::string& text, char& key, std::size_t limit, bool lineBreaks);

// The number-editing rule. `button` 1 (left click on the current cell)
// counts as "+", 2 (right click) as "-". "+"/"-" step the value, "~" sets 0;
// each of them forgets the remembered cell. Digits, the decimal point (","
// or ".", only when decimals > 0, and only once) and Backspace edit the
// number text `miniEdi` keeps for `cell`: a cell other than the remembered
// one is taken over and its text starts as the value in "%g" form (empty for
// 0). The sign of a negative value does not survive typing, and a fraction
// digit beyond `decimals` rounds the value but is not kept in the text. A
// result within lower..upper becomes the value (rounded to `decimals`), the
// key is set to 0 and the rule reports true; otherwise value, key and number
// text stay as they were and the rule reports false.
bool editNumber(double& value, char& key, int button, double step, double lower, double upper,
                int decimals, const CellId& cell, TMiniEdi& miniEdi);

// The index of the first entry equal to `text` when both are upper-cased
// with polishUpper, -1 when there is none.
int findText(std::string_view text, const std::vector<std::string>& list);

// Upper case of one Windows-1250 byte: the nine Polish lower-case letters
// map to their capitals, ASCII a-z to A-Z, every other byte stays.
unsigned char polishUpper(unsigned char c);
std::string polishUpper(std::string_view text);

// Tab, line feed, carriage return and space.
bool isBlank(char c);

}  // namespace wykazki
