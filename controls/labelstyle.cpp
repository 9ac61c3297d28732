// Direction steps, shadow presets and the quadrant geometry of rotated caption text.
#include "labelstyle.h"

#include <algorithm>
#include <cmath>

namespace kv::controls {

QPoint directionStep(TDirection d) {
    switch (d) {
    case TDirection::drNone:
        return {0, 0};
    case TDirection::drUp:
        return {0, -1};
    case TDirection::drDown:
        return {0, 1};
    case TDirection::drLeft:
        return {-1, 0};
    case TDirection::drRight:
        return {1, 0};
    case TDirection::drUpLeft:
        return {-1, -1};
    case TDirection::drUpRight:
        return {1, -1};
    case TDirection::drDownLeft:
        return {-1, 1};
    case TDirection::drDownRight:
        return {1, 1};
    }
    return {0, 0};
}

std::optional<ShadowSettings> shadowPreset(TShadowStyle style) {
    using D = TDirection;
    switch (style) {
    case TShadowStyle::ssCustom:
        return std::nullopt;
    case TShadowStyle::ssNone:
        return ShadowSettings{};
    case TShadowStyle::ssRaised:
        return ShadowSettings{D::drUpLeft, 1, D::drNone, 0, 0, false};
    case TShadowStyle::ssRaisedColor:
        return ShadowSettings{D::drUpLeft, 1, D::drDownRight, 1, 1, true};
    case TShadowStyle::ssRaisedShadow:
        return ShadowSettings{D::drUpLeft, 1, D::drDownRight, 1, 1, false};
    case TShadowStyle::ssRaisedThickShadow:
        return ShadowSettings{D::drUpLeft, 1, D::drDownRight, 1, 4, false};
    case TShadowStyle::ssRecessed:
        return ShadowSettings{D::drDownRight, 1, D::drNone, 0, 0, false};
    case TShadowStyle::ssRecessedColor:
        return ShadowSettings{D::drDownRight, 1, D::drUpLeft, 1, 1, true};
    case TShadowStyle::ssRecessedShadow:
        return ShadowSettings{D::drDownRight, 1, D::drUpLeft, 1, 1, false};
    case TShadowStyle::ssShadow:
        return ShadowSettings{D::drNone, 0, D::drDownRight, 2, 1, false};
    case TShadowStyle::ssThickShadow:
        return ShadowSettings{D::drNone, 0, D::drDownRight, 1, 4, false};
    }
    return std::nullopt;
}

int normaliseAngle(int degrees) {
    return ((degrees % 360) + 360) % 360;
}

RotatedPlacement placeRotated(QSize text, int angle, const QRect& r, Qt::Alignment hAlign,
                              TVerticalAlignment v) {
    const double rad = angle * M_PI / 180.0;
    const double c = std::cos(rad), s = std::sin(rad);
    // Truncated products, as the box sizes below are formed from them.
    const int wc = int(text.width() * c), ws = int(text.width() * s);
    const int hc = int(text.height() * c), hs = int(text.height() * s);
    int boxW, boxH;
    QPoint shift;
    if (angle < 90) {
        boxH = ws + hc;
        boxW = hs + wc;
    } else if (angle < 180) {
        boxH = ws - hc;
        boxW = hs - wc;
    } else if (angle < 270) {
        boxH = -ws - hc;
        boxW = -wc - hs;
    } else {
        boxH = hc - ws;
        boxW = wc - hs;
    }
    boxW = std::min(boxW, r.width());
    boxH = std::min(boxH, r.height());
    if (angle < 90)
        shift = {0, ws};
    else if (angle < 180)
        shift = {-wc, boxH};
    else if (angle < 270)
        shift = {boxW, -hc};
    else
        shift = {-hs, 0};

    int left = r.left();
    if (hAlign & Qt::AlignRight)
        left = r.right() + 1 - boxW;
    else if (hAlign & Qt::AlignHCenter)
        left = r.left() + (r.width() - boxW) / 2;
    const int top = r.top() + verticalShift(r.height(), boxH, v);
    const QRect box(left, top, boxW, boxH);
    return {box, box.topLeft() + shift};
}

int verticalShift(int height, int textHeight, TVerticalAlignment v) {
    switch (v) {
    case TVerticalAlignment::vaTop:
        return 0;
    case TVerticalAlignment::vaCenter:
        return (height - textHeight) / 2;
    case TVerticalAlignment::vaBottom:
        return height - textHeight;
    }
    return 0;
}

} // namespace kv::controls
