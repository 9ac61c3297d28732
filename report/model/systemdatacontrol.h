// A system-data field: a label whose caption is followed by the date, the time or the page number
// when the report is generated.
#pragma once

#include "labelbase.h"

#include <QObject>
#include <QPointer>

namespace kv::report {

class SystemDataControl : public LabelBase {
public:
    SystemDataControl() {
        autoSize = false;
        layout = tlCenter;
    }
    SystemDataControl(const SystemDataControl&) = default;

    SystemData systemData = sdDate;
    // The preview control the field belongs to; when set, "#AS#" follows the page number.
    QPointer<QObject> reportViewer;
};

} // namespace kv::report
