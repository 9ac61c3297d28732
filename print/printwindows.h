// Start-up of the printing part and the one road every printout takes: the print preview window
// and the report container are created once at their place in the start-up order (after the
// orders filter, before the about window); callers then show a report in the preview.
#pragma once

#include <QString>

class QWidget;

namespace kv::report {
class TZirezIduzoz;
}

namespace kv::print {

// Creates FormNahledTisku and then Sestavy (over the data module DM), both owned by
// `mainWindow`; a second call changes nothing. Throws kv::report::ReportError without DM or when
// a report definition does not load.
void createPrintWindows(QWidget* mainWindow);

// Shows `report` in the print preview under `reportName` ("Objednávka", "Seznam objednávek",
// "Seznam dodavatelů"), with the program folder as the folder of exports, modally through the
// dialog seam; returns when the preview closes. The windows must have been created.
void showReport(kv::report::TZirezIduzoz* report, const QString& reportName);

} // namespace kv::print
