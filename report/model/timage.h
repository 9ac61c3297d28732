// A picture on a band, drawn at its natural size or stretched into the control's box.
#pragma once

#include "reportcontrol.h"

#include <QImage>

namespace kv::report {

class TImage : public TReportControl {
public:
    TImage() = default;

    QImage Picture; // one image pixel is one report pixel at natural size
    bool Stretch = false;
};

} // namespace kv::report
