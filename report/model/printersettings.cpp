// Printer settings of a report.
#include "printersettings.h"

#include <algorithm>
#include <utility>

namespace kv::report {

PrinterSettings::PrinterSettings(QObject* parent)
    : QObject(parent) {}

void PrinterSettings::setColWidth(int v) {
    colWidth_ = std::min(v, 512);
}

void PrinterSettings::setPaperSize(PaperFormat v) {
    if (v == paperSize_)
        return;
    const PaperMm mm = kv::report::paperSize(v);
    width_ = mm.width;
    height_ = mm.height;
    if (orientation_ == poLandscape)
        std::swap(width_, height_);
    paperSize_ = v;
    Q_EMIT onSizeChange();
}

void PrinterSettings::setOrientation(PaperOrientation v) {
    if (v == orientation_)
        return;
    orientation_ = v;
    std::swap(width_, height_);
    Q_EMIT onSizeChange();
}

} // namespace kv::report
