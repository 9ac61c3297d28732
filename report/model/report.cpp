// The report surface and the layout of its bands.
#include "report.h"

#include "reportunits.h"
#include "band.h"

#include "data/store/datasource.h"

#include <algorithm>

namespace kv::report {

Report::Report(QObject* parent)
    : Report(ReportMetrics::ofScreen(), parent) {}

Report::Report(ReportMetrics metrics, QObject* parent)
    : QObject(parent)
    , metrics_(std::move(metrics)) {
    connect(&printer_, &PrinterSettings::onSizeChange, this, &Report::printerChanged);
    connect(&margins_, &PageMargins::onSizeChange, this, &Report::marginsChanged);
}

Report::~Report() {
    // Bands are children; forget them first so their destruction does not lay out a dying report.
    for (Band* band : bands_)
        disconnect(band, nullptr, this, nullptr);
    bands_.clear();
}

void Report::setMetrics(ReportMetrics metrics) {
    metrics_ = std::move(metrics);
    layoutBands();
}

Band* Report::findBand(const QString& name) const {
    for (Band* band : bands_) {
        if (band->objectName().compare(name, Qt::CaseInsensitive) == 0)
            return band;
    }
    return nullptr;
}

void Report::insertBand(Band* band) {
    band->setParent(this);
    bands_.push_back(band);
    connect(band, &QObject::destroyed, this, &Report::bandGone);
    layoutBands();
}

void Report::bandGone(QObject* band) {
    bands_.erase(std::remove(bands_.begin(), bands_.end(), band), bands_.end());
    layoutBands();
}

void Report::printerChanged() {
    const QSize size = surfaceSize(printer_.width(), printer_.height());
    width_ = size.width();
    height_ = size.height();
    layoutBands();
    Q_EMIT onSizeChange();
}

void Report::marginsChanged() {
    layoutBands();
    Q_EMIT onSizeChange();
}

void Report::layoutBands() {
    const int left = metrics_.mmToPixels(margins_.left());
    const int right = metrics_.mmToPixels(margins_.right());
    const int columns = margins_.column();
    const int bodyWidth = (width_ - metrics_.mmToPixels((columns - 1) * margins_.columnSpace() +
                                                        margins_.left() + margins_.right())) /
                          columns;
    int top = metrics_.mmToPixels(margins_.top());
    for (Band* band : bands_) {
        const bool pageBand = band->bandType() == rbPageHeader || band->bandType() == rbPageFooter;
        band->setPlacement(left, top, pageBand ? width_ - right - left : bodyWidth);
        top += band->height();
    }
}

} // namespace kv::report
