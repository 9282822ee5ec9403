#include "print/units.h"
#include "printtestsupport.h"

#include <gtest/gtest.h>

#include <limits>

namespace wykazki {

TEST(MmToPixels, truncatesTowardZero)
{
    EXPECT_EQ(mmToPixels(96, 10.0), 37);  // 37.795...
    EXPECT_EQ(mmToPixels(96, -1.0), -3);  // -3.78 toward zero, not -4
    EXPECT_EQ(mmToPixels(96, 0.0), 0);
    EXPECT_EQ(mmToPixels(1200, 297.0), 14031);
    EXPECT_EQ(mmToPixels(254, 12.0), 120);
}

TEST(MmToPixels, formsThePixelsPerMillimetreFactorFirst)
{
    // 96 × 25.4 / 25.4 would truncate 95.99999 to 95; the factor 96 × (1/25.4)
    // formed first gives exactly one inch.
    EXPECT_EQ(mmToPixels(96, 25.4), 96);
    EXPECT_EQ(mmToPixels(96, 12.7), 48);
}

TEST(MmToPixels, storedFloatPositionsTruncateBelowTheirDecimal)
{
    // y0 is a 32-bit float: 33.3 is stored as 33.2999992 and lands on pixel 332.
    EXPECT_EQ(mmToPixels(254, double(33.3f)), 332);
    EXPECT_EQ(mmToPixels(254, double(30.5f)), 305);
}

TEST(MmToPixels, usesTheDevicesLogicalResolution)
{
    const QImage at96 = whiteSurface(4, 4, 96);
    const QImage at254 = whiteSurface(4, 4, 254);
    EXPECT_EQ(surfacePixelsPerInch(at96), 96);
    EXPECT_EQ(mmToPixels(at96, 10.0), 37);
    EXPECT_EQ(mmToPixels(at254, 10.0), 100);
}

TEST(ApplyScale, truncatesOnlyWhenScaled)
{
    EXPECT_EQ(applyScale(333, 1.0), 333);
    EXPECT_EQ(applyScale(333, 0.5), 166);
    EXPECT_EQ(applyScale(-333, 0.5), -166);
    EXPECT_EQ(applyScale(11, 0.5), 5);  // font sizes go the same way
}

TEST(MmToPixels, valuesAFileCanHoldSaturateAndNaNIsZero)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        int dpi;
        double mm;
        int px;
    };
    const Case cases[] = {
        {1200, nan, 0},
        {1200, inf, kMaxDevicePixels},
        {1200, -inf, -kMaxDevicePixels},
        {1200, 32767.0 + 2147483647.0, kMaxDevicePixels},
        {1200, -2147483648.0 - 32768.0, -kMaxDevicePixels},
        {1200, 1e30, kMaxDevicePixels},
        {1200, 1000.0, 47244},  // the largest sheet is far inside the range
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mm);
        EXPECT_EQ(mmToPixels(c.dpi, c.mm), c.px);
    }
    EXPECT_EQ(applyScale(std::numeric_limits<int>::max(), 0.5), kMaxDevicePixels);
    EXPECT_EQ(addPixels(kMaxDevicePixels, kMaxDevicePixels), kMaxDevicePixels);
    EXPECT_EQ(addPixels(-kMaxDevicePixels, -5), -kMaxDevicePixels);
    EXPECT_EQ(addPixels(120, -20), 100);
}

}  // namespace wykazki
