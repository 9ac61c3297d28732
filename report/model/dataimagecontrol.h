// A data image: the picture held in a Graphic field of the current record.
#pragma once

#include "datalink.h"
#include "reportcontrol.h"

#include <QImage>

namespace kv::report {

class DataImageControl : public ReportControl {
public:
    DataImageControl() = default;
    bool windowed() const override { return true; }
    // The field's picture; null when the field is empty or holds no readable bitmap.
    QImage picture() const;

    DataLink link;
    bool stretch = false;
};

} // namespace kv::report
