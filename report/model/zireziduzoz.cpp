// The report surface and the layout of its bands.
#include "zireziduzoz.h"

#include "reportunits.h"
#include "turboband.h"

#include "data/store/datasource.h"

#include <algorithm>

namespace kv::report {

TZirezIduzoz::TZirezIduzoz(QObject* parent)
    : TZirezIduzoz(ReportMetrics::ofScreen(), parent) {}

TZirezIduzoz::TZirezIduzoz(ReportMetrics metrics, QObject* parent)
    : QObject(parent)
    , metrics_(std::move(metrics)) {
    connect(&printer_, &TTurboPrinter::OnSizeChange, this, &TZirezIduzoz::printerChanged);
    connect(&margins_, &TTurboMargins::OnSizeChange, this, &TZirezIduzoz::marginsChanged);
}

TZirezIduzoz::~TZirezIduzoz() {
    // Bands are children; forget them first so their destruction does not lay out a dying report.
    for (TTurboBand* band : bands_)
        disconnect(band, nullptr, this, nullptr);
    bands_.clear();
}

void TZirezIduzoz::SetMetrics(ReportMetrics metrics) {
    metrics_ = std::move(metrics);
    LayoutBands();
}

TTurboBand* TZirezIduzoz::FindBand(const QString& name) const {
    for (TTurboBand* band : bands_) {
        if (band->objectName().compare(name, Qt::CaseInsensitive) == 0)
            return band;
    }
    return nullptr;
}

void TZirezIduzoz::InsertBand(TTurboBand* band) {
    band->setParent(this);
    bands_.push_back(band);
    connect(band, &QObject::destroyed, this, &TZirezIduzoz::bandGone);
    LayoutBands();
}

void TZirezIduzoz::bandGone(QObject* band) {
    bands_.erase(std::remove(bands_.begin(), bands_.end(), band), bands_.end());
    LayoutBands();
}

void TZirezIduzoz::printerChanged() {
    const QSize size = surfaceSize(printer_.Width(), printer_.Height());
    width_ = size.width();
    height_ = size.height();
    LayoutBands();
    Q_EMIT OnSizeChange();
}

void TZirezIduzoz::marginsChanged() {
    LayoutBands();
    Q_EMIT OnSizeChange();
}

void TZirezIduzoz::LayoutBands() {
    const int left = metrics_.mmToPixels(margins_.Left());
    const int right = metrics_.mmToPixels(margins_.Right());
    const int columns = margins_.Column();
    const int bodyWidth = (width_ - metrics_.mmToPixels((columns - 1) * margins_.ColumnSpace() +
                                                        margins_.Left() + margins_.Right())) /
                          columns;
    int top = metrics_.mmToPixels(margins_.Top());
    for (TTurboBand* band : bands_) {
        const bool pageBand = band->BandType() == rbPageHeader || band->BandType() == rbPageFooter;
        band->SetPlacement(left, top, pageBand ? width_ - right - left : bodyWidth);
        top += band->Height();
    }
}

} // namespace kv::report
