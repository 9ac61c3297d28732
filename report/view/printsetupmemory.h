// What the user chose for printing, kept while the program runs: the printer for every report,
// and the paper and orientation of each report. A report the user has not set up starts from its
// own paper and orientation; a choice once made holds for every later print.
#pragma once

#include "printchooser.h"

#include "report/model/report.h"

#include <QPointer>
#include <optional>
#include <vector>

namespace kv::report {

// The paper of a report's own setting (its B5 of 184 x 257 mm is the nearest standard, JIS B5).
QPageSize::PageSizeId reportPaper(PaperFormat size);

class PrintSetupMemory {
public:
    // The setup a print or a setup dialog of `report` starts from; `defaultPrinter` while the
    // user has chosen none.
    PrinterSetupChoice startingChoice(Report* report, const QString& defaultPrinter) const;
    // The printer setup dialog was confirmed with `choice` (a PDF file is a choice of printer too).
    void chosenInSetup(Report* report, const PrinterSetupChoice& choice);
    // The print dialog was confirmed and the printer stood at `choice`: its paper and orientation
    // hold; its printer only when it was one (printing to a file once changes no printer).
    void chosenInPrintDialog(Report* report, const PrinterSetupChoice& choice);

private:
    struct PageChoice {
        QPointer<Report> report;
        QPageSize::PageSizeId paper;
        QPageLayout::Orientation orientation;
    };
    void rememberPage(Report* report, const PrinterSetupChoice& choice);

    std::optional<QString> printer_;
    std::vector<PageChoice> pages_;
};

} // namespace kv::report
