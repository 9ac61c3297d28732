// Test print dialogs: the print dialog answers as the test chose (cancelled, or printed to a PDF
// file with a page range) and notes the setup the printer stood at; the printer setup dialog notes
// what it was shown and answers with the test's choice. Installs itself while it lives.
#pragma once

#include "printchooser.h"

#include <QString>
#include <optional>

namespace kv::report {

class ScriptedPrintChooser : public PrintChooser {
public:
    ScriptedPrintChooser();
    ~ScriptedPrintChooser() override;

    bool cancel = false;
    PrintChoice answer;
    QString file;                 // the PDF file printed to
    int shownPageCount = -1;      // the page count the last print dialog offered
    PrinterSetupChoice printedAt; // the printer's setup when the last print dialog opened

    // The setup dialog's answer: the choice to confirm, or none to cancel.
    std::optional<PrinterSetupChoice> setupAnswer;
    int setups = 0;                // printer setup dialogs shown
    PrinterSetupChoice shownSetup; // what the last one was shown

    bool choosePrint(QPrinter& printer, int pageCount, PrintChoice& choice, QWidget* parent) override;
    bool printerSetup(PrinterSetupChoice& choice, QWidget* parent) override;
};

} // namespace kv::report
