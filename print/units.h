#pragma once
// Millimetres on the sheet and pixels on a drawing surface. The one place
// where the two meet: everything else keeps them apart by name (xMm, leftPx).

class QPaintDevice;

// The surface's pixels per inch; one value serves both axes.
int surfacePixelsPerInch(const QPaintDevice& device);

// truncate(pixelsPerInch × (1 / 25.4) × mm), the factor formed first in
// double precision; truncation is toward zero, also for negative lengths.
int mmToPixels(int pixelsPerInch, double mm);
int mmToPixels(const QPaintDevice& device, double mm);

// A full-size pixel position or font size on a scaled surface (the preview):
// truncate(value × scale). Scale 1.0 leaves it exactly as it is.
int applyScale(int value, double scale);
