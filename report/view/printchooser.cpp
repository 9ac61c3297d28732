// The system print dialog and the printer setup dialog behind the print seam, the setup of a
// printer, and the printed page range.
#include "printchooser.h"

#include "printersetupdialog.h"

#include "ui/dialogs.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <algorithm>

namespace kv::report {

PrinterSetupChoice setupOf(const QPrinter& printer) {
    PrinterSetupChoice c;
    if (printer.outputFormat() == QPrinter::NativeFormat)
        c.printer = printer.printerName();
    const QPageLayout layout = printer.pageLayout();
    c.paper = layout.pageSize().id();
    c.orientation = layout.orientation();
    return c;
}

void applySetup(QPrinter& printer, const PrinterSetupChoice& choice) {
    if (choice.printer.isEmpty() || !QPrinterInfo::availablePrinterNames().contains(choice.printer)) {
        printer.setOutputFormat(QPrinter::PdfFormat);
    } else {
        printer.setOutputFormat(QPrinter::NativeFormat);
        printer.setPrinterName(choice.printer);
    }
    printer.setPageSize(QPageSize(choice.paper));
    printer.setPageOrientation(choice.orientation);
}

std::pair<int, int> printedPages(const PrintChoice& choice, int pageCount, int currentPage) {
    int first = 1;
    int last = pageCount;
    if (choice.range == PrintChoice::Selection) {
        first = last = currentPage;
    } else if (choice.range == PrintChoice::PageRange) {
        first = choice.from;
        last = choice.to;
    }
    return {std::max(first, 1), std::min(last, pageCount)};
}

namespace {

class SystemPrintChooser : public PrintChooser {
public:
    bool choosePrint(QPrinter& printer, int pageCount, PrintChoice& choice, QWidget* parent) override {
        QPrintDialog dialog(&printer, parent);
        dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange |
                          QAbstractPrintDialog::PrintSelection);
        dialog.setMinMax(1, std::max(pageCount, 1));
        dialog.setFromTo(1, std::max(pageCount, 1));
        if (kv::ui::dialogs().showModal(dialog) != QDialog::Accepted)
            return false;
        switch (dialog.printRange()) {
        case QAbstractPrintDialog::Selection:
            choice.range = PrintChoice::Selection;
            break;
        case QAbstractPrintDialog::PageRange:
            choice.range = PrintChoice::PageRange;
            choice.from = dialog.fromPage();
            choice.to = dialog.toPage();
            break;
        default:
            choice.range = PrintChoice::All;
            break;
        }
        return true;
    }

    bool printerSetup(PrinterSetupChoice& choice, QWidget* parent) override {
        PrinterSetupDialog dialog(QPrinterInfo::availablePrinterNames(), choice, parent);
        if (kv::ui::dialogs().showModal(dialog) != QDialog::Accepted)
            return false;
        choice = dialog.choice();
        return true;
    }
};

PrintChooser* installed = nullptr;

} // namespace

PrintChooser& printChooser() {
    if (installed)
        return *installed;
    static SystemPrintChooser system;
    return system;
}

void setPrintChooser(PrintChooser* c) {
    installed = c;
}

} // namespace kv::report
