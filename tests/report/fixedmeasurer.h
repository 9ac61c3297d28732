// Fixed text metrics for report tests: every character is `charWidth` pixels wide and every line
// `lineHeight` pixels high, whatever the font. Installed for the lifetime of the object.
#pragma once

#include "report/textmeasurer.h"

namespace kv::report::test {

class FixedMeasurer : public TextMeasurer {
public:
    explicit FixedMeasurer(int charWidth = 6, int lineHeight = 10)
        : charWidth_(charWidth)
        , lineHeight_(lineHeight) {
        setTextMeasurer(this);
    }
    ~FixedMeasurer() override { setTextMeasurer(nullptr); }

    int textWidth(const QString& text, const QFont&) override { return int(text.size()) * charWidth_; }
    int textHeight(const QFont&) override { return lineHeight_; }

private:
    int charWidth_;
    int lineHeight_;
};

} // namespace kv::report::test
