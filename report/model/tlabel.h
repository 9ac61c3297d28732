// A static label on a band.
#pragma once

#include "customlabel.h"

namespace kv::report {

class TLabel : public TCustomLabel {
public:
    TLabel() = default;
    TLabel(const TLabel&) = default;
};

} // namespace kv::report
