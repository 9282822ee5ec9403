#include "document/pupilgridtext.h"

#include <gtest/gtest.h>

namespace wykazki {

namespace {

// Phrases: text, grade (page 1), picture; two pupils.
Document classOfTwo()
{
    ClassFileContents c;
    c.phrases.resize(3);
    c.phrases[0].name = "Zachowanie";
    c.phrases[1].name = "Matematyka";
    c.phrases[1].kind = PhraseKind::Grade;
    c.phrases[1].page = 1;
    c.phrases[2].name = "Godlo";
    c.phrases[2].kind = PhraseKind::Picture;
    c.pupils.resize(2, 3);
    c.pupils.value(0, 0).text = "wzorowe";
    c.pupils.value(0, 1).grade = 5;
    c.pupils.value(1, 1).grade = 11;
    c.pupils.value(1, 2).picture = "godlo";
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
    EXPECT_EQ(pupilGridRowHeader(d, 1, 1).color, kColorRed);
    EXPECT_FALSE(pupilGridRowHeader(d, 1, 0).color);
    EXPECT_EQ(pupilGridRowHeader(d, 0, 0).color, kColorRed);
    EXPECT_EQ(pupilGridRowHeader(d, 3, 0).text, "\x8Crednia ucznia");
    EXPECT_FALSE(pupilGridRowHeader(d, 3, 0).color);
}

TEST(PupilGridText, cellsByKindWithTheirColours)
{
    const Document d = classOfTwo();
    EXPECT_EQ(pupilGridCell(d, 0, 0).text, "wzorowe");
    EXPECT_FALSE(pupilGridCell(d, 0, 0).color);
    EXPECT_EQ(pupilGridCell(d, 1, 0).color, kColorWhite);  // empty text
    EXPECT_EQ(pupilGridCell(d, 0, 1).text, "Celuj\xB9"
                                           "cy");
    EXPECT_EQ(pupilGridCell(d, 0, 1).color, kColorAqua);
    EXPECT_EQ(pupilGridCell(d, 1, 1).text, "");  // index 11 shows nothing
    EXPECT_EQ(pupilGridCell(d, 1, 1).color, kColorBlue);
    EXPECT_EQ(pupilGridCell(d, 0, 2).color, kColorWhite);
    EXPECT_EQ(pupilGridCell(d, 1, 2).text, "godlo");
    EXPECT_EQ(pupilGridCell(d, 1, 2).color, kColorLime);
}

TEST(PupilGridText, averagesAreLimeWithTwoDecimalsOrDots)
{
    const Document d = classOfTwo();
    EXPECT_EQ(pupilGridCell(d, 2, 1).text, "6,00");  // phrase average
    EXPECT_EQ(pupilGridCell(d, 2, 1).color, kColorLime);
    EXPECT_EQ(pupilGridCell(d, 2, 0).text, "........");  // a text phrase has none
    EXPECT_EQ(pupilGridCell(d, 2, 0).color, kColorLime);
    EXPECT_EQ(pupilGridCell(d, 0, 3).text, "6,00");  // pupil average
    EXPECT_EQ(pupilGridCell(d, 1, 3).text, "........");
    EXPECT_EQ(pupilGridCell(d, 2, 3).text, "6,00");  // overall
}

}  // namespace wykazki
