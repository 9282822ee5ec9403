#include "units.h"

#include <QPaintDevice>

int surfacePixelsPerInch(const QPaintDevice& device)
{
    return device.logicalDpiY();
}

int mmToPixels(int pixelsPerInch, double mm)
{
    const double pixelsPerMm = pixelsPerInch * (1.0 / 25.4);
    return static_cast<int>(pixelsPerMm * mm);  // toward zero
}

int mmToPixels(const QPaintDevice& device, double mm)
{
    return mmToPixels(surfacePixelsPerInch(device), mm);
}

int applyScale(int value, double scale)
{
    if (scale == 1.0)
        return value;
    return static_cast<int>(value * scale);
}
