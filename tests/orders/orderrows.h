// Orders written for the orders tests with exactly the dates and flags a test needs.
#pragma once

#include "data/store/table.h"

#include <QDateTime>
#include <QString>

namespace kv::test {

struct OrderRow {
    QString cislo;
    QDate datum = QDate(2026, 12, 1);
    QDate terminDod = QDate(2026, 12, 15);
    bool vyrizena = false;
    bool stornovana = false;
    QDateTime vyrizenaDne; // invalid: empty
    QString text = QStringLiteral("Objednáváme 20 ks cementu.");
};

// An open order issued on 1.12.2026, due on `due`.
OrderRow openOrder(const QString& cislo, const QDate& due = QDate(2026, 12, 15));
// A completed (or cancelled) order settled at `at`.
OrderRow settledOrder(const QString& cislo, const QDateTime& at, bool cancelled = false,
                      const QDate& due = QDate(2026, 12, 15));

// Appends `row` to `orders` and posts it; the cursor stays on the new order.
void addOrder(store::Table& orders, const OrderRow& row);

} // namespace kv::test
