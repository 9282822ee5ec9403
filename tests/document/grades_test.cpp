#include "document/grades.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

namespace wykazki {

namespace {

// ---- grade entry ------------------------------------------------------------

struct GradeKeyCase {
    int current;
    char key;
    int button;
    int expected;
};

class GradeKeyTest : public testing::TestWithParam<GradeKeyCase> {};

TEST_P(GradeKeyTest, givesTheIndex)
{
    const GradeKeyCase& c = GetParam();
    TMiniEdi miniEdi;
    const CellId cell{0, 1, 1};
    EXPECT_EQ(applyGradeKey(static_cast<std::int8_t>(c.current), c.key, c.button, cell, miniEdi),
              c.expected)
        << "index " << c.current << " key " << int(c.key) << " button " << c.button;
}

INSTANTIATE_TEST_SUITE_P(
    Keys, GradeKeyTest,
    testing::Values(
        GradeKeyCase{4, ' ', 0, 6}, GradeKeyCase{4, '0', 0, 6}, GradeKeyCase{6, '1', 0, 0},
        GradeKeyCase{6, '2', 0, 1}, GradeKeyCase{6, '3', 0, 2}, GradeKeyCase{6, '4', 0, 3},
        GradeKeyCase{6, '5', 0, 4}, GradeKeyCase{6, '6', 0, 5}, GradeKeyCase{0, 'A', 0, 7},
        GradeKeyCase{0, 'a', 0, 7}, GradeKeyCase{0, 'B', 0, 8}, GradeKeyCase{0, 'b', 0, 8},
        GradeKeyCase{0, 'C', 0, 9}, GradeKeyCase{0, 'c', 0, 9}, GradeKeyCase{0, 'D', 0, 10},
        GradeKeyCase{0, 'd', 0, 10},
        // The number-editing rule: steps, Delete and typed digits.
        GradeKeyCase{3, '+', 0, 4}, GradeKeyCase{3, '-', 0, 2}, GradeKeyCase{3, 0, 1, 4},
        GradeKeyCase{3, 0, 2, 2},  // left / right click
        GradeKeyCase{10, '+', 0, 10}, GradeKeyCase{0, '-', 0, 0}, GradeKeyCase{10, 0, 1, 10},
        GradeKeyCase{0, 0, 2, 0}, GradeKeyCase{8, '~', 0, 6},  // Delete empties the cell
        GradeKeyCase{0, '7', 0, 7}, GradeKeyCase{0, '9', 0, 9}, GradeKeyCase{1, '7', 0, 1},
        GradeKeyCase{6, '7', 0, 6},  // 17, 67 are above 10
        // Backspace emptying the typed number leaves the cell empty.
        GradeKeyCase{6, 8, 0, 6}, GradeKeyCase{4, 8, 0, 6},
        GradeKeyCase{10, 8, 0, 1},  // "10" loses its 0
        GradeKeyCase{4, '.', 0, 4}, GradeKeyCase{4, ',', 0, 4}, GradeKeyCase{4, 'E', 0, 4},
        GradeKeyCase{4, 'x', 0, 4}, GradeKeyCase{4, 0, 0, 4}));

TEST(GradeKey, typedIndexIsKeptPerCell)
{
    TMiniEdi miniEdi;
    const CellId cell{0, 2, 3};
    std::int8_t grade = 6;
    grade = applyGradeKey(grade, 8, 0, cell, miniEdi);
    EXPECT_EQ(grade, 6) << "nothing typed left: the empty cell";
    grade = applyGradeKey(grade, '8', 0, cell, miniEdi);
    EXPECT_EQ(grade, 8);
    grade = applyGradeKey(grade, 8, 0, cell, miniEdi);
    EXPECT_EQ(grade, 6);

    // Another cell holding 1 starts from "1": "7" would make 17.
    const CellId other{0, 3, 3};
    EXPECT_EQ(applyGradeKey(1, '7', 0, other, miniEdi), 1);
}

TEST(GradeKey, gradeKeysStartTheTypedIndexAfresh)
{
    TMiniEdi miniEdi;
    const CellId cell{0, 2, 3};
    std::int8_t grade = applyGradeKey(6, 8, 0, cell, miniEdi);  // text "", the empty cell
    grade = applyGradeKey(grade, '5', 0, cell, miniEdi);        // "Bardzo dobry"
    EXPECT_EQ(grade, 4);
    // Typed on from 4, not from the old empty text.
    EXPECT_EQ(applyGradeKey(grade, '7', 0, cell, miniEdi), 4);
}

// ---- wordings ---------------------------------------------------------------

TEST(GradeWording, indicesZeroToTenOnly)
{
    TOpcje options;
    options.wordings[11] = "wzorowe";
    EXPECT_EQ(gradeWording(options, 0), "Niedostateczny");
    EXPECT_EQ(gradeWording(options, 6), "--------------");
    EXPECT_EQ(gradeWording(options, 10), "Nieklasyfikowany");
    EXPECT_EQ(gradeWording(options, -1), "");
    EXPECT_EQ(gradeWording(options, 11), "");
    EXPECT_EQ(gradeWording(options, 127), "");
}

TEST(GradeWording, followsAChangedWording)
{
    TOpcje options;
    options.wordings[3] = "dobry (4)";
    EXPECT_EQ(gradeWording(options, 3), "dobry (4)");
}

// ---- averages ---------------------------------------------------------------

TFra phrase(PhraseKind kind)
{
    TFra f;
    f.kind = kind;
    return f;
}

// Phrases: text, grade, grade, picture, grade.
TFrazy classPhrases()
{
    TFrazy phrases;
    for (const auto kind : {PhraseKind::Text, PhraseKind::Grade, PhraseKind::Grade,
                            PhraseKind::Picture, PhraseKind::Grade}) {
        phrases.push_back(phrase(kind));
    }
    return phrases;
}

// A pupil with the given grade index in every value (text and picture
// values too, where they must not count).
TDok pupil(std::initializer_list<int> grades)
{
    TDok d;
    for (const int g : grades) {
        TFra v;
        v.grade = static_cast<std::int8_t>(g);
        d.values.push_back(v);
    }
    return d;
}

TEST(Averages, countOnlyGradesOfGradePhrases)
{
    const TFrazy phrases = classPhrases();
    TDokumenty pupils;
    pupils.push_back(
        pupil({0, 4, 5, 0, 6}));  // grades 5 and 6; the text and picture 0s do not count
    pupils.push_back(
        pupil({4, 8, 6, 4, 10}));  // only "Zwolniony", "--------------", "Nieklasyfikowany"
    pupils.push_back(pupil({4, 0, 1, 4, 2}));  // grades 1, 2, 3

    EXPECT_EQ(pupilAverage(phrases, pupils, 0), 5.5f);
    EXPECT_EQ(pupilAverage(phrases, pupils, 1), std::nullopt);
    EXPECT_EQ(pupilAverage(phrases, pupils, 2), 2.0f);
    EXPECT_EQ(pupilAverage(phrases, pupils, 3), std::nullopt);  // no such pupil

    EXPECT_EQ(phraseAverage(phrases, pupils, 0), std::nullopt);  // a text phrase
    EXPECT_EQ(phraseAverage(phrases, pupils, 1), 3.0f);          // 5 and 1
    EXPECT_EQ(phraseAverage(phrases, pupils, 2), 4.0f);          // 6 and 2
    EXPECT_EQ(phraseAverage(phrases, pupils, 3), std::nullopt);  // a picture phrase
    EXPECT_EQ(phraseAverage(phrases, pupils, 4), 3.0f);          // only the 3
    EXPECT_EQ(phraseAverage(phrases, pupils, 5), std::nullopt);  // no such phrase
}

TEST(Averages, overallIsTheMeanOfAllGradesNotOfPupilAverages)
{
    const TFrazy phrases = classPhrases();
    TDokumenty pupils;
    pupils.push_back(pupil({0, 5, 6, 0, 6}));  // one grade 6: average 6
    pupils.push_back(pupil({0, 0, 0, 0, 0}));  // three grades 1: average 1
    // Mean of averages would be 3.5; the mean of the four grades is 9 / 4.
    EXPECT_EQ(overallAverage(phrases, pupils), 2.25f);
}

TEST(Averages, keptInSinglePrecision)
{
    const TFrazy phrases = classPhrases();
    TDokumenty pupils;
    pupils.push_back(pupil({0, 0, 0, 0, 1}));  // 1, 1, 2
    EXPECT_EQ(pupilAverage(phrases, pupils, 0), static_cast<float>(4.0 / 3.0));
}

TEST(Averages, indicesOutsideTheGradesAreNotCounted)
{
    const TFrazy phrases = classPhrases();
    TDokumenty pupils;
    pupils.push_back(pupil({0, -1, 11, 0, 127}));
    EXPECT_EQ(pupilAverage(phrases, pupils, 0), std::nullopt);
    EXPECT_EQ(overallAverage(phrases, pupils), std::nullopt);
}

TEST(Averages, emptyClassesHaveNone)
{
    EXPECT_EQ(overallAverage(TFrazy{}, TDokumenty{}), std::nullopt);
    EXPECT_EQ(overallAverage(classPhrases(), TDokumenty{}), std::nullopt);
    EXPECT_EQ(phraseAverage(classPhrases(), TDokumenty{}, 1), std::nullopt);
}

TEST(Averages, missingValuesAreSkipped)
{
    const TFrazy phrases = classPhrases();
    TDokumenty pupils;
    pupils.push_back(pupil({0, 3}));  // short of three values
    pupils.push_back(pupil({0, 1, 6, 0, 5}));
    EXPECT_EQ(pupilAverage(phrases, pupils, 0), 4.0f);
    EXPECT_EQ(phraseAverage(phrases, pupils, 4), 6.0f);
    EXPECT_EQ(overallAverage(phrases, pupils), 4.0f);  // 4, 2, 6
}

// ---- pasted grades --------------------------------------------------------------

// Windows-1250 bytes: \xB9 is "ą".
TEST(PastedGrade, readsWordingsDigitsAndRegisterWords)
{
    TOpcje own;  // a class that spells its remarks otherwise
    own.wordings[7] = "zwolniona z zaj\xEA\xE6";
    own.wordings[8] = "Nieobecna";
    own.wordings[9] = "Nieklasyfikowana";
    own.wordings[10] = "";
    const struct {
        const char* pasted;
        int standard;  // with the default wordings; -1 none
        int ownWordings;
    } cases[] = {
        {"Celuj\xB9"
         "cy",
         5, 5},
        {"bardzo DOBRY", 4, 4},
        {" 1 ", 0, 0},
        {"0", -1, -1},
        {"7", -1, -1},
        {"bdb.", 4, 4},
        {"Ndst", 0, 0},
        {"zw", 8, 7},
        {"ZW.", 8, 7},
        {"zwolniona", 7, 7},
        {"Zwolniony", 8, 7},
        {"nkl", 10, 9},
        {"nieklasyfikowany", 10, 9},
        {"Nieklasyfikowana", 9, 9},
        {"nb", 10, 8},
        {"nieobecny", 10, 8},
        {"--------------", 6, 6},
        {"", -1, 10},  // the empty wording matches the empty cell
        {"zwol", -1, -1},
        {"n b", -1, -1},
    };
    for (const auto& c : cases) {
        const auto expected = [](int index) {
            return index < 0 ? std::nullopt : std::optional<std::int8_t>(index);
        };
        EXPECT_EQ(pastedGrade(TOpcje{}, c.pasted), expected(c.standard)) << c.pasted;
        EXPECT_EQ(pastedGrade(own, c.pasted), expected(c.ownWordings)) << c.pasted;
    }
}

TEST(PastedGrade, takesOnlyTheGradeWordingsAndTheFirstOfTwoAlike)
{
    TOpcje options;
    EXPECT_EQ(pastedGrade(options, "DOPUSZCZAJ\xA5"
                                   "CY"),
              1);                      // "DOPUSZCZAJĄCY"
    options.wordings[11] = "wzorowe";  // a Ctrl+digit text is no grade
    EXPECT_EQ(pastedGrade(options, "wzorowe"), std::nullopt);
    options.wordings[2] = "Dobry";  // duplicates: the first wins
    EXPECT_EQ(pastedGrade(options, "dobry"), 2);
}

}  // namespace

}  // namespace wykazki
