// The phrase editor's columns as rules: what a phrase shows in each column
// and how a pasted text is read back; the picture chooser's order and filter.

#include "document/cp1250.h"
#include "document/phrasecolumns.h"
#include "document/picturenames.h"

#include <gtest/gtest.h>

#include <functional>

namespace wykazki {

namespace {

std::string cp(const char* utf8)
{
    return cp1250::fromUtf8(utf8).value();
}

TFra textBox(std::int16_t width)
{
    TFra phrase;
    phrase.width = width;
    return phrase;
}

}  // namespace

TEST(PhraseColumns, cellTexts)
{
    const std::uint32_t none = 0xDEAD;  // the grid's own colour
    struct Case {
        std::function<void(TFra&)> setUp;
        int column;
        const char* shown;
        std::uint32_t colour;
    } cases[] = {
        {[](TFra&) {}, kColumnName, "???", kEmptyNameColor},
        {[](TFra& f) { f.name = "Klasa"; }, kColumnName, "Klasa", none},
        {[](TFra& f) { f.kind = PhraseKind::Grade; }, kColumnKind, "Ocena", none},
        {[](TFra& f) { f.kind = PhraseKind{7}; }, kColumnKind, "........", none},
        {[](TFra& f) { f.x0 = 125; }, kColumnX0, "125", none},
        {[](TFra&) {}, kColumnY0, "", none},  // zero shows as an empty number
        {[](TFra& f) { f.y0 = 1234.56f; }, kColumnY0, "1 234,6", none},
        {[](TFra&) {}, kColumnWidth, "0", none},
        {[](TFra&) {}, kColumnAlignment, "........", none},  // no box
        {[](TFra& f) {
             f.width = 1;
             f.align = 1;
         },
         kColumnAlignment, "Centr", none},
        {[](TFra& f) {
             f.width = 9;
             f.align = 2;
             f.kind = PhraseKind::Picture;
         },
         kColumnAlignment, "........", none},
        {[](TFra&) {}, kColumnFont, "10, MS Sans Serif", none},
        {[](TFra& f) { f.kind = PhraseKind::Picture; }, kColumnFont, "???", kEmptyNameColor},
        {[](TFra& f) {
             f.kind = PhraseKind::Picture;
             f.picture = "godlo.bmp";
         },
         kColumnFont, "godlo.bmp", none},
        {[](TFra&) {}, kColumnLineSpacing, "", none},
        {[](TFra& f) { f.lineSpacing = -1.5f; }, kColumnLineSpacing, "-1,5", none},
        {[](TFra& f) { f.lineSpacing = 2.0f; }, kColumnLineSpacing, "+2,0", none},
        {[](TFra& f) { f.lineSpacing = 0.01f; }, kColumnLineSpacing, "",
         none},  // rounds to zero: no sign
        {[](TFra& f) { f.page = 3; }, kColumnPage, "4", none},
    };
    for (const Case& c : cases) {
        TFra phrase;
        c.setUp(phrase);
        const PhraseCellText cell = phraseCellText(phrase, c.column);
        EXPECT_EQ(cell.text, c.shown) << c.column;
        EXPECT_EQ(cell.color.value_or(none), c.colour) << c.column << " " << c.shown;
    }
}

TEST(PhraseColumns, pastedTexts)
{
    struct Case {
        int column;
        const char* pasted;
        TFra before;
        std::function<bool(const TFra&)> holds;
        const char* what;
    } cases[] = {
        {kColumnName, "Średnia ocen", TFra{},
         [](const TFra& f) { return f.name == "Średnia ocen"; }, "name whole, bytes as they come"},
        {kColumnKind, "Ocena", TFra{}, [](const TFra& f) { return f.kind == PhraseKind::Grade; },
         "Ocena"},
        {kColumnKind, "obrazek", TFra{},
         [](const TFra& f) { return f.kind == PhraseKind::Picture; }, "obrazek"},
        {kColumnKind, "OC", TFra{}, [](const TFra& f) { return f.kind == PhraseKind::Grade; },
         "OC"},
        {kColumnKind, "tekst",
         [] {
             TFra f;
             f.kind = PhraseKind::Grade;
             return f;
         }(),
         [](const TFra& f) { return f.kind == PhraseKind::Text; }, "tekst"},
        {kColumnKind, "xyz",
         [] {
             TFra f;
             f.kind = PhraseKind::Picture;
             return f;
         }(),
         [](const TFra& f) { return f.kind == PhraseKind::Picture; }, "other keeps"},
        {kColumnX0, "  42mm", TFra{}, [](const TFra& f) { return f.x0 == 42; },
         "digits up to a letter"},
        {kColumnX0, "99999", TFra{}, [](const TFra& f) { return f.x0 == 1000; },
         "x0 clamped, no wrap"},
        {kColumnWidth, "-5", textBox(7), [](const TFra& f) { return f.width == 0; },
         "negative width"},
        {kColumnHeight, "123456789012345678901234567890", TFra{},
         [](const TFra& f) { return f.height == 1000; }, "endless digits"},
        {kColumnHeight, "abc", textBox(7), [](const TFra& f) { return f.height == 0; },
         "no digits"},
        {kColumnY0, "12,34", TFra{}, [](const TFra& f) { return f.y0 == 12.3f; }, "y0 one decimal"},
        {kColumnY0, "20000", TFra{}, [](const TFra& f) { return f.y0 == 10000.0f; }, "y0 limit"},
        {kColumnY0, "1 234,5", TFra{}, [](const TFra& f) { return f.y0 == 1234.5f; },
         "y0 as shown"},
        {kColumnAlignment, "Centr", textBox(10), [](const TFra& f) { return f.align == 1; },
         "Centr"},
        {kColumnAlignment, "Prawo", textBox(10), [](const TFra& f) { return f.align == 2; },
         "Prawo"},
        {kColumnAlignment, "cokolwiek",
         [] {
             TFra f = textBox(10);
             f.align = 2;
             return f;
         }(),
         [](const TFra& f) { return f.align == 1; }, "c"},
        {kColumnAlignment, "Lewo",
         [] {
             TFra f = textBox(10);
             f.align = 2;
             return f;
         }(),
         [](const TFra& f) { return f.align == 0; }, "Lewo"},
        {kColumnAlignment, "Prawo", textBox(0), [](const TFra& f) { return f.align == 0; },
         "no box keeps"},
        {kColumnAlignment, "........",
         [] {
             TFra f = textBox(10);
             f.align = 1;
             return f;
         }(),
         [](const TFra& f) { return f.align == 1; }, "placeholder keeps"},
        {kColumnFont, "12, Arial", TFra{}, [](const TFra& f) { return f == TFra{}; },
         "font takes nothing"},
        {kColumnLineSpacing, "-1,5", TFra{}, [](const TFra& f) { return f.lineSpacing == -1.5f; },
         "negative"},
        {kColumnLineSpacing, "+2,0", TFra{}, [](const TFra& f) { return f.lineSpacing == 2.0f; },
         "as shown"},
        {kColumnLineSpacing, "-7", TFra{}, [](const TFra& f) { return f.lineSpacing == -2.0f; },
         "lower limit"},
        {kColumnLineSpacing, "9,99", TFra{}, [](const TFra& f) { return f.lineSpacing == 5.0f; },
         "upper limit"},
        {kColumnLineSpacing, "",
         [] {
             TFra f;
             f.lineSpacing = 3;
             return f;
         }(),
         [](const TFra& f) { return f.lineSpacing == 0.0f; }, "empty is zero"},
        {kColumnPage, "0", TFra{}, [](const TFra& f) { return f.page == 0; }, "page 0"},
        {kColumnPage, "9", TFra{}, [](const TFra& f) { return f.page == 3; }, "page 9"},
        {kColumnPage, "2", TFra{}, [](const TFra& f) { return f.page == 1; }, "page 2"},
    };
    for (const Case& c : cases) {
        TFra phrase = c.before;
        pastePhraseCell(phrase, c.column, c.pasted);
        EXPECT_TRUE(c.holds(phrase)) << c.what << ": " << c.pasted;
    }
}

TEST(PhraseColumns, everyShownTextPastesBackToTheSamePhrase)
{
    TFra phrase;
    phrase.name = cp("Zachowanie");
    phrase.kind = PhraseKind::Grade;
    phrase.x0 = 17;
    phrase.y0 = 123.4f;
    phrase.width = 80;
    phrase.height = 6;
    phrase.align = 2;
    phrase.lineSpacing = -1.5f;
    phrase.page = 2;
    for (const TFra& original : {phrase, [&] {
                                     TFra p = phrase;
                                     p.kind = PhraseKind::Picture;
                                     p.align = 1;
                                     return p;
                                 }()}) {
        TFra pasted;
        for (int column = 0; column < kPhraseEditorColumns; ++column)
            pastePhraseCell(pasted, column, phraseCellText(original, column).text);
        pasted.fontName = original.fontName;  // fonts are not pasted
        if (original.kind == PhraseKind::Picture)
            pasted.align = original.align;  // shown as "........"
        EXPECT_EQ(pasted, original) << int(original.kind);
    }
}

TEST(PictureNames, sortedCaseInsensitivelyWithPolishLettersInPlace)
{
    std::vector<std::string> names = {
        cp("Łódź.bmp"), "zebra.bmp",   cp("łąka.bmp"), cp("Godło.bmp"), "godlo2.bmp",
        "lis.bmp",      cp("Ćma.bmp"), "Cyrk.bmp",     cp("żaba.bmp"),  cp("źródło.bmp"),
        "1.bmp",        "godlo.bmp",   "Godlo.bmp"};
    sortPictureNames(names);
    const std::vector<std::string> expected = {
        "1.bmp",      "Cyrk.bmp",       cp("Ćma.bmp"),  "Godlo.bmp",    "godlo.bmp",
        "godlo2.bmp", cp("Godło.bmp"),  "lis.bmp",      cp("łąka.bmp"), cp("Łódź.bmp"),
        "zebra.bmp",  cp("źródło.bmp"), cp("żaba.bmp"),
    };
    EXPECT_EQ(names, expected);
}

TEST(PictureNames, prefixFilterIgnoresCaseOfPolishLetters)
{
    const std::vector<std::string> names = {cp("Łódź.bmp"), cp("łąka.bmp"), cp("Godło.bmp"),
                                            "godlo2.bmp",   "go",           "lis.bmp"};
    const struct {
        const char* filter;
        std::vector<std::size_t> expected;
    } cases[] = {
        {"", {0, 1, 2, 3, 4, 5}},
        {"g", {2, 3, 4}},
        {"GO", {2, 3, 4}},
        {"god", {2, 3}},  // "go" is shorter than the filter
        {"ł", {0, 1}},
        {"Ł", {0, 1}},
        {"łą", {1}},
        {"ŁÓD", {0}},
        {"x", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(filterPictureNames(names, cp(c.filter)), c.expected) << c.filter;
}

}  // namespace wykazki
