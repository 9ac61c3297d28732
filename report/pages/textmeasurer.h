// How reports measure text. Production measures with the fonts' own metrics in pixels; layout and
// wrapping tests give their reports fixed metrics (each report carries its measurer).
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

} // namespace kv::report
