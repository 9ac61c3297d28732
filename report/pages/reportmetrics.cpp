// The resolution and text measurer of a report.
#include "reportmetrics.h"

#include "qttextmeasurer.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace kv::report {

ReportMetrics::ReportMetrics(int dotsPerInch, std::shared_ptr<TextMeasurer> measurer)
    : dpi_(dotsPerInch > 0 ? dotsPerInch : 96)
    , measurer_(measurer ? std::move(measurer) : std::make_shared<QtTextMeasurer>()) {}

ReportMetrics ReportMetrics::ofScreen() {
    int dpi = 96;
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        if (QScreen* s = app->primaryScreen())
            dpi = int(std::lround(s->logicalDotsPerInchY()));
    }
    return ReportMetrics(dpi);
}

int ReportMetrics::mmToPixels(int mm) const {
    return int(std::trunc(double(mm) * double(pixelsPerMillimetre())));
}

} // namespace kv::report
