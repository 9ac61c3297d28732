// The frame of a band.
#include "turboframe.h"

namespace kv::report {

TTurboFrame::TTurboFrame(QObject* parent)
    : QObject(parent) {}

void TTurboFrame::SetPen(const QPen& pen) {
    if (pen == pen_)
        return;
    pen_ = pen;
    Q_EMIT OnFrameChange();
}

void TTurboFrame::set(bool& side, bool on) {
    if (side == on)
        return;
    side = on;
    Q_EMIT OnFrameChange();
}

} // namespace kv::report
