// Showing the order form and the orders list in the preview.
#include "orderprinting.h"

#include "print/printwindows.h"
#include "print/sestavy.h"
#include "report/model/reporterror.h"

namespace kv::orders {
namespace {

print::TSestavy& reports() {
    if (!print::Sestavy)
        throw report::ReportError(QStringLiteral("Sestavy ještě nebyly vytvořeny."));
    return *print::Sestavy;
}

} // namespace

void showOrderForm() {
    print::showReport(reports().Objednavka, QStringLiteral("Objednávka"));
}

void showOrdersList() {
    print::showReport(reports().SeznamObjednavek, QStringLiteral("Seznam objednávek"));
}

} // namespace kv::orders
