// A system-data field: a label whose caption is followed by the date, the time or the page number
// when the report is generated.
#pragma once

#include "customlabel.h"

#include <QObject>
#include <QPointer>

namespace kv::report {

class TTurboSysData : public TCustomLabel {
public:
    TTurboSysData() {
        AutoSize = false;
        Layout = tlCenter;
    }
    TTurboSysData(const TTurboSysData&) = default;

    TSysData SysData = sdDate;
    // The preview control the field belongs to; when set, "#AS#" follows the page number.
    QPointer<QObject> ReportViewer;
};

} // namespace kv::report
