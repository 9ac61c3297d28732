// Fixed text metrics for report tests: every character is `charWidth` pixels wide and every line
// `lineHeight` pixels high, whatever the font; and report metrics at 96 dots per inch with them.
#pragma once

#include "report/pages/reportmetrics.h"
#include "report/pages/textmeasurer.h"

namespace kv::report::test {

class FixedMeasurer : public TextMeasurer {
public:
    explicit FixedMeasurer(int charWidth = 6, int lineHeight = 10)
        : charWidth_(charWidth)
        , lineHeight_(lineHeight) {}

    int textWidth(const QString& text, const QFont&) override { return int(text.size()) * charWidth_; }
    int textHeight(const QFont&) override { return lineHeight_; }

private:
    int charWidth_;
    int lineHeight_;
};

// 96 dots per inch and fixed text metrics, for a report under test.
inline ReportMetrics fixedMetrics(int charWidth = 6, int lineHeight = 10) {
    return ReportMetrics(96, std::make_shared<FixedMeasurer>(charWidth, lineHeight));
}

} // namespace kv::report::test
