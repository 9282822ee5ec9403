#include "document/cp1250.h"
#include "document/document.h"

#include <gtest/gtest.h>

#include <functional>

namespace wykazki {

namespace {

Document documentWith(std::size_t phrases, std::size_t pupils)
{
    ClassFileContents c;
    for (std::size_t j = 0; j < phrases; ++j) {
        c.phrases.insert(j);
        c.phrases[j].name = "f" + std::to_string(j);
    }
    for (std::size_t i = 0; i < pupils; ++i) {
        c.pupils.insert(i, phrases);
        for (std::size_t j = 0; j < phrases; ++j)
            c.pupils.value(i, j).text = std::to_string(i) + "/" + std::to_string(j);
    }
    Document d;
    d.takeOver(std::move(c));
    return d;
}

void expectInvariant(const Document& d)
{
    for (const TDok& pupil : d.pupils())
        EXPECT_EQ(pupil.values.count(), d.phrases().count());
}

}  // namespace

TEST(DocumentModel, addingAPhraseToAnEmptyDocumentGivesEveryPupilADefaultValue)
{
    Document d = documentWith(0, 3);
    d.addPhrase(0);
    expectInvariant(d);
    for (const TDok& pupil : d.pupils()) {
        EXPECT_EQ(pupil.values[0].text, "");
        EXPECT_EQ(pupil.values[0].grade, 6);
        EXPECT_EQ(pupil.values[0].picture, "");
    }
}

TEST(DocumentModel, phraseInsertedInTheMiddleMovesLaterValuesUp)
{
    Document d = documentWith(5, 2);
    d.addPhrase(2);
    expectInvariant(d);
    EXPECT_EQ(d.phrases()[2].name, "");
    EXPECT_EQ(d.phrases()[3].name, "f2");
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(d.value(i, 2), TFra{});
        EXPECT_EQ(d.value(i, 3).text, std::to_string(i) + "/2");
        EXPECT_EQ(d.value(i, 5).text, std::to_string(i) + "/4");
    }
}

TEST(DocumentModel, removingPhrases)
{
    Document d = documentWith(1, 2);
    EXPECT_FALSE(d.removePhrase(1));  // beyond the end: nothing
    EXPECT_EQ(d.phrases().count(), 1u);
    EXPECT_TRUE(d.removePhrase(0));
    expectInvariant(d);
    EXPECT_TRUE(d.pupils()[0].values.empty());
}

TEST(DocumentModel, pupils)
{
    Document d = documentWith(7, 2);
    d.setCells({{0, 3, ValueField::Grade, std::int8_t{1}}});
    d.addPupil(1);
    ASSERT_EQ(d.pupils().count(), 3u);
    EXPECT_EQ(d.pupils()[1].values.count(), 7u);
    for (const TFra& v : d.pupils()[1].values)
        EXPECT_EQ(v, TFra{});
    EXPECT_FALSE(d.removePupil(3));
    EXPECT_EQ(d.pupils().count(), 3u);
    EXPECT_TRUE(d.removePupil(0));
    EXPECT_EQ(d.value(1, 0).text, "1/0");
}

TEST(DocumentModel, newDocumentKeepsOptionsFlagAndVersion)
{
    ClassFileContents c = documentWith(3, 3).contents();
    c.options.width = 250;
    c.options.left = -5;
    c.options.wordings[3] = "Dobra";
    c.version = 54;
    Document d;
    d.takeOver(std::move(c));
    d.newDocument();
    EXPECT_EQ(d.phrases().count(), 0u);
    EXPECT_EQ(d.pupils().count(), 0u);
    EXPECT_EQ(d.options().width, 250);
    EXPECT_EQ(d.options().left, -5);
    EXPECT_EQ(d.options().wordings[3], "Dobra");
    EXPECT_EQ(d.general().wersja, 54);
}

// Every change hands back what puts the document back exactly: the whole
// contents compare equal after the change is reverted.
TEST(DocumentModel, everyChangeRevertsExactly)
{
    const Document original = [] {
        Document d = documentWith(4, 3);
        ClassFileContents c = d.contents();
        c.phrases[1].kind = PhraseKind::Grade;
        c.phrases[3].kind = PhraseKind::Picture;
        c.pupils.value(2, 1).grade = 3;
        c.pupils.value(1, 3).picture = "godlo";
        d.takeOver(std::move(c));
        return d;
    }();
    const struct {
        const char* name;
        std::function<void(Document&)> changeAndRevert;
    } cases[] = {
        {"fill grades",
         [](Document& d) {
             const CellBlock all{0, 0, 9, 9};  // beyond the data too
             const ReplacedValues old = d.fillBlock(all, PhraseKind::Grade, std::int8_t{5});
             EXPECT_EQ(old.count(), 3u);
             EXPECT_EQ(d.value(2, 1).grade, 5);
             EXPECT_EQ(d.value(2, 0).text, "2/0") << "other kinds stay";
             d.restoreBlock(all, PhraseKind::Grade, old);
         }},
        {"fill texts",
         [](Document& d) {
             const CellBlock block{1, 0, 2, 2};
             const ReplacedValues old = d.fillBlock(block, PhraseKind::Text, std::string("x"));
             EXPECT_EQ(old.count(), 4u);
             EXPECT_EQ(d.value(1, 2).text, "x");
             EXPECT_EQ(d.value(0, 2).text, "0/2") << "outside the block";
             d.restoreBlock(block, PhraseKind::Text, old);
         }},
        {"set cells, one twice",
         [](Document& d) {
             auto undo = d.setCells({{0, 0, ValueField::Text, std::string("a")},
                                     {0, 0, ValueField::Text, std::string("b")},
                                     {1, 3, ValueField::Picture, std::string("")},
                                     {7, 0, ValueField::Text, std::string("nobody")}});
             EXPECT_EQ(undo.size(), 3u) << "a cell beyond the data is skipped";
             EXPECT_EQ(d.value(0, 0).text, "b");
             d.setCells(std::move(undo));
         }},
        {"remove phrase",
         [](Document& d) {
             auto column = d.removePhrase(1);
             ASSERT_TRUE(column);
             d.insertPhrase(1, std::move(*column));
         }},
        {"remove pupil",
         [](Document& d) {
             auto pupil = d.removePupil(2);
             ASSERT_TRUE(pupil);
             d.insertPupil(2, std::move(*pupil));
         }},
        {"edit phrase",
         [](Document& d) {
             TFra changed = d.phrases()[0];
             changed.x0 = 120;
             auto old = d.setPhrase(0, changed);
             ASSERT_TRUE(old);
             d.setPhrase(0, *old);
         }},
        {"options",
         [](Document& d) {
             TOpcje options = d.options();
             options.wordings[11] = "promowany";
             d.setOptions(d.setOptions(options));
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Document d = original;
        c.changeAndRevert(d);
        expectInvariant(d);
        EXPECT_EQ(d.contents(), original.contents());
    }
}

TEST(DocumentModel, insertedColumnsAndPupilsAreFittedToTheOtherList)
{
    Document d = documentWith(2, 2);
    d.insertPupil(0, TDok{});                                       // no values: padded
    d.insertPhrase(9, PhraseColumn{TFra{}, std::vector<TFra>(7)});  // too many: cut
    expectInvariant(d);
    EXPECT_EQ(d.pupils().count(), 3u);
    EXPECT_EQ(d.phrases().count(), 3u);
}

TEST(DocumentModel, replacedValuesOfABlockOfOneGradeTakeAFewBytes)
{
    ReplacedValues old;
    for (int i = 0; i < 100000; ++i)
        old.append(std::int8_t{6});
    EXPECT_EQ(old.count(), 100000u);
    EXPECT_LT(old.bytes(), 64u);
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

TEST(DocumentModel, takeOverSetsTheVersion)
{
    Document d = documentWith(2, 2);
    ClassFileContents c;
    c.version = 54;
    c.phrases.resize(4);
    d.takeOver(std::move(c));
    EXPECT_EQ(d.general().wersja, 54);
    EXPECT_EQ(d.phrases().count(), 4u);
    EXPECT_EQ(d.pupils().count(), 0u);
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
    EXPECT_FALSE(cp1250::fromUtf8("a\xC5", &at));        // cut sequence
    EXPECT_FALSE(cp1250::fromUtf8("\x80", &at));         // stray continuation byte
    EXPECT_FALSE(cp1250::fromUtf8("\xF0\x9F\x98\x80"));  // emoji
    EXPECT_FALSE(cp1250::fromUnicode(U'ß' + 1));
}

TEST(DocumentModel, copiedRecordListsAreIndependentAndCompareByContent)
{
    TFrazy list;
    list.resize(3);
    list[1].name = "b";
    TFrazy copy = list;
    EXPECT_EQ(copy, list);
    copy[1].name = "c";
    EXPECT_EQ(list[1].name, "b");
    EXPECT_NE(copy, list);
    copy = list;
    copy.insert(0);
    EXPECT_EQ(copy[2].name, "b");
    EXPECT_EQ(std::distance(copy.begin(), copy.end()), 4);
}

}  // namespace wykazki
