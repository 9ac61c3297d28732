// Page-breaking arithmetic of paged output.
#include "pagemodel.h"

#include "report/model/report.h"

namespace kv::report {

PageFrame PageFrame::of(const Report& report) {
    const PageMargins& m = report.margins();
    const ReportMetrics& metrics = report.metrics();
    auto mmToPixels = [&](int mm) { return metrics.mmToPixels(mm); };
    PageFrame f;
    f.width = report.width();
    f.height = report.height();
    f.left = mmToPixels(m.left());
    f.top = mmToPixels(m.top());
    f.bottom = mmToPixels(m.bottom());
    f.topAndBottom = mmToPixels(m.top() + m.bottom());
    f.leftAndRight = mmToPixels(m.left() + m.right());
    f.columns = m.column();
    f.columnSpace = mmToPixels(m.columnSpace());
    return f;
}

PageModel::PageModel(const PageFrame& frame, int headersHeight, int footersHeight)
    : frame_(frame)
    , headersHeight_(headersHeight)
    , footersHeight_(footersHeight) {}

void PageModel::toFooters() {
    x = frame_.left;
    y = frame_.height - footersHeight_ - frame_.topAndBottom;
}

void PageModel::toHeaders() {
    x = frame_.left;
    y = frame_.top;
}

bool PageModel::breaksAtStart(int bandHeight, bool pageFooter) const {
    return !pageFooter && y > frame_.height - bandHeight - footersHeight_ - frame_.bottom;
}

bool PageModel::breaksAtCheck(int bandHeight) const {
    return y + bandHeight > frame_.height - frame_.bottom;
}

bool PageModel::nextColumn(int bandWidth) {
    ++column;
    if (column >= frame_.columns)
        return false;
    x += bandWidth + frame_.columnSpace;
    y = frame_.top + headersHeight_;
    return true;
}

} // namespace kv::report
