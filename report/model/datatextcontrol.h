// A data text: a label showing the display text of one field of the current record.
#pragma once

#include "labelbase.h"
#include "datalink.h"

namespace kv::report {

class DataTextControl : public LabelBase {
public:
    DataTextControl() = default;
    QString text() const override { return link.displayText(); }

    DataLink link;
};

} // namespace kv::report
