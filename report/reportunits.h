// Units of the report engine: margins and spacings are whole millimetres, everything else pixels of
// the report surface. Two factors turn millimetres into pixels, both fixed on first use.
#pragma once

#include "reporttypes.h"

#include <QSize>

namespace kv::report {

// Screen pixels per millimetre: the screen's whole dots per inch / 25.4, held in single precision
// (96 dpi gives 3.7795...). Taken from the primary screen on first use, 96 without one.
float pixelsPerMillimetre();
// The grid step of the layout surface in pixels (2 mm): dots per inch / 12.7.
float gridStep();
// Tests: fix the dots per inch the factors come from (0 returns to the screen's).
void setScreenDotsPerInch(int dpi);

// Millimetres to pixels: Trunc(mm x pixels per millimetre), toward zero, never rounded.
int mmToPixels(int mm);

// The report surface is sized from the paper with this fixed factor (A4 portrait is 793 x 1121).
inline constexpr double kSurfacePixelsPerMm = 3.7762;
QSize surfaceSize(int paperWidthMm, int paperHeightMm);

} // namespace kv::report
