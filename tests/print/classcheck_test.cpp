// The check before paper on classes built in code: texts measured as
// printing draws them, gaps in grades, typed averages and spelling.

#include "printtestsupport.h"

#include "check/classcheck.h"
#include "print/certificatepdf.h"
#include "print/phrasefont.h"
#include "print/textoverflow.h"

#include <QFontMetrics>

#include <gtest/gtest.h>

#include <climits>

namespace wykazki {

namespace {

std::vector<FindingKind> kinds(const std::vector<Finding>& findings)
{
    std::vector<FindingKind> k;
    k.reserve(findings.size());
    for (const Finding& f : findings)
        k.push_back(f.kind);
    return k;
}

std::vector<Finding> check(const TestClass& c, std::size_t pupil, const Speller* speller = nullptr)
{
    ClassCheck classCheck(c.phrases, c.pupils, c.options, std::string(), speller);
    return classCheck.checkPupil(pupil, 0);
}

// The lines of "słowo" one under another, n of them.
std::string lines(int n)
{
    std::string text;
    for (int i = 0; i < n; ++i)
        text += i == 0 ? "wiersz" : "\nwiersz";
    return text;
}

class Overflow : public testing::TestWithParam<double> {};

// The most lines the 20 mm box holds, as printing measures them, fit; one
// more does not.
TEST_P(Overflow, oneLineTooManyIsFoundAndAFullBoxIsNot)
{
    TestClass c;
    TFra box = phraseAt(PhraseKind::Text, 20, 30.0f, 100, 20);
    box.lineSpacing = static_cast<float>(GetParam());
    const std::size_t j = c.add(box);

    const QImage surface = measuringSurface(kPdfResolution);
    const QFontMetrics metrics(fontFromPhrase(box, 1.0).font, &surface);
    const int boxPx = static_cast<int>(20 / 25.4 * kPdfResolution);
    const int pitchPx = metrics.height() + static_cast<int>(GetParam() / 25.4 * kPdfResolution);
    int fitting = 0;
    if (GetParam() == 0.0) {
        while (metrics
                   .boundingRect(QRect(0, 0, 1000, INT_MAX / 4), 0,
                                 QString::fromStdString(lines(fitting + 1)))
                   .height()
               <= boxPx)
            ++fitting;
    } else {
        while (fitting * pitchPx + metrics.height() <= boxPx)
            ++fitting;
    }
    ASSERT_GT(fitting, 1);

    c.pupils.value(0, j).text = lines(fitting);
    EXPECT_TRUE(check(c, 0).empty()) << fitting << " lines";
    c.pupils.value(0, j).text = lines(fitting + 1);
    EXPECT_EQ(kinds(check(c, 0)), std::vector{FindingKind::Overflow}) << fitting + 1 << " lines";
}

INSTANTIATE_TEST_SUITE_P(LineSpacing, Overflow, testing::Values(0.0, 1.5));

TEST(ClassCheck, aWordWiderThanItsBox)
{
    TestClass c;
    const std::size_t j = c.add(phraseAt(PhraseKind::Text, 20, 30.0f, 15, 0));
    c.pupils.value(0, j).text = cp("Konstantynopolitańczykówna");
    const std::vector<Finding> found = check(c, 0);
    ASSERT_EQ(kinds(found), std::vector{FindingKind::Overflow});
    EXPECT_TRUE(found[0].text.contains(QStringLiteral("Konstantynopolitańczykówna")));
    c.pupils.value(0, j).text = cp("Ala ma kota");
    EXPECT_TRUE(check(c, 0).empty());
}

TEST(ClassCheck, gapsAndAverages)
{
    TestClass c(5);
    const std::size_t math = c.add(phraseAt(PhraseKind::Grade, 20, 30.0f, 30, 7));
    const std::size_t remark = c.add(phraseAt(PhraseKind::Text, 20, 40.0f, 100, 20));
    TFra typedAverage = phraseAt(PhraseKind::Text, 20, 60.0f, 30, 7);
    typedAverage.name = cp("średnia ocen");
    const std::size_t average = c.add(typedAverage);
    for (std::size_t x = 0; x < 5; ++x) {
        c.pupils.value(x, math).grade = 4;  // "bardzo dobry", 5
        c.pupils.value(x, remark).text = "ok";
        c.pupils.value(x, average).text = "5,00";
    }
    c.pupils.value(1, math).grade = kNoSubjectGrade;
    c.pupils.value(2, remark).text.clear();  // 4 of 5 filled: 80 %
    c.pupils.value(3, average).text = "4.5";

    EXPECT_TRUE(check(c, 0).empty());
    const std::vector<Finding> gap = check(c, 1);
    ASSERT_EQ(kinds(gap), (std::vector{FindingKind::Groups, FindingKind::Missing}));
    EXPECT_EQ(gap[1].phrase, std::optional(math));
    EXPECT_EQ(kinds(check(c, 2)), std::vector{FindingKind::Missing});
    EXPECT_EQ(kinds(check(c, 3)), std::vector{FindingKind::AverageDiffers});
    c.pupils.value(3, average).text = "5.00";  // a decimal point is the same number
    EXPECT_TRUE(check(c, 3).empty());
    EXPECT_TRUE(stopsPrinting(FindingKind::Overflow));
    EXPECT_FALSE(stopsPrinting(FindingKind::UnknownWord));
}

TEST(ClassCheck, spelling)
{
    const std::unique_ptr<Speller> speller = Speller::openPolish();
    if (!speller)
        GTEST_SKIP() << "no Polish dictionary installed";
    TestClass c;
    TFra name = phraseAt(PhraseKind::Text, 20, 20.0f, 100, 0);
    const std::size_t named = c.add(name);
    const std::size_t remark = c.add(phraseAt(PhraseKind::Text, 20, 40.0f, 150, 0));
    c.pupils.value(0, named).text = cp("Grzegórz Brzęczyszczykiewicz");  // a name: not checked
    c.pupils.value(0, remark).text =
        cp("Zdobyła źdźbło sławy w Chrząszczyżewoszycach, bardzo pilna i sumiena.");
    const std::vector<Finding> found = check(c, 0, speller.get());
    ASSERT_EQ(kinds(found), std::vector{FindingKind::UnknownWord});
    EXPECT_EQ(found[0].phrase, std::optional(remark));
    EXPECT_TRUE(found[0].text.contains(QStringLiteral("„sumiena”"))) << found[0].text.toStdString();

    const QString text = QStringLiteral("Żółć i gęślą jaźń, a tu błąt");
    const std::vector<WordSpan> unknown = unknownWords(*speller, text);
    ASSERT_EQ(unknown.size(), 1u);
    EXPECT_EQ(text.mid(unknown[0].start, unknown[0].length), QStringLiteral("błąt"));
}

}  // namespace

}  // namespace wykazki
