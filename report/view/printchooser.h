// The print and printer-setup dialogs of the preview, behind one seam: the program shows the
// system dialogs (modally through the dialog seam), tests install a chooser that picks the range
// and the output file without a window.
#pragma once

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
    // The printer setup dialog; false when cancelled.
    virtual bool printerSetup(QPrinter& printer, QWidget* parent) = 0;
};

// The chooser in force: the system dialogs unless a test installed another.
PrintChooser& printChooser();
// Installs `c` (not owned); nullptr returns to the system dialogs.
void setPrintChooser(PrintChooser* c);

} // namespace kv::report
