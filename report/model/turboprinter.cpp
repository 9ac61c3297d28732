// Printer settings of a report.
#include "turboprinter.h"

#include <algorithm>
#include <utility>

namespace kv::report {

TTurboPrinter::TTurboPrinter(QObject* parent)
    : QObject(parent) {}

void TTurboPrinter::SetColWidth(int v) {
    colWidth_ = std::min(v, 512);
}

void TTurboPrinter::SetPaperSize(TTurboPageSize v) {
    if (v == paperSize_)
        return;
    const PaperMm mm = paperSize(v);
    width_ = mm.width;
    height_ = mm.height;
    if (orientation_ == poLandscape)
        std::swap(width_, height_);
    paperSize_ = v;
    Q_EMIT OnSizeChange();
}

void TTurboPrinter::SetOrientation(TPrinterOrientation v) {
    if (v == orientation_)
        return;
    orientation_ = v;
    std::swap(width_, height_);
    Q_EMIT OnSizeChange();
}

} // namespace kv::report
