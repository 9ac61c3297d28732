// Where a window opened from another goes: at the opener's top-left corner (plus an offset), moved
// left to end flush with the screen's right edge and up to end 30 pixels above the screen's bottom
// when it would pass them. Positions and sizes are whole-window (frame) pixels.
#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

class QDialog;
class QWidget;

namespace kv::ui {

// The top-left corner for a window of `windowSize` opened at `wanted` on a screen of `screenSize`.
// Only the right and bottom edges are checked; a window larger than the screen may get a negative
// position, as the rule gives.
QPoint placeOnScreen(QPoint wanted, QSize windowSize, QSize screenSize);

// A remembered top-left corner `wanted` for a window of `windowSize`, brought onto the screens'
// available areas `screens`: kept as it is when the window lies wholly on one of them, else moved
// onto the nearest area as far as needed for the whole window (its top-left corner first, when it is
// larger than the area), so that its title bar and buttons can always be reached.
QPoint bringOnScreen(QPoint wanted, QSize windowSize, const QList<QRect>& screens);
// The same over this desktop's screens.
QPoint bringOnScreen(QPoint wanted, QSize windowSize);

// Moves `window` to the opener's top-left corner plus `offset`, kept on the opener's screen.
void placeAtOpener(QWidget& window, const QWidget& opener, QPoint offset = {});

// Places `dialog` at the opener and shows it modally through the dialog seam; returns its result.
int showModalAtOpener(QDialog& dialog, const QWidget& opener, QPoint offset = {});

} // namespace kv::ui
