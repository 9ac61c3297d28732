// Test print dialogs: the print dialog answers as the test chose (cancelled, or printed to a PDF
// file with a page range) and the printer setup dialog is counted. Installs itself while it lives.
#pragma once

#include "printchooser.h"

#include <QString>

namespace kv::report {

class ScriptedPrintChooser : public PrintChooser {
public:
    ScriptedPrintChooser();
    ~ScriptedPrintChooser() override;

    bool cancel = false;
    PrintChoice answer;
    QString file;            // the PDF file printed to
    int shownPageCount = -1; // the page count the last print dialog offered
    int setups = 0;          // printer setup dialogs shown

    bool choosePrint(QPrinter& printer, int pageCount, PrintChoice& choice, QWidget* parent) override;
    bool printerSetup(QPrinter& printer, QWidget* parent) override;
};

} // namespace kv::report
