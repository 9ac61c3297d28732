// The report surface's size: it is sized from the paper with a fixed factor, whatever the screen
// (margins and spacings use the report's own resolution, see reportmetrics.h).
#pragma once

#include <QSize>

namespace kv::report {

// A4 portrait is 793 x 1121 pixels.
inline constexpr double kSurfacePixelsPerMm = 3.7762;
// Trunc(millimetres x the factor) for each side.
QSize surfaceSize(int paperWidthMm, int paperHeightMm);

} // namespace kv::report
