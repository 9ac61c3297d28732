// Bands of a report.
#include "band.h"

#include "report.h"

#include "data/store/datasource.h"

namespace kv::report {

Band::Band(Report* report, BandType type)
    : bandType_(type) {
    connect(&frame_, &BandFrame::onFrameChange, this, &Band::changed);
    if (report)
        report->insertBand(this);
}

Band::~Band() = default;

Report* Band::report() const {
    return qobject_cast<Report*>(parent());
}

void Band::setBandType(BandType type) {
    bandType_ = type;
    relayout();
}

void Band::setBrush(const QBrush& brush) {
    if (brush == brush_)
        return;
    brush_ = brush;
    Q_EMIT changed();
}

void Band::setHeight(int height) {
    height_ = height;
    relayout();
}

void Band::setPlacement(int left, int top, int width) {
    left_ = left;
    top_ = top;
    width_ = width;
}

ReportControl* Band::findControl(const QString& name) const {
    for (const auto& c : controls_) {
        if (c->name.compare(name, Qt::CaseInsensitive) == 0)
            return c.get();
    }
    return nullptr;
}

void Band::relayout() {
    if (Report* owner = report())
        owner->layoutBands();
    else
        width_ = 150;
}

} // namespace kv::report
