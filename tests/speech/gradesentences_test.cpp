// The sentences a teacher hears when checking a pupil against the paper
// register, over a class with a name, grade phrases of every sort, a
// picture and the computed average.

#include "speech/gradesentences.h"

#include "document/classfile.h"
#include "document/cp1250.h"
#include "document/grades.h"

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

namespace wykazki {

namespace {

std::string cp(const char* utf8)
{
    auto bytes = cp1250::fromUtf8(utf8);
    if (!bytes)
        throw std::invalid_argument("not Windows-1250 text");
    return *bytes;
}

enum Phrase { kName, kMaths, kPhysics, kReligion, kEmblem, kNameless, kAverage, kRemarks, kCount };

TFra phrase(const char* name, PhraseKind kind, const char* text = "")
{
    TFra f;
    f.name = cp(name);
    f.kind = kind;
    f.text = cp(text);
    return f;
}

struct Pupil {
    const char* name;
    std::int8_t maths, physics, religion, nameless;
};

// Religion is optional: its dashes are the register's own. Physics and the
// nameless phrase have grades elsewhere, so their dashes are missing grades.
Document sampleClass()
{
    ClassFileContents c;
    c.phrases.push_back(phrase("Imię i nazwisko", PhraseKind::Text));
    c.phrases.push_back(phrase("Matematyka", PhraseKind::Grade));
    c.phrases.push_back(phrase("Fizyka", PhraseKind::Grade));
    c.phrases.push_back(phrase("Religia", PhraseKind::Grade));
    c.phrases.push_back(phrase("Godło", PhraseKind::Picture));
    c.phrases.push_back(phrase(" \t", PhraseKind::Grade));
    c.phrases.push_back(phrase("Średnia", PhraseKind::Text, " =ŚREDNIA "));
    c.phrases.push_back(phrase("Uwagi", PhraseKind::Text));
    const Pupil pupils[] = {
        {"Anna Kowalska", 4, 5, kNoSubjectGrade, 3},
        {"  Jan\r\nNowak\u0081", 0, kNoSubjectGrade, 3, 7},
        {" ", 2, 42, kNoSubjectGrade, kNoSubjectGrade},
        {"Zofia Wiśniewska", kNoSubjectGrade, kNoSubjectGrade, kNoSubjectGrade, kNoSubjectGrade},
    };
    std::size_t i = 0;
    for (const Pupil& p : pupils) {
        c.pupils.insert(i, kCount);
        TFrazy& values = c.pupils[i].values;
        values[kName].text = cp(p.name);
        values[kMaths].grade = p.maths;
        values[kPhysics].grade = p.physics;
        values[kReligion].grade = p.religion;
        values[kNameless].grade = p.nameless;
        values[kEmblem].picture = "godlo";
        values[kRemarks].text = "uwaga";
        ++i;
    }
    Document doc;
    doc.takeOver(std::move(c));
    return doc;
}

struct Row {
    const char* what;
    std::size_t pupil;
    std::vector<const char*> sentences;
};

class GradeSentences : public ::testing::TestWithParam<Row> {};

TEST_P(GradeSentences, readsTheRegisterLineByLine)
{
    const Document doc = sampleClass();
    QStringList expected;
    for (const char* sentence : GetParam().sentences)
        expected << QString::fromUtf8(sentence);
    EXPECT_EQ(gradeSentences(doc, GetParam().pupil), expected);
}

INSTANTIATE_TEST_SUITE_P(
    SampleClass, GradeSentences,
    ::testing::Values(Row{"every grade, an optional subject left out",
                          0,
                          {"Anna Kowalska", "Matematyka: Bardzo dobry", "Fizyka: Celujący",
                           "Przedmiot bez nazwy: Dobry", "Średnia: 5,00"}},
                      Row{"a missing grade, a remark, a name over two lines",
                          1,
                          {"Jan Nowak", "Matematyka: Niedostateczny", "Fizyka: brak oceny",
                           "Religia: Dobry", "Przedmiot bez nazwy: Zwolniona", "Średnia: 2,50"}},
                      Row{"a blank name, a damaged index",
                          2,
                          {"Uczeń 3", "Matematyka: Dostateczny", "Fizyka: brak oceny",
                           "Przedmiot bez nazwy: brak oceny", "Średnia: 3,00"}},
                      Row{"no counted grade: no average",
                          3,
                          {"Zofia Wiśniewska", "Matematyka: brak oceny", "Fizyka: brak oceny",
                           "Przedmiot bez nazwy: brak oceny"}},
                      Row{"the pupil after the last", 4, {}},
                      Row{"far out of range", std::numeric_limits<std::size_t>::max(), {}}),
    [](const ::testing::TestParamInfo<Row>& row) { return "pupil" + std::to_string(row.index); });

// Without a plain text phrase there is no name to say (the behaviour
// phrase is none), without the tag no average; the wordings are the
// class's own, and a remark wording the teacher emptied is no grade.
TEST(GradeSentencesPlainClass, numbersThePupilAndSaysTheClassWordings)
{
    ClassFileContents c;
    c.phrases.push_back(phrase("Zachowanie", PhraseKind::Text, "=zachowanie"));
    c.phrases.push_back(phrase("Plastyka", PhraseKind::Grade));
    c.phrases.push_back(phrase("Muzyka", PhraseKind::Grade));
    c.options.wordings[3] = cp("db");
    c.options.wordings[8] = "";
    for (std::size_t i = 0; i < 2; ++i)
        c.pupils.insert(i, c.phrases.count());
    c.pupils[1].values[0].text = cp("wzorowe");
    c.pupils[1].values[1].grade = 3;
    c.pupils[1].values[2].grade = 8;
    Document doc;
    doc.takeOver(std::move(c));

    EXPECT_EQ(gradeSentences(doc, 0),
              (QStringList{QStringLiteral("Uczeń 1"), QStringLiteral("Plastyka: brak oceny"),
                           QStringLiteral("Muzyka: brak oceny")}));
    EXPECT_EQ(gradeSentences(doc, 1),
              (QStringList{QStringLiteral("Uczeń 2"), QStringLiteral("Plastyka: db"),
                           QStringLiteral("Muzyka: brak oceny")}));
}

// F7 on the sample class's first pupil: the name, then every grade phrase
// with its wording, in the order of the card.
TEST(GradeSentencesSample, theFirstPupilOfTheSample)
{
    Document sample;
    sample.takeOver(readClassFileAt(WYKAZKI_BIN_DIR "/Przyklad.wkz"));
    const char* const expected[] = {
        "Zofia Adamczyk",
        "język polski: Dostateczny",
        "język angielski: Dopuszczający",
        "język niemiecki: Dobry",
        "muzyka: Dostateczny",
        "plastyka: Dobry",
        "historia: Dostateczny",
        "geografia: Dostateczny",
        "biologia: Dostateczny",
        "chemia: Dopuszczający",
        "fizyka: Dopuszczający",
        "matematyka: Dostateczny",
        "informatyka: Dobry",
        "wychowanie fizyczne: Dostateczny",
        "religia: Dostateczny",
    };
    QStringList sentences;
    for (const char* sentence : expected)
        sentences << QString::fromUtf8(sentence);
    EXPECT_EQ(gradeSentences(sample, 0), sentences);
}

}  // namespace

}  // namespace wykazki
