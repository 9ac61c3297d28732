// A picture on a band, drawn at its natural size (made smaller to fit, in proportion, when it would
// pass the control's box) or stretched into the box.
#pragma once

#include "reportcontrol.h"

#include <QImage>

namespace kv::report {

class ImageControl : public ReportControl {
public:
    ImageControl() = default;

    QImage picture; // one image pixel is one report pixel at natural size
    bool stretch = false;
};

} // namespace kv::report
