// Text measuring with the font's own metrics, in pixels of the report surface.
#pragma once

#include "textmeasurer.h"

#include <QFontMetrics>
#include <vector>

namespace kv::report {

class QtTextMeasurer : public TextMeasurer {
public:
    int textWidth(const QString& text, const QFont& font) override;
    int textHeight(const QFont& font) override;

private:
    // Metrics are costly to make and a report uses few fonts: keep one per font.
    const QFontMetrics& metrics(const QFont& font);

    std::vector<std::pair<QFont, QFontMetrics>> cache_;
    std::size_t last_ = 0;
};

} // namespace kv::report
