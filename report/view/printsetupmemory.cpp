// The user's printing choices per report and for the run.
#include "printsetupmemory.h"

#include <algorithm>

namespace kv::report {

QPageSize::PageSizeId reportPaper(PaperFormat size) {
    switch (size) {
    case A3:
        return QPageSize::A3;
    case A5:
        return QPageSize::A5;
    case B4:
        return QPageSize::B4;
    case B5:
        return QPageSize::JisB5;
    case A4:
        break;
    }
    return QPageSize::A4;
}

PrinterSetupChoice PrintSetupMemory::startingChoice(Report* report,
                                                    const QString& defaultPrinter) const {
    PrinterSetupChoice c;
    c.printer = printer_.value_or(defaultPrinter);
    const auto page = std::find_if(pages_.begin(), pages_.end(),
                                   [&](const PageChoice& p) { return p.report && p.report == report; });
    if (page != pages_.end()) {
        c.paper = page->paper;
        c.orientation = page->orientation;
    } else if (report) {
        c.paper = reportPaper(report->printer().paperSize());
        c.orientation =
            report->printer().orientation() == poLandscape ? QPageLayout::Landscape : QPageLayout::Portrait;
    }
    return c;
}

void PrintSetupMemory::chosenInSetup(Report* report, const PrinterSetupChoice& choice) {
    printer_ = choice.printer;
    rememberPage(report, choice);
}

void PrintSetupMemory::chosenInPrintDialog(Report* report, const PrinterSetupChoice& choice) {
    if (!choice.printer.isEmpty())
        printer_ = choice.printer;
    rememberPage(report, choice);
}

void PrintSetupMemory::rememberPage(Report* report, const PrinterSetupChoice& choice) {
    // Reports that went away leave their place.
    pages_.erase(std::remove_if(pages_.begin(), pages_.end(), [](const PageChoice& p) { return !p.report; }),
                 pages_.end());
    if (!report)
        return;
    const auto page =
        std::find_if(pages_.begin(), pages_.end(), [&](const PageChoice& p) { return p.report == report; });
    if (page != pages_.end()) {
        page->paper = choice.paper;
        page->orientation = choice.orientation;
    } else {
        pages_.push_back({report, choice.paper, choice.orientation});
    }
}

} // namespace kv::report
