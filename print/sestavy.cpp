// The report container: loads the three layouts once.
#include "sestavy.h"

#include "reportlayouts.h"

namespace kv::print {

TSestavy* Sestavy = nullptr;

TSestavy::TSestavy(kv::data::TDM& dm, const kv::report::ReportMetrics& metrics, QObject* parent)
    : QObject(parent) {
    setObjectName(QStringLiteral("Sestavy"));
    Sestavy = this;
    const kv::report::DataSources sources = dataSources(dm);
    // The reports are children of the container, which frees them.
    Objednavka = loadLayout(QStringLiteral("Objednavka"), sources, metrics, this).release();
    SeznamObjednavek = loadLayout(QStringLiteral("SeznamObjednavek"), sources, metrics, this).release();
    SeznamDodavatelu = loadLayout(QStringLiteral("SeznamDodavatelu"), sources, metrics, this).release();
}

TSestavy::~TSestavy() {
    if (Sestavy == this)
        Sestavy = nullptr;
}

} // namespace kv::print
