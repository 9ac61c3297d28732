// The frame of a band.
#include "bandframe.h"

namespace kv::report {

BandFrame::BandFrame(QObject* parent)
    : QObject(parent) {}

void BandFrame::setPen(const QPen& pen) {
    if (pen == pen_)
        return;
    pen_ = pen;
    Q_EMIT onFrameChange();
}

void BandFrame::set(bool& side, bool on) {
    if (side == on)
        return;
    side = on;
    Q_EMIT onFrameChange();
}

} // namespace kv::report
