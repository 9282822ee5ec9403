// The toolbar glyphs are drawn at the size a button asks for: every name a
// button uses has a drawing, sharp at the screen's scale, greyed when off.

#include "windows/glyphs.h"

#include <QImage>
#include <QPixmap>
#include <gtest/gtest.h>

namespace wykazki {

namespace {

int paintedPixels(const QImage& image)
{
    int painted = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            painted += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
    return painted;
}

class Glyph : public ::testing::TestWithParam<const char*> {};

TEST_P(Glyph, isDrawnAtEverySizeAndGreyedWhenOff)
{
    const QIcon icon = glyph(GetParam());
    ASSERT_FALSE(icon.isNull());
    const QImage normal = icon.pixmap(QSize(32, 32)).toImage();
    ASSERT_EQ(normal.size(), QSize(32, 32));
    // A drawing, not a blank square nor a filled one.
    const int painted = paintedPixels(normal);
    EXPECT_GT(painted, 32 * 32 / 10);
    EXPECT_LT(painted, 32 * 32);

    // At one and a half times the size the drawing scales with it.
    const QImage large = icon.pixmap(QSize(48, 48)).toImage();
    ASSERT_EQ(large.size(), QSize(48, 48));
    EXPECT_NEAR(paintedPixels(large), painted * 2.25, painted * 0.25);

    const QImage disabled = icon.pixmap(QSize(32, 32), QIcon::Disabled).toImage();
    EXPECT_NE(disabled.convertToFormat(QImage::Format_ARGB32),
              normal.convertToFormat(QImage::Format_ARGB32));
}

INSTANTIATE_TEST_SUITE_P(Toolbar, Glyph,
                         ::testing::Values("ZAPISZ", "EDYTUJ", "DODAJ", "SKASUJ", "DRUKUJ", "OPCJE",
                                           "PODGLAD", "WYKAZKA", "KONIEC", "ROZMN"));

TEST(Glyph, anUnknownNameIsNoPicture)
{
    EXPECT_TRUE(glyph("ZAPISZ.png").isNull());
    EXPECT_TRUE(glyph("").isNull());
}

}  // namespace

}  // namespace wykazki
