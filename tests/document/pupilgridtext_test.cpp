#include "document/pupilgridtext.h"

#include <gtest/gtest.h>

namespace {

// Phrases: text, grade (page 1), picture; two pupils.
Document classOfTwo()
{
    ClassFileContents c;
    c.frazy.resize(3);
    c.frazy[0].name = "Zachowanie";
    c.frazy[1].name = "Matematyka";
    c.frazy[1].kind = PhraseKind::Grade;
    c.frazy[1].page = 1;
    c.frazy[2].name = "Godlo";
    c.frazy[2].kind = PhraseKind::Picture;
    c.dokumenty.resize(2, 3);
    c.dokumenty.value(0, 0).text = "wzorowe";
    c.dokumenty.value(0, 1).grade = 5;
    c.dokumenty.value(1, 1).grade = 11;
    c.dokumenty.value(1, 2).picture = "godlo";
    Document d;
    d.takeOver(std::move(c));
    return d;
}

}  // namespace

TEST(PupilGridText, emptyDocumentShowsDotsEverywhere)
{
    Document d;
    EXPECT_EQ(pupilGridColumns(d), 1);
    EXPECT_EQ(pupilGridRows(d), 1);
    EXPECT_EQ(pupilGridColumnHeader(d, 0).text, "........");
    EXPECT_EQ(pupilGridRowHeader(d, 0, 0).text, "........");
    EXPECT_EQ(pupilGridCell(d, 0, 0).text, "........");
    d.addPupil(0);  // pupils but no phrases
    EXPECT_EQ(pupilGridColumns(d), 2);
    EXPECT_EQ(pupilGridRows(d), 1);
    EXPECT_EQ(pupilGridCell(d, 0, 0).text, "........");
}

TEST(PupilGridText, headersAndTheChosenPage)
{
    const Document d = classOfTwo();
    EXPECT_EQ(pupilGridColumnHeader(d, 1).text, "2");
    EXPECT_EQ(pupilGridColumnHeader(d, 2).text, "\x8Crednia");
    EXPECT_EQ(pupilGridRowHeader(d, 1, 1).color, kKolorCzerwony);
    EXPECT_FALSE(pupilGridRowHeader(d, 1, 0).color);
    EXPECT_EQ(pupilGridRowHeader(d, 0, 0).color, kKolorCzerwony);
    EXPECT_EQ(pupilGridRowHeader(d, 3, 0).text, "\x8Crednia ucznia");
    EXPECT_FALSE(pupilGridRowHeader(d, 3, 0).color);
}

TEST(PupilGridText, cellsByKindWithTheirColours)
{
    const Document d = classOfTwo();
    EXPECT_EQ(pupilGridCell(d, 0, 0).text, "wzorowe");
    EXPECT_FALSE(pupilGridCell(d, 0, 0).color);
    EXPECT_EQ(pupilGridCell(d, 1, 0).color, kKolorBialy);  // empty text
    EXPECT_EQ(pupilGridCell(d, 0, 1).text, "Celuj\xB9"
                                           "cy");
    EXPECT_EQ(pupilGridCell(d, 0, 1).color, kKolorAqua);
    EXPECT_EQ(pupilGridCell(d, 1, 1).text, "");  // index 11 shows nothing
    EXPECT_EQ(pupilGridCell(d, 1, 1).color, kKolorNiebieski);
    EXPECT_EQ(pupilGridCell(d, 0, 2).color, kKolorBialy);
    EXPECT_EQ(pupilGridCell(d, 1, 2).text, "godlo");
    EXPECT_EQ(pupilGridCell(d, 1, 2).color, kKolorLime);
}

TEST(PupilGridText, averagesAreLimeWithTwoDecimalsOrDots)
{
    const Document d = classOfTwo();
    EXPECT_EQ(pupilGridCell(d, 2, 1).text, "6,00");  // phrase average
    EXPECT_EQ(pupilGridCell(d, 2, 1).color, kKolorLime);
    EXPECT_EQ(pupilGridCell(d, 2, 0).text, "........");  // a text phrase has none
    EXPECT_EQ(pupilGridCell(d, 2, 0).color, kKolorLime);
    EXPECT_EQ(pupilGridCell(d, 0, 3).text, "6,00");  // pupil average
    EXPECT_EQ(pupilGridCell(d, 1, 3).text, "........");
    EXPECT_EQ(pupilGridCell(d, 2, 3).text, "6,00");  // overall
}
