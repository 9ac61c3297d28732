// The scripted print dialogs tests install in place of the real ones.
#include "scriptedprintchooser.h"

#include <QPrinter>

namespace kv::report {

ScriptedPrintChooser::ScriptedPrintChooser() {
    setPrintChooser(this);
}
ScriptedPrintChooser::~ScriptedPrintChooser() {
    setPrintChooser(nullptr);
}

bool ScriptedPrintChooser::choosePrint(QPrinter& printer, int pageCount, PrintChoice& choice, QWidget*) {
    shownPageCount = pageCount;
    printedAt = setupOf(printer);
    if (cancel)
        return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    choice = answer;
    return true;
}

bool ScriptedPrintChooser::printerSetup(PrinterSetupChoice& choice, QWidget*) {
    ++setups;
    shownSetup = choice;
    if (!setupAnswer)
        return false;
    choice = *setupAnswer;
    return true;
}

} // namespace kv::report
