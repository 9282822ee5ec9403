#pragma once
// Millimetres on the sheet and pixels on a drawing surface. The one place
// where the two meet: everything else keeps them apart by name (xMm, leftPx).

class QPaintDevice;

namespace wykazki {

// Pixel positions and lengths stay within ±kMaxDevicePixels: far beyond any
// sheet at any resolution (1,000 mm at 1,200 dpi is 47,245 pixels), and
// small enough that sums of a few of them never overflow an int. Values
// beyond it land off the page.
inline constexpr int kMaxDevicePixels = 1 << 24;

// The surface's pixels per inch; one value serves both axes.
int surfacePixelsPerInch(const QPaintDevice& device);

// truncate(pixelsPerInch × (1 / 25.4) × mm), the factor formed first in
// double precision; truncation is toward zero, also for negative lengths.
// NaN gives 0; results are limited to ±kMaxDevicePixels.
int mmToPixels(int pixelsPerInch, double mm);
int mmToPixels(const QPaintDevice& device, double mm);

// A full-size pixel position or font size on a scaled surface (the preview):
// truncate(value × scale), limited as mmToPixels. Scale 1.0 leaves it
// exactly as it is.
int applyScale(int value, double scale);

// a + b limited to ±kMaxDevicePixels.
int addPixels(int a, int b);

}  // namespace wykazki
