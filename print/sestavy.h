// The container of the program's three report definitions: the order form, the list of orders
// and the list of suppliers, bound to the data sources of the data module. Created once at
// start-up and never shown.
#pragma once

#include "report/model/report.h"

#include <QObject>

namespace kv::data {
class TDM;
}

namespace kv::print {

class TSestavy : public QObject {
    Q_OBJECT
public:
    // Loads the three definitions over the data sources of `dm`, which must outlive the reports'
    // use, laid out and measured with `metrics` (the screen's by default). Throws
    // kv::report::ReportError when a definition does not load.
    explicit TSestavy(kv::data::TDM& dm,
                      const kv::report::ReportMetrics& metrics = kv::report::ReportMetrics::ofScreen(),
                      QObject* parent = nullptr);
    ~TSestavy() override;

    // Owned by the container.
    kv::report::Report* Objednavka = nullptr;
    kv::report::Report* SeznamObjednavek = nullptr;
    kv::report::Report* SeznamDodavatelu = nullptr;
};

// The container made last, set while it exists.
extern TSestavy* Sestavy;

} // namespace kv::print
