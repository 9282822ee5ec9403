// The preview's client size and scale for sheets that fit the screen and
// sheets that do not. Expected pixels are worked out by hand: at 96 dpi a
// millimetre is 3.7795... pixels, truncated.

#include "windows/previewgeometry.h"

#include <gtest/gtest.h>

namespace wykazki {

namespace {

TEST(PreviewGeometry, sheetThatFits_isFullSizeAtScaleExactlyOne)
{
    // 100 mm → 377 px, well inside 1280 × 1024.
    const PreviewGeometry g = previewGeometry(100, 100, 96, QSize(1280, 1024));
    EXPECT_EQ(g.clientSize, QSize(377, 377));
    EXPECT_EQ(g.scale, 1.0);  // exactly, not nearly
}

TEST(PreviewGeometry, tallerThanScreen_shrinksToScreenHeightLess50KeepingProportions)
{
    // A4 at 96 dpi is 793 × 1122; the screen leaves 974 pixels of height.
    const PreviewGeometry g = previewGeometry(210, 297, 96, QSize(1280, 1024));
    EXPECT_EQ(g.clientSize.height(), 974);
    EXPECT_EQ(g.clientSize.width(), 688);  // truncate(793 / 1122 × 974) = truncate(688.39)
    EXPECT_DOUBLE_EQ(g.scale, 974.0 / 1122.0);
}

TEST(PreviewGeometry, heightExactlyAtTheLimit_isNotShrunk)
{
    // 1122 = 1172 − 50: the height is not above the limit.
    const PreviewGeometry g = previewGeometry(210, 297, 96, QSize(1280, 1172));
    EXPECT_EQ(g.clientSize, QSize(793, 1122));
    EXPECT_EQ(g.scale, 1.0);
    // One pixel less of screen and it shrinks by one pixel.
    EXPECT_EQ(previewGeometry(210, 297, 96, QSize(1280, 1171)).clientSize.height(), 1121);
}

TEST(PreviewGeometry, widerThanScreen_narrowsToScreenWidthLess50)
{
    // 500 × 100 mm is 1889 × 377; narrowed to 1230 the height becomes
    // truncate(1230 × 377 / 1889) = truncate(245.48).
    const PreviewGeometry g = previewGeometry(500, 100, 96, QSize(1280, 1024));
    EXPECT_EQ(g.clientSize, QSize(1230, 245));
    EXPECT_DOUBLE_EQ(g.scale, 245.0 / 377.0);
}

TEST(PreviewGeometry, tooWideAndStillTooTall_bothLimitsApplyInTurn)
{
    // 500 × 500 mm is 1889 × 1889; on 800 × 600 first 750 × 750, then the
    // height limit 550 brings the width down with it.
    const PreviewGeometry g = previewGeometry(500, 500, 96, QSize(800, 600));
    EXPECT_EQ(g.clientSize, QSize(550, 550));
    EXPECT_DOUBLE_EQ(g.scale, 550.0 / 1889.0);
}

TEST(PreviewGeometry, usesTheSurfaceResolution)
{
    // At 254 dpi a millimetre is exactly 10 pixels.
    const PreviewGeometry g = previewGeometry(210, 297, 254, QSize(4000, 4000));
    EXPECT_EQ(g.clientSize, QSize(2100, 2970));
    EXPECT_EQ(g.scale, 1.0);
}

TEST(PreviewGeometry, degenerateInput_neverGivesAnEmptyWindowOrDividesByZero)
{
    const PreviewGeometry zeroSheet = previewGeometry(0, 0, 96, QSize(1280, 1024));
    EXPECT_EQ(zeroSheet.clientSize, QSize(1, 1));
    EXPECT_EQ(zeroSheet.scale, 1.0);

    const PreviewGeometry tinyScreen = previewGeometry(210, 297, 96, QSize(40, 40));
    EXPECT_GE(tinyScreen.clientSize.width(), 1);
    EXPECT_GE(tinyScreen.clientSize.height(), 1);
}

}  // namespace

}  // namespace wykazki
