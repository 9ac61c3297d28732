// Bands of a report.
#include "turboband.h"

#include "zireziduzoz.h"

#include "data/store/datasource.h"

namespace kv::report {

TTurboBand::TTurboBand(TZirezIduzoz* report, TTurboBandType type)
    : bandType_(type) {
    connect(&frame_, &TTurboFrame::OnFrameChange, this, &TTurboBand::Changed);
    if (report)
        report->InsertBand(this);
}

TTurboBand::~TTurboBand() = default;

TZirezIduzoz* TTurboBand::Report() const {
    return qobject_cast<TZirezIduzoz*>(parent());
}

void TTurboBand::SetBandType(TTurboBandType type) {
    bandType_ = type;
    relayout();
}

void TTurboBand::SetBrush(const QBrush& brush) {
    if (brush == brush_)
        return;
    brush_ = brush;
    Q_EMIT Changed();
}

void TTurboBand::SetHeight(int height) {
    height_ = height;
    relayout();
}

void TTurboBand::SetPlacement(int left, int top, int width) {
    left_ = left;
    top_ = top;
    width_ = width;
}

TReportControl* TTurboBand::FindControl(const QString& name) const {
    for (const auto& c : controls_) {
        if (c->Name.compare(name, Qt::CaseInsensitive) == 0)
            return c.get();
    }
    return nullptr;
}

void TTurboBand::relayout() {
    if (TZirezIduzoz* report = Report())
        report->LayoutBands();
    else
        width_ = 150;
}

} // namespace kv::report
