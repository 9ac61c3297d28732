// Writing the orders tests' orders.
#include "orderrows.h"

namespace kv::test {

OrderRow openOrder(const QString& cislo, const QDate& due) {
    OrderRow r;
    r.cislo = cislo;
    r.terminDod = due;
    return r;
}

OrderRow settledOrder(const QString& cislo, const QDateTime& at, bool cancelled, const QDate& due) {
    OrderRow r = openOrder(cislo, due);
    r.vyrizena = true;
    r.stornovana = cancelled;
    r.vyrizenaDne = at;
    return r;
}

void addOrder(store::Table& orders, const OrderRow& row) {
    orders.append();
    orders.fieldByName(QStringLiteral("Cislo")).setAsString(row.cislo);
    orders.fieldByName(QStringLiteral("Datum")).setAsDateTime(QDateTime(row.datum, QTime(0, 0)));
    orders.fieldByName(QStringLiteral("Termin_dod")).setAsDateTime(QDateTime(row.terminDod, QTime(0, 0)));
    orders.fieldByName(QStringLiteral("Dod_firma")).setAsString(QStringLiteral("Stavebniny Čížek s.r.o."));
    orders.fieldByName(QStringLiteral("Vyrizena")).setAsBoolean(row.vyrizena);
    orders.fieldByName(QStringLiteral("Stornovana")).setAsBoolean(row.stornovana);
    if (row.vyrizenaDne.isValid())
        orders.fieldByName(QStringLiteral("Vyrizena_dne")).setAsDateTime(row.vyrizenaDne);
    orders.fieldByName(QStringLiteral("Text")).setAsString(row.text);
    orders.post();
}

} // namespace kv::test
