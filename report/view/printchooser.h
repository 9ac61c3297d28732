// The print and printer-setup dialogs of the preview, behind one seam: the program shows the
// system print dialog and its own printer setup dialog (modally through the dialog seam), tests
// install a chooser that picks the range, the output file and the setup without a window.
#pragma once

#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <utility>

class QPrinter;
class QWidget;

namespace kv::report {

struct PrintChoice {
    enum Range { All, Selection, PageRange };
    Range range = All;
    int from = 1; // PageRange only, pages from 1
    int to = 1;
};

// What the printer setup chooses: the printer, the paper and its orientation.
struct PrinterSetupChoice {
    QString printer; // a printer's name; empty prints to a PDF file named in the print dialog
    QPageSize::PageSizeId paper = QPageSize::A4;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    bool operator==(const PrinterSetupChoice&) const = default;
};

// The setup `printer` stands at, and `printer` set to `choice` (a printer the system does not know
// leaves it printing to a PDF file).
PrinterSetupChoice setupOf(const QPrinter& printer);
void applySetup(QPrinter& printer, const PrinterSetupChoice& choice);

// First and last page to print; an empty range (first > last) prints nothing. The selection is
// the shown page; a page range is limited to the document.
std::pair<int, int> printedPages(const PrintChoice& choice, int pageCount, int currentPage);

class PrintChooser {
public:
    virtual ~PrintChooser() = default;
    // Shows the print dialog for `printer` (print to file, page numbers and selection offered;
    // pages 1 to pageCount, all preset). False when cancelled; otherwise the choice is filled and
    // the printer holds the chosen device or file.
    virtual bool choosePrint(QPrinter& printer, int pageCount, PrintChoice& choice, QWidget* parent) = 0;
    // The printer setup dialog, showing `choice` and the system's printers; false when cancelled,
    // otherwise `choice` holds what the user chose.
    virtual bool printerSetup(PrinterSetupChoice& choice, QWidget* parent) = 0;
};

// The chooser in force: the system dialogs unless a test installed another.
PrintChooser& printChooser();
// Installs `c` (not owned); nullptr returns to the system dialogs.
void setPrintChooser(PrintChooser* c);

} // namespace kv::report
