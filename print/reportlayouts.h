// The three report layouts as definition files compiled into the program, and what loading them
// needs: the data sources of the data module by name and the sizing of auto-sized labels.
#pragma once

#include "report/model/reportdefinition.h"
#include "report/model/report.h"

#include <QStringList>
#include <memory>

namespace kv::data {
class TDM;
}

namespace kv::print {

// "Objednavka", "SeznamObjednavek", "SeznamDodavatelu": the names of the layouts, in the order
// of the container's tab sheets.
const QStringList& layoutNames();

// The data sources of `dm` under the names the definitions use (DSKalmorvaty, DSSystem, ...).
kv::report::DataSources dataSources(kv::data::TDM& dm);

// Loads the layout `name` from the compiled-in definitions with `metrics` and sizes its auto-sized
// labels by them. Throws kv::report::ReportError for an unknown name or a faulty definition.
std::unique_ptr<kv::report::Report> loadLayout(const QString& name,
                                                     const kv::report::DataSources& sources,
                                                     const kv::report::ReportMetrics& metrics,
                                                     QObject* parent = nullptr);

// Gives every label that is not of fixed size the size of its caption in its font (the widest
// line by the number of lines). A right-justified label keeps its right edge, any other its left
// edge. Text is measured with the report's own measurer.
void fitLabelsToCaptions(kv::report::Report& report);

} // namespace kv::print
