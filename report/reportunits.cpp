// The millimetre to pixel factors of the report engine.
#include "reportunits.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace kv::report {

namespace {
int fixedDpi = 0;

int screenDpi() {
    if (fixedDpi > 0)
        return fixedDpi;
    static const int dpi = [] {
        if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
            if (QScreen* s = app->primaryScreen())
                return int(std::lround(s->logicalDotsPerInchY()));
        }
        return 96;
    }();
    return dpi;
}
} // namespace

float pixelsPerMillimetre() {
    return float(screenDpi() / 25.4);
}

float gridStep() {
    return float(screenDpi() / 12.7);
}

void setScreenDotsPerInch(int dpi) {
    fixedDpi = dpi;
}

int mmToPixels(int mm) {
    return int(std::trunc(double(mm) * double(pixelsPerMillimetre())));
}

QSize surfaceSize(int paperWidthMm, int paperHeightMm) {
    return {int(std::trunc(paperWidthMm * kSurfacePixelsPerMm)),
            int(std::trunc(paperHeightMm * kSurfacePixelsPerMm))};
}

} // namespace kv::report
