#include "document/formatting.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace wykazki {

namespace {

// ---- formatNumber / roundNumber / readNumber --------------------------------

struct FormatCase {
    double value;
    int decimals;
    const char* expected;
};

class FormatNumberTest : public testing::TestWithParam<FormatCase> {};

TEST_P(FormatNumberTest, writesGroupedDigitsAndDecimalComma)
{
    const FormatCase& c = GetParam();
    EXPECT_EQ(formatNumber(c.value, c.decimals), c.expected) << c.value << " with " << c.decimals;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormatNumberTest,
    testing::Values(FormatCase{0.0, 2, ""},        // zero is an empty cell
                    FormatCase{0.004, 2, ""},      // rounds to zero
                    FormatCase{0.005, 2, "0,01"},  // ... or just away from it
                    FormatCase{0.04, 2, "0,04"},   // fraction digits padded on the left
                    FormatCase{0.25, 2, "0,25"}, FormatCase{7.0, 2, "7,00"},  // padded on the right
                    FormatCase{1234.5, 2, "1 234,50"}, FormatCase{1000.0, 1, "1 000,0"},
                    FormatCase{999.0, 1, "999,0"},  // no separator below four digits
                    FormatCase{123456.0, 1, "123 456,0"}, FormatCase{1234567.0, 2, "1 234 567,00"},
                    FormatCase{2.96, 1, "3,0"},          // fraction carries into the whole part
                    FormatCase{999.999, 2, "1 000,00"},  // ... and into a new group
                    FormatCase{2.675, 2, "2,68"},        // a decimal half rounds up
                    FormatCase{12.3f, 1, "12,3"},        // y0 is a float
                    FormatCase{5.5f, 2, "5,50"},
                    FormatCase{-1234.5, 2, "-1 234,50"},  // a sign in front of the absolute value
                    FormatCase{-0.001, 2, ""},            // no "-0,00"
                    FormatCase{1234.5, 0, "1 235"}));     // no decimals, no comma

TEST(FormatNumber, nonFiniteNumbersAreEmpty)
{
    EXPECT_EQ(formatNumber(std::numeric_limits<double>::quiet_NaN(), 2), "");
    EXPECT_EQ(formatNumber(std::numeric_limits<double>::infinity(), 2), "");
}

TEST(FormatNumber, hugeNumbersKeepAllWholeDigits)
{
    EXPECT_EQ(formatNumber(1e16, 1), "10 000 000 000 000 000,0");
}

TEST(RoundNumber, halvesGoAwayFromZeroAndFractionsCarry)
{
    EXPECT_DOUBLE_EQ(roundNumber(2.96, 1), 3.0);
    EXPECT_DOUBLE_EQ(roundNumber(2.5, 0), 3.0);
    EXPECT_DOUBLE_EQ(roundNumber(-2.5, 0), -3.0);
    EXPECT_DOUBLE_EQ(roundNumber(2.4999, 0), 2.0);
    EXPECT_DOUBLE_EQ(roundNumber(0.15, 1), 0.2);  // 0.15 is stored a hair below
    EXPECT_DOUBLE_EQ(roundNumber(1.005, 2), 1.01);
    EXPECT_DOUBLE_EQ(roundNumber(-1.25, 1), -1.3);
    EXPECT_DOUBLE_EQ(roundNumber(12.34, 1), 12.3);
    EXPECT_DOUBLE_EQ(roundNumber(7.0, 0), 7.0);
}

TEST(ReadNumber, keepsDigitsAndPointsClampsAndRounds)
{
    EXPECT_DOUBLE_EQ(readNumber("12,34", 0, 10000, 1), 12.3);
    EXPECT_DOUBLE_EQ(readNumber("12.35", 0, 10000, 1), 12.4);
    EXPECT_DOUBLE_EQ(readNumber("20000", 0, 10000, 1), 10000);
    EXPECT_DOUBLE_EQ(readNumber(" 1 234,5 mm", 0, 1e6, 1), 1234.5);
    EXPECT_DOUBLE_EQ(readNumber("-1,5", -2, 5, 1), 1.5);  // the minus sign is dropped
    EXPECT_DOUBLE_EQ(readNumber("", 0, 10, 0), 0);
    EXPECT_DOUBLE_EQ(readNumber("abc", 1, 10, 0), 1);  // reads as 0, below the bound
    EXPECT_DOUBLE_EQ(readNumber(",", 0, 10, 1), 0);
    EXPECT_DOUBLE_EQ(readNumber("1.2.3", 0, 10, 2), 1.2);  // reading stops at a second point
    EXPECT_DOUBLE_EQ(readNumber(std::string(400, '9'), 0, 10000, 1), 10000);
}

// ---- editText ---------------------------------------------------------------

struct EditTextCase {
    const char* name;
    std::string before;
    char key;
    std::size_t limit;
    bool lineBreaks;
    std::string after;  // equal to before when the key is refused
    bool used;
};

class EditTextTest : public testing::TestWithParam<EditTextCase> {};

TEST_P(EditTextTest, appliesOrRefusesTheKey)
{
    const EditTextCase& c = GetParam();
    std::string text = c.before;
    char key = c.key;
    EXPECT_EQ(editText(text, key, c.limit, c.lineBreaks), c.used);
    EXPECT_EQ(text, c.after);
    EXPECT_EQ(key, c.used ? 0 : c.key) << "a used key is consumed, a refused one kept";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EditTextTest,
    testing::Values(EditTextCase{"backspaceRemovesLast", "ab", 8, 20, false, "a", true},
                    EditTextCase{"backspaceOnEmptyRefused", "", 8, 20, false, "", false},
                    EditTextCase{"backspaceTakesOnlyLf", "a\r\n", 8, 20, true, "a\r", true},
                    EditTextCase{"tildeClears", "abc", '~', 20, false, "", true},
                    EditTextCase{"tildeOnEmptyRefused", "", '~', 20, false, "", false},
                    EditTextCase{"enterAppendsCrLf", "abc", 13, 5, true, "abc\r\n", true},
                    EditTextCase{"enterNeedsRoomForBoth", "abcd", 13, 5, true, "abcd", false},
                    EditTextCase{"enterWithoutLineBreaksRefused", "abc", 13, 20, false, "abc",
                                 false},
                    EditTextCase{"appendsBelowLimit", "abcd", 'x', 5, false, "abcdx", true},
                    EditTextCase{"refusedAtLimit", "abcde", 'x', 5, false, "abcde", false},
                    EditTextCase{"spaceAppended", "a", ' ', 5, false, "a ", true},
                    EditTextCase{"polishLetterAppended", "", '\xB9', 5, false, "\xB9", true},
                    EditTextCase{"code255Refused", "a", '\xFF', 5, false, "a", false},
                    EditTextCase{"controlCodeRefused", "a", '\t', 5, true, "a", false},
                    EditTextCase{"zeroKeyRefused", "a", 0, 5, true, "a", false}),
    [](const testing::TestParamInfo<EditTextCase>& row) { return row.param.name; });

// ---- editNumber -------------------------------------------------------------

// One cell of one grid with its bounds, typed into key by key.
struct NumberCell {
    double value;
    double step;
    double lower;
    double upper;
    int decimals;
    CellId id;

    bool press(TMiniEdi& miniEdi, char key, int button = 0)
    {
        const char sent = key;
        const bool used = editNumber(value, key, button, step, lower, upper, decimals, id, miniEdi);
        EXPECT_EQ(key, used ? 0 : sent);
        return used;
    }
};

NumberCell y0Cell(double value)
{
    return {value, 1.0, 0, 1000, 1, {1, 3, 0}};
}
NumberCell gradeCell(double value)
{
    return {value, 1.0, 0, 10, 0, {0, 2, 5}};
}

TEST(EditNumber, typedDigitsAndCommaBuildADecimal)
{
    TMiniEdi miniEdi;
    NumberCell cell = y0Cell(0);
    ASSERT_TRUE(cell.press(miniEdi, '1'));
    EXPECT_DOUBLE_EQ(cell.value, 1);
    ASSERT_TRUE(cell.press(miniEdi, '2'));
    EXPECT_DOUBLE_EQ(cell.value, 12);
    ASSERT_TRUE(cell.press(miniEdi, ','));
    EXPECT_DOUBLE_EQ(cell.value, 12);
    EXPECT_EQ(miniEdi.tekst, "12.");
    ASSERT_TRUE(cell.press(miniEdi, '5'));
    EXPECT_DOUBLE_EQ(cell.value, 12.5);
    EXPECT_EQ(miniEdi.tekst, "12.5");
}

TEST(EditNumber, outOfRangeDigitIsRefusedAndBackspaceEmptiesToZero)
{
    TMiniEdi miniEdi;
    NumberCell cell = gradeCell(6);
    EXPECT_FALSE(cell.press(miniEdi, '7'));  // "67" is above 10
    EXPECT_DOUBLE_EQ(cell.value, 6);
    EXPECT_EQ(miniEdi.tekst, "6");
    EXPECT_EQ(miniEdi.komorka, cell.id);
    ASSERT_TRUE(cell.press(miniEdi, 8));
    EXPECT_DOUBLE_EQ(cell.value, 0);
    EXPECT_EQ(miniEdi.tekst, "");
    EXPECT_FALSE(cell.press(miniEdi, 8));  // nothing left to remove
    ASSERT_TRUE(cell.press(miniEdi, '9'));
    EXPECT_DOUBLE_EQ(cell.value, 9);
}

TEST(EditNumber, stepsStopAtTheBounds)
{
    TMiniEdi miniEdi;
    NumberCell cell = gradeCell(9);
    EXPECT_TRUE(cell.press(miniEdi, '+'));
    EXPECT_DOUBLE_EQ(cell.value, 10);
    EXPECT_FALSE(cell.press(miniEdi, '+'));
    EXPECT_DOUBLE_EQ(cell.value, 10);

    NumberCell korekta{4.5, 0.5, -2, 5, 1, {1, 8, 0}};
    EXPECT_TRUE(korekta.press(miniEdi, 0, 1));  // left click is "+"
    EXPECT_DOUBLE_EQ(korekta.value, 5.0);
    EXPECT_FALSE(korekta.press(miniEdi, 0, 1));
    korekta.value = -1.5;
    EXPECT_TRUE(korekta.press(miniEdi, 0, 2));  // right click is "-"
    EXPECT_DOUBLE_EQ(korekta.value, -2.0);
    EXPECT_FALSE(korekta.press(miniEdi, '-'));
    EXPECT_DOUBLE_EQ(korekta.value, -2.0);
}

TEST(EditNumber, stepIsWholeWithoutDecimals)
{
    TMiniEdi miniEdi;
    NumberCell cell{3, 0.5, 0, 1000, 0, {1, 2, 0}};
    ASSERT_TRUE(cell.press(miniEdi, '+'));
    EXPECT_DOUBLE_EQ(cell.value, 4);
}

TEST(EditNumber, deleteGivesZeroAndStartsANewNumber)
{
    TMiniEdi miniEdi;
    NumberCell cell = y0Cell(0);
    cell.press(miniEdi, '4');
    cell.press(miniEdi, '2');
    ASSERT_TRUE(cell.press(miniEdi, '~'));
    EXPECT_DOUBLE_EQ(cell.value, 0);
    EXPECT_EQ(miniEdi.komorka, CellId{});
    ASSERT_TRUE(cell.press(miniEdi, '3'));
    EXPECT_DOUBLE_EQ(cell.value, 3);  // not 423
}

TEST(EditNumber, stepForgetsTheTypedText)
{
    TMiniEdi miniEdi;
    NumberCell cell = gradeCell(0);
    cell.press(miniEdi, '1');
    ASSERT_TRUE(cell.press(miniEdi, '+'));
    EXPECT_DOUBLE_EQ(cell.value, 2);
    EXPECT_FALSE(cell.press(miniEdi, '1'));  // starts again from "2": "21"
}

TEST(EditNumber, anotherCellOrGridStartsFromItsOwnValue)
{
    TMiniEdi miniEdi;
    NumberCell a{0, 1, 0, 1000, 0, {1, 2, 0}};
    NumberCell b{7, 1, 0, 1000, 0, {1, 2, 1}};
    NumberCell c{8, 1, 0, 1000, 0, {2, 2, 0}};  // same place, other grid
    ASSERT_TRUE(a.press(miniEdi, '5'));
    ASSERT_TRUE(b.press(miniEdi, '1'));
    EXPECT_DOUBLE_EQ(b.value, 71);
    ASSERT_TRUE(a.press(miniEdi, '3'));
    EXPECT_DOUBLE_EQ(a.value, 53);
    ASSERT_TRUE(c.press(miniEdi, '2'));
    EXPECT_DOUBLE_EQ(c.value, 82);
}

TEST(EditNumber, refusedKeysChangeNothing)
{
    TMiniEdi miniEdi;
    NumberCell whole{5, 1, 0, 1000, 0, {1, 2, 0}};
    EXPECT_FALSE(whole.press(miniEdi, '.'));  // no decimals allowed
    EXPECT_FALSE(whole.press(miniEdi, ','));
    EXPECT_FALSE(whole.press(miniEdi, 'x'));
    EXPECT_FALSE(whole.press(miniEdi, ' '));
    EXPECT_FALSE(whole.press(miniEdi, 0));
    EXPECT_DOUBLE_EQ(whole.value, 5);
    EXPECT_EQ(miniEdi.komorka, CellId{}) << "a refused key does not take the cell over";

    NumberCell y0 = y0Cell(12.5);
    EXPECT_FALSE(y0.press(miniEdi, ','));  // already has its decimal point
    EXPECT_DOUBLE_EQ(y0.value, 12.5);
}

TEST(EditNumber, textIsNormalisedAndCutAfterTheDecimals)
{
    TMiniEdi miniEdi;
    NumberCell x0{0, 1, 0, 1000, 0, {1, 2, 0}};
    x0.press(miniEdi, '0');
    x0.press(miniEdi, '0');
    ASSERT_TRUE(x0.press(miniEdi, '7'));
    EXPECT_DOUBLE_EQ(x0.value, 7);
    EXPECT_EQ(miniEdi.tekst, "7");

    NumberCell y0 = y0Cell(12.5);
    ASSERT_TRUE(y0.press(miniEdi, '7'));  // 12.57 rounds to one decimal
    EXPECT_DOUBLE_EQ(y0.value, 12.6);
    EXPECT_EQ(miniEdi.tekst, "12.5");
    ASSERT_TRUE(y0.press(miniEdi, 8));  // the point stays for the next digit
    EXPECT_EQ(miniEdi.tekst, "12.");
    EXPECT_DOUBLE_EQ(y0.value, 12);
    ASSERT_TRUE(y0.press(miniEdi, '1'));
    EXPECT_DOUBLE_EQ(y0.value, 12.1);

    NumberCell fresh = y0Cell(0);
    fresh.id.y = 7;
    ASSERT_TRUE(fresh.press(miniEdi, '.'));
    ASSERT_TRUE(fresh.press(miniEdi, '5'));
    EXPECT_DOUBLE_EQ(fresh.value, 0.5);
}

TEST(EditNumber, floatStartValueTypesOnCleanly)
{
    TMiniEdi miniEdi;
    NumberCell y0 = y0Cell(static_cast<float>(12.3));  // 12.300000190...
    ASSERT_TRUE(y0.press(miniEdi, 8));
    EXPECT_DOUBLE_EQ(y0.value, 12);
}

TEST(EditNumber, typingOverANegativeValueDropsTheSign)
{
    TMiniEdi miniEdi;
    NumberCell korekta{-1.5, 0.5, -2, 5, 1, {1, 8, 0}};
    ASSERT_TRUE(korekta.press(miniEdi, 8));
    EXPECT_DOUBLE_EQ(korekta.value, 1.0);
}

TEST(EditNumber, numberTextHoldsAtMostTenCharacters)
{
    TMiniEdi miniEdi;
    NumberCell big{0, 1, 0, 1e12, 0, {1, 2, 0}};
    for (int i = 0; i < 10; ++i) {
        ASSERT_TRUE(big.press(miniEdi, '1')) << i;
    }
    EXPECT_DOUBLE_EQ(big.value, 1111111111.0);
    EXPECT_FALSE(big.press(miniEdi, '1'));
    EXPECT_DOUBLE_EQ(big.value, 1111111111.0);
}

// ---- findText, polishUpper, isBlank -----------------------------------------

TEST(FindText, comparesUpperCaseCopiesFirstMatchWins)
{
    const std::vector<std::string> list{"Dobry", "Bardzo dobry",
                                        "Celuj\xB9"
                                        "cy",
                                        "BARDZO DOBRY"};
    EXPECT_EQ(findText("bardzo DOBRY", list), 1);
    EXPECT_EQ(findText("CELUJ\xA5"
                       "CY",
                       list),
              2);  // "CELUJĄCY"
    EXPECT_EQ(findText("dobr", list), -1);
    EXPECT_EQ(findText("", list), -1);
    EXPECT_EQ(findText("dobry", {}), -1);
}

TEST(PolishUpper, mapsTheNinePolishLetters)
{
    const std::pair<int, int> letters[] = {{156, 140}, {159, 143}, {179, 163},
                                           {185, 165}, {191, 175}, {230, 198},
                                           {234, 202}, {241, 209}, {243, 211}};
    for (const auto& [lower, upper] : letters) {
        EXPECT_EQ(polishUpper(static_cast<unsigned char>(lower)), upper) << lower;
        EXPECT_EQ(polishUpper(static_cast<unsigned char>(upper)), upper) << upper;
    }
}

TEST(PolishUpper, otherBytesFollowAsciiOnly)
{
    for (int c = 'a'; c <= 'z'; ++c) {
        EXPECT_EQ(polishUpper(static_cast<unsigned char>(c)), c - 'a' + 'A');
    }
    for (const int c :
         {int{'A'}, int{'Z'}, int{'1'}, int{'~'}, 0, 0x9A /* š */, 0xE1 /* á */, 0xFF}) {
        EXPECT_EQ(polishUpper(static_cast<unsigned char>(c)), c) << c;
    }
    EXPECT_EQ(polishUpper(std::string_view("\x9C"
                                           "ci\xB9"
                                           "g \xBF\xF3\xB3w")),
              "\x8C"
              "CI\xA5"
              "G \xAF\xD3\xA3W");
}

TEST(IsBlank, onlyTabLineFeedReturnAndSpace)
{
    for (const char c : {'\t', '\n', '\r', ' '}) {
        EXPECT_TRUE(isBlank(c)) << int(c);
    }
    for (const char c : {'a', '\v', '\f', '\0', '\xA0', '_'}) {
        EXPECT_FALSE(isBlank(c)) << int(c);
    }
}

}  // namespace

}  // namespace wykazki
