// The report surface's size from the paper.
#include "reportunits.h"

#include <cmath>

namespace kv::report {

QSize surfaceSize(int paperWidthMm, int paperHeightMm) {
    return {int(std::trunc(paperWidthMm * kSurfacePixelsPerMm)),
            int(std::trunc(paperHeightMm * kSurfacePixelsPerMm))};
}

} // namespace kv::report
