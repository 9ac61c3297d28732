// A data image: the picture held in a Graphic field of the current record.
#pragma once

#include "datalink.h"
#include "reportcontrol.h"

#include <QImage>

namespace kv::report {

class TDBImage : public TReportControl {
public:
    TDBImage() = default;
    bool Windowed() const override { return true; }
    // The field's picture; null when the field is empty or holds no readable bitmap.
    QImage Picture() const;

    TDataLink Link;
    bool Stretch = false;
};

} // namespace kv::report
