// Writes the benchmark orders database through the store's backend, many rows per statement.
#include "ordersdb.h"

#include "data/schema.h"
#include "data/schemaddl.h"
#include "data/store/collationkey.h"
#include "data/store/valueconv.h"

#include <QDir>
#include <QRandomGenerator>
#include <cstdio>

namespace kv::bench {
namespace {

constexpr int kRowsPerStatement = 200;

const char* const kColumns[] = {"Cislo",       "Datum",    "Termin_dod", "Zpusob_platby", "Doprava",
                                "Objednal",    "Email",    "Dod_firma",  "Dod_osoba",     "Dod_Obec",
                                "Dod_Telefon", "Vyrizena", "Stornovana", "Text",          "_k_Cislo"};

QString insertSql(int rows) {
    QStringList columns, row, all;
    for (const char* c : kColumns) {
        columns << store::Backend::quote(QLatin1String(c));
        row << QStringLiteral("?");
    }
    const QString one = QLatin1Char('(') + row.join(QLatin1String(", ")) + QLatin1Char(')');
    for (int i = 0; i < rows; ++i)
        all << one;
    return QLatin1String("INSERT INTO \"Kalmorvaty\" (") + columns.join(QLatin1String(", ")) +
           QLatin1String(") VALUES ") + all.join(QLatin1String(", "));
}

} // namespace

void fillOrders(store::Backend& backend, int rows) {
    data::createMissing(backend);
    store::Transaction tx(backend);
    const QString full = insertSql(kRowsPerStatement);
    QRandomGenerator rng(42);
    const QDate start(2020, 1, 1);
    QVariantList params;
    for (int i = 0; i < rows; ++i) {
        const QDate d = start.addDays(rng.bounded(2500));
        // The database takes a number once: the sequence is the row's own.
        const QString cislo = QStringLiteral("%1/%2/%3/JNO")
                                  .arg(d.year())
                                  .arg(d.month(), 2, 10, QLatin1Char('0'))
                                  .arg(i + 1, 5, 10, QLatin1Char('0'));
        const bool done = rng.bounded(10) < 7;
        params << cislo << store::toParam(store::FieldType::DateTime, store::dateTimeToStored(d.startOfDay()))
               << store::toParam(store::FieldType::DateTime,
                                 store::dateTimeToStored(d.addDays(14).startOfDay()))
               << QStringLiteral("Převodem") << QStringLiteral("Kurýr") << QStringLiteral("Ing. Jan Novák")
               << QStringLiteral("novak@example.cz") << QStringLiteral("Stavebniny Čížek s.r.o.")
               << QStringLiteral("Petr Čížek") << QStringLiteral("Hradec Králové")
               << QStringLiteral("495 123 456") << done << false
               << QStringLiteral("Objednáváme u Vás 20 ks cementu.\r\nDodání na stavbu.")
               << store::collationKey(cislo);
        const int pending = int(params.size() / std::size(kColumns));
        if (pending == kRowsPerStatement || i == rows - 1) {
            backend.execute(pending == kRowsPerStatement ? full : insertSql(pending), params);
            params.clear();
        }
    }
    tx.commit();
    backend.execute(QStringLiteral("ANALYZE"));
}

void fillOrders(const QString& folder, int rows) {
    QDir().mkpath(folder);
    store::ConnectParams p;
    p.folder = folder;
    p.database = QStringLiteral("Kalmorvaty");
    p.createMissing = true;
    fillOrders(*store::openBackend(p), rows);
}

OrdersStation::OrdersStation(const QString& folder, int rows)
    : OrdersStation(
          [&] {
              QDir().mkpath(folder);
              store::ConnectParams p;
              p.folder = folder;
              p.database = QStringLiteral("Kalmorvaty");
              p.createMissing = true;
              return p;
          }(),
          rows) {}

OrdersStation::OrdersStation(const store::ConnectParams& params, int rows) {
    std::printf("filling %d orders (%s)...\n", rows,
                params.protocol == store::ConnectParams::Protocol::TcpIp ? "PostgreSQL" : "SQLite");
    std::fflush(stdout);
    fillOrders(*store::openBackend(params), rows);
    transport.setProtocol(params.protocol);
    transport.setServerName(params.server);
    client.setUserName(params.user);
    client.setPassword(params.password);
    client.setActive(true);
    session.setFolder(params.folder);
    session.setDefaultDatabase(params.database);
    session.setActive(true);
    table.setDefinition(data::tableDef(QStringLiteral("Kalmorvaty")));
    table.setDatabaseName(params.database);
    table.open();
    source.setDataSet(&table);
}

} // namespace kv::bench
