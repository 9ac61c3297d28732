// Page-breaking arithmetic of paged output.
#include "pagemodel.h"

#include "report/model/zireziduzoz.h"

namespace kv::report {

PageFrame PageFrame::of(const TZirezIduzoz& report) {
    const TTurboMargins& m = report.Margins();
    const ReportMetrics& metrics = report.Metrics();
    auto mmToPixels = [&](int mm) { return metrics.mmToPixels(mm); };
    PageFrame f;
    f.width = report.Width();
    f.height = report.Height();
    f.left = mmToPixels(m.Left());
    f.top = mmToPixels(m.Top());
    f.bottom = mmToPixels(m.Bottom());
    f.topAndBottom = mmToPixels(m.Top() + m.Bottom());
    f.leftAndRight = mmToPixels(m.Left() + m.Right());
    f.columns = m.Column();
    f.columnSpace = mmToPixels(m.ColumnSpace());
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
