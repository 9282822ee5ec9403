#include "document/cp1250.h"
#include "document/document.h"

#include <gtest/gtest.h>

namespace {

Document documentWith(std::size_t phrases, std::size_t pupils)
{
    Document d;
    for (std::size_t j = 0; j < phrases; ++j) {
        d.addPhrase(j);
        d.frazy[j].name = "f" + std::to_string(j);
    }
    for (std::size_t i = 0; i < pupils; ++i) {
        d.addPupil(i);
        for (std::size_t j = 0; j < phrases; ++j)
            d.dokumenty.value(i, j).text = std::to_string(i) + "/" + std::to_string(j);
    }
    return d;
}

void expectInvariant(const Document& d)
{
    for (const TDok& pupil : d.dokumenty)
        EXPECT_EQ(pupil.wartosci.count(), d.frazy.count());
}

}  // namespace

TEST(DocumentModel, addingAPhraseToAnEmptyDocumentGivesEveryPupilADefaultValue)
{
    Document d = documentWith(0, 3);
    d.addPhrase(0);
    expectInvariant(d);
    for (const TDok& pupil : d.dokumenty) {
        EXPECT_EQ(pupil.wartosci[0].text, "");
        EXPECT_EQ(pupil.wartosci[0].grade, 6);
        EXPECT_EQ(pupil.wartosci[0].picture, "");
    }
}

TEST(DocumentModel, phraseInsertedInTheMiddleMovesLaterValuesUp)
{
    Document d = documentWith(5, 2);
    d.addPhrase(2);
    expectInvariant(d);
    EXPECT_EQ(d.frazy[2].name, "");
    EXPECT_EQ(d.frazy[3].name, "f2");
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(d.dokumenty.value(i, 2), TFra{});
        EXPECT_EQ(d.dokumenty.value(i, 3).text, std::to_string(i) + "/2");
        EXPECT_EQ(d.dokumenty.value(i, 5).text, std::to_string(i) + "/4");
    }
}

TEST(DocumentModel, removingPhrases)
{
    Document d = documentWith(1, 2);
    d.removePhrase(1);  // beyond the end: nothing
    EXPECT_EQ(d.frazy.count(), 1u);
    d.removePhrase(0);
    expectInvariant(d);
    EXPECT_TRUE(d.dokumenty[0].wartosci.empty());
}

TEST(DocumentModel, pupils)
{
    Document d = documentWith(7, 2);
    d.dokumenty.value(0, 3).grade = 1;
    d.addPupil(1);
    ASSERT_EQ(d.dokumenty.count(), 3u);
    EXPECT_EQ(d.dokumenty[1].wartosci.count(), 7u);
    for (const TFra& v : d.dokumenty[1].wartosci)
        EXPECT_EQ(v, TFra{});
    EXPECT_FALSE(d.removePupil(3));
    EXPECT_EQ(d.dokumenty.count(), 3u);
    EXPECT_TRUE(d.removePupil(0));
    EXPECT_EQ(d.dokumenty.value(1, 0).text, "1/0");
}

TEST(DocumentModel, newDocumentKeepsOptionsFlagAndVersion)
{
    Document d = documentWith(3, 3);
    d.opcje.width = 250;
    d.opcje.left = -5;
    d.opcje.brzmienia[3] = "Dobra";
    d.ogolne.zmiany = 1;
    d.ogolne.wersja = 54;
    d.newDocument();
    EXPECT_EQ(d.frazy.count(), 0u);
    EXPECT_EQ(d.dokumenty.count(), 0u);
    EXPECT_EQ(d.opcje.width, 250);
    EXPECT_EQ(d.opcje.left, -5);
    EXPECT_EQ(d.opcje.brzmienia[3], "Dobra");
    EXPECT_EQ(d.ogolne.zmiany, 1);
    EXPECT_EQ(d.ogolne.wersja, 54);
}

TEST(DocumentModel, recordCopiesAllFieldsAndSelfAssignmentChangesNothing)
{
    TFra a;
    a.name = "n";
    a.picture = "p";
    a.lineSpacing = 1.5f;
    a.page = 3;
    TFra b(a);
    EXPECT_EQ(a, b);
    TFra& alias = b;
    b = alias;
    EXPECT_EQ(a, b);
}

TEST(DocumentModel, takeOverClearsTheModifiedFlagAndSetsTheVersion)
{
    Document d = documentWith(2, 2);
    d.ogolne.setModified();
    ClassFileContents c;
    c.version = 54;
    c.frazy.resize(4);
    d.takeOver(std::move(c));
    EXPECT_FALSE(d.ogolne.modified());
    EXPECT_EQ(d.ogolne.wersja, 54);
    EXPECT_EQ(d.frazy.count(), 4u);
    EXPECT_EQ(d.dokumenty.count(), 0u);
}

TEST(Cp1250Codec, everyByteSurvivesARoundTrip)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const auto back = cp1250::fromUtf8(cp1250::toUtf8(all));
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, all);
    EXPECT_EQ(cp1250::toUnicode(0x81), U'\u0081');
    EXPECT_EQ(cp1250::toUnicode(0x98), U'\u0098');
}

TEST(Cp1250Codec, polishLetters)
{
    const std::string utf8 = "Zażółć gęślą jaźń ŻÓŁĆ ĘŚĄŹŃ";
    const auto bytes = cp1250::fromUtf8(utf8);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(bytes->size(), 28u);
    EXPECT_EQ(static_cast<unsigned char>((*bytes)[2]), 0xBF);  // ż
    EXPECT_EQ(static_cast<unsigned char>((*bytes)[4]), 0xB3);  // ł
    EXPECT_EQ(cp1250::toUtf8(*bytes), utf8);
    EXPECT_EQ(cp1250::fromUnicode(U'€'), 0x80);
}

TEST(Cp1250Codec, refusesWhatItCannotHold)
{
    std::size_t at = 99;
    EXPECT_FALSE(cp1250::fromUtf8("ab日本", &at));
    EXPECT_EQ(at, 2u);
    EXPECT_FALSE(cp1250::fromUtf8("a\xC5", &at));      // cut sequence
    EXPECT_FALSE(cp1250::fromUtf8("\x80", &at));       // stray continuation byte
    EXPECT_FALSE(cp1250::fromUtf8("\xF0\x9F\x98\x80"));  // emoji
    EXPECT_FALSE(cp1250::fromUnicode(U'ß' + 1));
}
