// Showing the order form and the orders list in the preview.
#include "orderprinting.h"

#include "data/datmod.h"
#include "print/ordertextbox.h"
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
    print::ReportDocument order;
    // The form prints the orders table's current order; the mail goes to its supplier.
    if (data::DM && data::DM->tabKalmorvaty.isOpen() && !data::DM->tabKalmorvaty.isEmpty()) {
        store::Table& orders = data::DM->tabKalmorvaty;
        order.number = orders.fieldByName(QStringLiteral("Cislo")).asString();
        order.recipient = orders.fieldByName(QStringLiteral("Dod_email")).asString().trimmed();
    }
    print::showReport(reports().Objednavka, QStringLiteral("Objednávka"), order);
}

void showOrdersList() {
    print::showReport(reports().SeznamObjednavek, QStringLiteral("Seznam objednávek"));
}

int orderFormLines(const QString& text) {
    return print::orderTextLines(print::Sestavy ? print::Sestavy->Objednavka : nullptr, text);
}

} // namespace kv::orders
