#include "document/classfile.h"
#include "document/computedvalues.h"
#include "document/cp1250.h"
#include "document/tdokumenty.h"
#include "document/tfrazy.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace wykazki {

namespace {

std::string cp(const char* utf8)
{
    return cp1250::fromUtf8(utf8).value();
}

TFra phrase(PhraseKind kind, const char* name, const char* tag = "")
{
    TFra f;
    f.kind = kind;
    f.name = cp(name);
    f.text = cp(tag);
    return f;
}

// A class of grade phrases and one behaviour phrase; each pupil's grades
// are given as indexes (0..5 the grades 1..6, 6 none).
struct GradedClass {
    TFrazy phrases;
    TDokumenty pupils;

    GradedClass(std::size_t gradePhrases, std::vector<std::vector<int>> grades,
                std::vector<const char*> behaviour = {})
    {
        for (std::size_t j = 0; j < gradePhrases; ++j)
            phrases.push_back(phrase(PhraseKind::Grade, "przedmiot"));
        phrases.push_back(phrase(PhraseKind::Text, "zachowanie"));
        for (std::size_t x = 0; x < grades.size(); ++x) {
            pupils.insert(x, phrases.count());
            for (std::size_t j = 0; j < grades[x].size(); ++j)
                pupils.value(x, j).grade = static_cast<std::int8_t>(grades[x][j]);
            if (x < behaviour.size())
                pupils.value(x, gradePhrases).text = cp(behaviour[x]);
        }
    }
};

struct RoleCase {
    PhraseKind kind;
    const char* tag;
    PhraseRole role;
};

class TaggedRole : public testing::TestWithParam<RoleCase> {};

TEST_P(TaggedRole, isReadFromTheDefinitionsText)
{
    const RoleCase& c = GetParam();
    EXPECT_EQ(taggedRole(phrase(c.kind, "x", c.tag)), c.role) << c.tag;
}

INSTANTIATE_TEST_SUITE_P(
    Tags, TaggedRole,
    testing::Values(RoleCase{PhraseKind::Text, "=średnia", PhraseRole::Average},
                    RoleCase{PhraseKind::Text, " =ŚREDNIA\t", PhraseRole::Average},
                    RoleCase{PhraseKind::Text, "=zachowanie", PhraseRole::Behaviour},
                    RoleCase{PhraseKind::Text, "", PhraseRole::Plain},
                    RoleCase{PhraseKind::Text, "=średnia ocen", PhraseRole::Plain},
                    RoleCase{PhraseKind::Text, "średnia", PhraseRole::Plain},
                    RoleCase{PhraseKind::Grade, "=średnia", PhraseRole::Plain},
                    RoleCase{PhraseKind::Picture, "=zachowanie", PhraseRole::Plain}));

TEST(ComputedValues, tagsSurviveTheClassFile)
{
    ClassFileContents c;
    c.version = 56;
    c.phrases.push_back(phrase(PhraseKind::Text, "imię i nazwisko"));
    c.phrases.push_back(phrase(PhraseKind::Text, "średnia ocen", "=średnia"));
    c.phrases.push_back(phrase(PhraseKind::Text, "ocena z zachowania", "=zachowanie"));
    const auto path = std::filesystem::temp_directory_path() / "computedvalues_tags.wkz";
    saveClassFileAt(path, c);
    const ClassFileContents read = readClassFileAt(path);
    std::filesystem::remove(path);
    EXPECT_EQ(taggedRole(read.phrases[1]), PhraseRole::Average);
    EXPECT_EQ(behaviourPhrase(read.phrases), std::optional<std::size_t>(2));
    EXPECT_EQ(namePhrase(read.phrases), std::optional<std::size_t>(0));
}

TEST(ComputedValues, behaviourPhraseByTagBeforeName)
{
    TFrazy phrases;
    phrases.push_back(phrase(PhraseKind::Grade, "zachowanie"));  // not a text
    phrases.push_back(phrase(PhraseKind::Text, "  Zachowanie "));
    EXPECT_EQ(behaviourPhrase(phrases), std::optional<std::size_t>(1));
    phrases.push_back(phrase(PhraseKind::Text, "ocena", "=zachowanie"));
    EXPECT_EQ(behaviourPhrase(phrases), std::optional<std::size_t>(2));
}

TEST(ComputedValues, averagePrintedPerPupil)
{
    GradedClass c(3, {{5, 5, 3}, {}, {0, 1, 2}});
    c.phrases.push_back(phrase(PhraseKind::Text, "średnia", "=średnia"));
    for (std::size_t x = 0; x < c.pupils.count(); ++x) {
        c.pupils[x].values.push_back(TFra{});
        c.pupils.value(x, 4).text = "9,99";  // the pupil's own text is not printed
    }
    EXPECT_EQ(printedText(c.phrases, c.pupils, 0, 4), "5,33");
    EXPECT_EQ(printedText(c.phrases, c.pupils, 1, 4), "") << "no counted grade";
    EXPECT_EQ(printedText(c.phrases, c.pupils, 2, 4), "2,00");
    EXPECT_EQ(printedText(c.phrases, c.pupils, 0, 3), "") << "a plain phrase prints its text";
}

struct DistinctionCase {
    std::vector<int> grades;
    const char* behaviour;
    bool distinction;
};

class Distinction : public testing::TestWithParam<DistinctionCase> {};

TEST_P(Distinction, needsTheAverageAndTheBehaviour)
{
    const DistinctionCase& c = GetParam();
    const GradedClass k(c.grades.size(), {c.grades}, {c.behaviour});
    EXPECT_EQ(pupilGroups(k.phrases, k.pupils, 0).distinction, c.distinction)
        << c.behaviour << ", " << c.grades.size() << " grades";
}

// 4,75 = 5, 5, 5, 4 (indexes 4, 4, 4, 3); 90 / 19 = 4,7368… prints 4,74.
const std::vector<int> k475 = {4, 4, 4, 3};
const std::vector<int> k474 = {4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 3, 3, 3, 3, 3};

INSTANTIATE_TEST_SUITE_P(Rule, Distinction,
                         testing::Values(DistinctionCase{k475, "wzorowe", true},
                                         DistinctionCase{k475, "bardzo dobre", true},
                                         DistinctionCase{k475, " Bardzo Dobre ", true},
                                         DistinctionCase{k474, "wzorowe", false},
                                         DistinctionCase{k475, "dobre", false},
                                         DistinctionCase{k475, "poprawne", false},
                                         DistinctionCase{k475, "nieodpowiednie", false},
                                         DistinctionCase{k475, "naganne", false},
                                         DistinctionCase{k475, "", false},
                                         DistinctionCase{{6, 6}, "wzorowe", false}));

TEST(ComputedValues, promotionAndCompleteness)
{
    // Phrase 0 is graded in the class; phrase 1 nowhere; pupil 1 failed.
    GradedClass c(2, {{4, 6}, {0, 6}, {6, 6}});
    EXPECT_EQ(pupilGroups(c.phrases, c.pupils, 0), PupilGroups{});
    EXPECT_TRUE(pupilGroups(c.phrases, c.pupils, 1).notPromoted);
    EXPECT_FALSE(pupilGroups(c.phrases, c.pupils, 1).incomplete);
    EXPECT_TRUE(pupilGroups(c.phrases, c.pupils, 2).incomplete);

    // Religion and ethics may be left without a grade.
    c.phrases[0].name = cp("Religia / etyka");
    EXPECT_FALSE(pupilGroups(c.phrases, c.pupils, 2).incomplete);
    EXPECT_EQ(gradesExpected(c.phrases, c.pupils), (std::vector<bool>{false, false, false}));
}

}  // namespace

}  // namespace wykazki
