// Where the lines of a label's text go inside its box: line splitting, wrapping to the box width,
// and the offsets by alignment and layout; and the lines of a memo. No painting here; the page recorder
// writes the result.
#pragma once

#include "report/model/reporttypes.h"
#include "report/pages/textmeasurer.h"

#include <QList>
#include <QSize>
#include <QStringList>

namespace kv::report {

// Lines of a label text: carriage returns are dropped, line feeds cut; a last piece after the
// final line feed counts only when it is not empty. An empty text has no lines.
QStringList splitLabelLines(const QString& text);

// Breaks lines wider than `width` until all fit: the break falls after the last space that fits
// (the space stays at the end of the line), or between characters in a word with no such space.
// A line keeps at least one character, so a box narrower than one character still ends.
void wrapLabelLines(QStringList& lines, int width, const QFont& font, TextMeasurer& measurer);

// Lines of a memo in a box `width` pixels wide: carriage returns are dropped, line feeds cut,
// tabs expand to the next multiple of 8 characters, and each paragraph breaks between words so
// that its lines fit. A word wider than the box stays whole on a line of its own (the box clips it).
QStringList wrapMemoLines(const QString& text, int width, const QFont& font, TextMeasurer& measurer);

struct LabelLine {
    QString text;
    int x; // offset from the box's left edge
    int y; // offset from the box's top edge
};

struct LabelBox {
    QSize size;
    TextAlignment alignment = taLeftJustify;
    TextLayout layout = tlTop;
    bool wordWrap = false;
};

// The lines to write and where. Several lines are written while they fit the box's height
// completely, each aligned by its own width; a single line is written even when it overflows.
// With word wrap the whole block is centred or bottom-aligned; without it, only one line is.
QList<LabelLine> layoutLabel(const QString& text, const LabelBox& box, const QFont& font,
                             TextMeasurer& measurer);

// The font `text` fits the box in: `font` made a pixel smaller at a time until each of the text's
// lines is within the box's width, and with word wrap its wrapped lines within its height. Never
// below kSmallestShrunkFont pixels, nor smaller where that does not bring the text closer to
// fitting; `font` itself when it fits or is not sized in pixels.
inline constexpr int kSmallestShrunkFont = 6;
QFont shrunkFont(const QString& text, const LabelBox& box, const QFont& font, TextMeasurer& measurer);

} // namespace kv::report
