// The preview's millimetre grid and the phrase font helpers.

#include "print/millimetregrid.h"
#include "print/phrasefont.h"
#include "printtestsupport.h"

#include "document/tfra.h"
#include "qtbridge/colorref.h"
#include "qtbridge/cp1250text.h"

#include <QPainter>

#include <cmath>

#include <gtest/gtest.h>

namespace wykazki {

namespace {

const QRgb kGrey = qRgb(128, 128, 128);
const QRgb kLightGrey = qRgb(192, 192, 192);
const QRgb kWhite = qRgb(255, 255, 255);

QImage grid(int widthPx, int heightPx, double scale, int dpi = kTestDpi)
{
    QImage image = whiteSurface(1100, 700, dpi);
    QPainter painter(&image);
    drawMillimetreGrid(painter, widthPx, heightPx, scale);
    return image;
}

TEST(MillimetreGrid, lineEvery10mmDarkerEvery50mm)
{
    const QImage image = grid(1000, 600, 1.0);
    EXPECT_EQ(image.pixel(100, 5), kLightGrey);  // x = 10 mm
    EXPECT_EQ(image.pixel(500, 5), kGrey);       // x = 50 mm
    EXPECT_EQ(image.pixel(101, 5), kWhite);
    EXPECT_EQ(image.pixel(0, 5), kWhite);          // nothing at 0 mm
    EXPECT_EQ(image.pixel(5, 300), kLightGrey);    // y = 30 mm
    EXPECT_EQ(image.pixel(5, 500), kGrey);         // y = 50 mm
    EXPECT_EQ(image.pixel(100, 599), kLightGrey);  // down to the given height...
    EXPECT_EQ(image.pixel(100, 600), kWhite);      // ...and no further
    EXPECT_EQ(image.pixel(1000, 5), kWhite);       // a line at the width is not drawn
    EXPECT_EQ(image.pixel(1005, 300), kWhite);
}

TEST(MillimetreGrid, positionsAreTruncatedAfterScaling)
{
    // 96 dpi: 10 mm = 37 px, 20 mm = 75 px; at scale 0.5: 18 and 37.
    const QImage image = grid(400, 300, 0.5, 96);
    EXPECT_EQ(image.pixel(18, 5), kLightGrey);
    EXPECT_EQ(image.pixel(37, 5), kLightGrey);
    EXPECT_EQ(image.pixel(19, 5), kWhite);
    EXPECT_EQ(image.pixel(5, 18), kLightGrey);
}

TEST(MillimetreGrid, nothingForASizeBelowOne)
{
    const QImage image = grid(0, 600, 1.0);
    EXPECT_TRUE(inkBounds(image).isNull());
    EXPECT_TRUE(inkBounds(grid(500, 0, 1.0)).isNull());
}

TEST(PhraseFont, setsEveryFieldAndCutsLongNames)
{
    PhraseFont f;
    setFontFromPhrase(f, std::string(40, 'A'), 12, 0x00112233, true, false, true, false);
    EXPECT_EQ(f.font.family(), QString(31, u'A'));
    EXPECT_EQ(f.font.pointSize(), 12);
    EXPECT_EQ(f.color, QColor(0x33, 0x22, 0x11));
    EXPECT_TRUE(f.font.bold());
    EXPECT_FALSE(f.font.italic());
    EXPECT_TRUE(f.font.underline());
    EXPECT_FALSE(f.font.strikeOut());

    setFontFromPhrase(f, "Arial", 0, 0, false, true, false, true);
    EXPECT_EQ(f.font.pointSize(), 1);
    EXPECT_TRUE(f.font.italic());
    EXPECT_TRUE(f.font.strikeOut());
}

// The phrase fields a font and colour stand for: name, size, colour and
// the four flags; nothing else changes.
void readFontIntoPhrase(const QFont& font, const QColor& color, TFra& phrase)
{
    phrase.fontName = cp1250FromQString(font.family(), Unmappable::Question);
    phrase.fontSize =
        font.pointSize() > 0 ? font.pointSize() : static_cast<int>(std::lround(font.pointSizeF()));
    phrase.fontColor = fromQColor(color);
    phrase.bold = font.bold() ? 1 : 0;
    phrase.italic = font.italic() ? 1 : 0;
    phrase.underline = font.underline() ? 1 : 0;
    phrase.strikeout = font.strikeOut() ? 1 : 0;
}

TEST(PhraseFont, readingBackGivesThePhrasesFields)
{
    TFra original;
    original.fontName = cp("Times New Roman");
    original.fontSize = 13;
    original.fontColor = 0x00C08040;
    original.italic = 1;
    original.strikeout = 1;
    const PhraseFont f = fontFromPhrase(original);

    TFra read;
    read.bold = 1;  // cleared by the reading
    readFontIntoPhrase(f.font, f.color, read);
    EXPECT_EQ(read.fontName, original.fontName);
    EXPECT_EQ(read.fontSize, 13);
    EXPECT_EQ(read.fontColor, 0x00C08040u);
    EXPECT_EQ(read.bold, 0);
    EXPECT_EQ(read.italic, 1);
    EXPECT_EQ(read.underline, 0);
    EXPECT_EQ(read.strikeout, 1);
}

}  // namespace

}  // namespace wykazki
