// The measures a report is generated with: the screen resolution that turns its millimetres into
// pixels, and the text measurer that places and wraps its texts. Each report carries its own, so
// reports with different metrics can be generated side by side.
#pragma once

#include "textmeasurer.h"

#include <memory>

namespace kv::report {

class ReportMetrics {
public:
    // `dotsPerInch` of the screen the report is laid out for; `measurer` measures its texts (null
    // means the fonts' own metrics in pixels). The measurer is shared by copies of the metrics.
    explicit ReportMetrics(int dotsPerInch = 96, std::shared_ptr<TextMeasurer> measurer = nullptr);
    // The primary screen's resolution (96 without a screen) and the fonts' own metrics.
    static ReportMetrics ofScreen();

    int dotsPerInch() const { return dpi_; }
    TextMeasurer& measurer() const { return *measurer_; }

    // Pixels per millimetre: whole dots per inch / 25.4 in single precision (96 dpi gives 3.7795...).
    float pixelsPerMillimetre() const { return float(dpi_ / 25.4); }
    // The grid step of the layout surface in pixels (2 mm): dots per inch / 12.7.
    float gridStep() const { return float(dpi_ / 12.7); }
    // Millimetres to pixels: Trunc(mm x pixels per millimetre), toward zero, never rounded.
    int mmToPixels(int mm) const;

private:
    int dpi_;
    std::shared_ptr<TextMeasurer> measurer_;
};

} // namespace kv::report
