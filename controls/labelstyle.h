// The caption label's drawing rules without a painter: direction steps, the shadow style presets,
// the rotated text box and the vertical placement of unrotated text. Pixels, y growing downwards.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <optional>

namespace kv::controls {

enum class TDirection { drNone, drUp, drDown, drLeft, drRight, drUpLeft, drUpRight, drDownLeft, drDownRight };
enum class TShadowStyle {
    ssNone,
    ssCustom,
    ssRaised,
    ssRaisedColor,
    ssRaisedShadow,
    ssRaisedThickShadow,
    ssRecessed,
    ssRecessedColor,
    ssRecessedShadow,
    ssShadow,
    ssThickShadow,
};
enum class TVerticalAlignment { vaTop, vaCenter, vaBottom };

// TShadowDepth and TShadowSize range.
inline constexpr int kMaxShadow = 1280;

// One pixel step in `d`: (0,0) for drNone, (1,1) for drDownRight.
QPoint directionStep(TDirection d);

struct ShadowSettings {
    TDirection highlightDirection = TDirection::drNone;
    int highlightDepth = 0;
    TDirection shadowDirection = TDirection::drNone;
    int shadowDepth = 0;
    int shadowSize = 0;
    bool faceColour = false; // the font colour becomes the button face colour
};
// The settings a style assigns; nothing for ssCustom, which changes none.
std::optional<ShadowSettings> shadowPreset(TShadowStyle style);

// Degrees reduced into 0..359.
int normaliseAngle(int degrees);

// Where rotated text goes: `box` is the text's bounding box placed in the label's rectangle and
// `origin` the point the rotated text starts from (its unrotated top-left corner).
struct RotatedPlacement {
    QRect box;
    QPoint origin;
};
// `text` is the unrotated text size, `angle` in 0..359 counter-clockwise, `r` the rectangle to place
// in; `hAlign` is Qt::AlignLeft, AlignRight or AlignHCenter.
RotatedPlacement placeRotated(QSize text, int angle, const QRect& r, Qt::Alignment hAlign,
                              TVerticalAlignment v);

// How far unrotated text of height `textHeight` moves down in a rectangle `height` high.
int verticalShift(int height, int textHeight, TVerticalAlignment v);

} // namespace kv::controls
