// A static label on a band.
#pragma once

#include "labelbase.h"

namespace kv::report {

class LabelControl : public LabelBase {
public:
    LabelControl() = default;
    LabelControl(const LabelControl&) = default;
};

} // namespace kv::report
