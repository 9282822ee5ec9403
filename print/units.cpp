#include "units.h"

#include <QPaintDevice>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace wykazki {

namespace {

// NaN as 0, everything else cut to the device range and truncated toward
// zero; only then is it an int, so no value a file holds can overflow.
int saturate(double value)
{
    if (std::isnan(value))
        return 0;
    return static_cast<int>(std::clamp(value, -double(kMaxDevicePixels), double(kMaxDevicePixels)));
}

}  // namespace

int surfacePixelsPerInch(const QPaintDevice& device)
{
    return device.logicalDpiY();
}

int mmToPixels(int pixelsPerInch, double mm)
{
    const double pixelsPerMm = pixelsPerInch * (1.0 / 25.4);
    return saturate(pixelsPerMm * mm);
}

int mmToPixels(const QPaintDevice& device, double mm)
{
    return mmToPixels(surfacePixelsPerInch(device), mm);
}

int applyScale(int value, double scale)
{
    if (scale == 1.0)
        return value;
    return saturate(value * scale);
}

int addPixels(int a, int b)
{
    const std::int64_t sum = std::int64_t{a} + b;
    return static_cast<int>(std::clamp<std::int64_t>(sum, -kMaxDevicePixels, kMaxDevicePixels));
}

}  // namespace wykazki
