// The system print dialogs behind the print seam, and the printed page range.
#include "printchooser.h"

#include "ui/dialogs.h"

#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <algorithm>

namespace kv::report {

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

    bool printerSetup(QPrinter& printer, QWidget* parent) override {
        QPageSetupDialog dialog(&printer, parent);
        return kv::ui::dialogs().showModal(dialog) == QDialog::Accepted;
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
