// Start-up of the printing part: the print preview window and the report container, created once
// at their place in the start-up order, after the orders filter and before the about window.
#pragma once

class QWidget;

namespace kv::print {

// Creates FormNahledTisku (owned by `mainWindow`) and then Sestavy (over the data module DM,
// owned by `mainWindow`); a second call changes nothing. DM must exist and be connected.
// Throws kv::report::ReportError when a report definition does not load.
void createPrintWindows(QWidget* mainWindow);

} // namespace kv::print
