// The one place reports measure text. Production measures with the font's own metrics in pixels;
// layout and wrapping tests install fixed metrics.
#pragma once

#include <QFont>
#include <QString>

namespace kv::report {

class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;
    // Advance width of `text` in `font`, pixels.
    virtual int textWidth(const QString& text, const QFont& font) = 0;
    // Height of a line of text in `font` (ascent plus descent), pixels.
    virtual int textHeight(const QFont& font) = 0;
};

// The measurer in force; the font metrics one unless a test installed another.
TextMeasurer& textMeasurer();
// Installs `m` (not owned); nullptr returns to the font metrics measurer.
void setTextMeasurer(TextMeasurer* m);

} // namespace kv::report
