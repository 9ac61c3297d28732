// A data text: a label showing the display text of one field of the current record.
#pragma once

#include "customlabel.h"
#include "datalink.h"

namespace kv::report {

class TDBText : public TCustomLabel {
public:
    TDBText() = default;
    QString Text() const override { return Link.displayText(); }

    TDataLink Link;
};

} // namespace kv::report
