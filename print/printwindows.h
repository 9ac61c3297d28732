// Start-up of the printing part and the one road every printout takes. The start-up sequence
// creates the print preview window and then the report container with the two factories below,
// at their place in the creation order (after the orders filter, before the about window);
// callers then show a report in the preview.
#pragma once

#include "reportdocument.h"

#include <QObject>
#include <QString>
#include <memory>

namespace kv::report {
class Report;
}

namespace kv::print {

// The print preview window, hidden; FormNahledTisku points at it while it lives.
std::unique_ptr<QObject> createPrintPreview();
// The report container over the data module DM; Sestavy points at it while it lives. Throws
// kv::report::ReportError without DM or when a report definition does not load.
std::unique_ptr<QObject> createReportContainer();

// Shows `report` in the print preview under `reportName` ("Objednávka", "Seznam objednávek",
// "Seznam dodavatelů"), with the program folder as the folder of exports, modally through the
// dialog seam; returns when the preview closes. `document` tells an order form's number and
// supplier address; the firm's name is taken from the settings. Throws kv::report::ReportError when
// the preview has not been created.
void showReport(kv::report::Report* report, const QString& reportName, ReportDocument document = {});

} // namespace kv::print
