// Writes the benchmark orders database straight through SQLite.
#include "ordersdb.h"

#include "data/schema.h"
#include "data/schemaddl.h"
#include "data/store/collationkey.h"
#include "data/store/sqlitebackend.h"
#include "data/store/valueconv.h"

#include <QDir>
#include <QRandomGenerator>
#include <cstdio>
#include <sqlite3.h>

namespace kv::bench {

void fillOrders(const QString& folder, int rows) {
    QDir().mkpath(folder);
    store::ConnectParams p;
    p.folder = folder;
    p.database = QStringLiteral("Kalmorvaty");
    p.createMissing = true;
    data::createMissing(*store::openBackend(p));

    sqlite3* db = nullptr;
    sqlite3_open(store::SqliteBackend::databasePath(folder, p.database).toUtf8().constData(), &db);
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* ins = nullptr;
    sqlite3_prepare_v2(
        db,
        "INSERT INTO \"Kalmorvaty\" (\"Cislo\", \"Datum\", \"Termin_dod\", \"Zpusob_platby\", \"Doprava\", "
        "\"Objednal\", \"Email\", \"Dod_firma\", \"Dod_osoba\", \"Dod_Obec\", \"Dod_Telefon\", "
        "\"Vyrizena\", \"Stornovana\", \"Text\", \"_k_Cislo\") VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)",
        -1, &ins, nullptr);
    QRandomGenerator rng(42);
    const QDate start(2020, 1, 1);
    for (int i = 0; i < rows; ++i) {
        const QDate d = start.addDays(rng.bounded(2500));
        const QByteArray cislo = QStringLiteral("%1/%2/%3/JNO")
                                     .arg(d.year())
                                     .arg(d.month(), 2, 10, QLatin1Char('0'))
                                     .arg(rng.bounded(100000), 5, 10, QLatin1Char('0'))
                                     .toUtf8();
        const QByteArray key = store::collationKey(QString::fromUtf8(cislo));
        const qint64 issued = store::dateTimeToStored(QDateTime(d, QTime(0, 0)));
        const qint64 due = store::dateTimeToStored(QDateTime(d.addDays(14), QTime(0, 0)));
        sqlite3_bind_text(ins, 1, cislo.constData(), int(cislo.size()), SQLITE_TRANSIENT);
        sqlite3_bind_int64(ins, 2, issued);
        sqlite3_bind_int64(ins, 3, due);
        sqlite3_bind_text(ins, 4, "Převodem", -1, SQLITE_STATIC);
        sqlite3_bind_text(ins, 5, "Kurýr", -1, SQLITE_STATIC);
        sqlite3_bind_text(ins, 6, "Ing. Jan Novák", -1, SQLITE_STATIC);
        sqlite3_bind_text(ins, 7, "novak@example.cz", -1, SQLITE_STATIC);
        sqlite3_bind_text(ins, 8, "Stavebniny Čížek s.r.o.", -1, SQLITE_STATIC);
        sqlite3_bind_text(ins, 9, "Petr Čížek", -1, SQLITE_STATIC);
        sqlite3_bind_text(ins, 10, "Hradec Králové", -1, SQLITE_STATIC);
        sqlite3_bind_text(ins, 11, "495 123 456", -1, SQLITE_STATIC);
        sqlite3_bind_int64(ins, 12, rng.bounded(10) < 7 ? 1 : 0);
        sqlite3_bind_int64(ins, 13, 0);
        sqlite3_bind_text(ins, 14, "Objednáváme u Vás 20 ks cementu.\r\nDodání na stavbu.", -1,
                          SQLITE_STATIC);
        sqlite3_bind_blob(ins, 15, key.constData(), int(key.size()), SQLITE_TRANSIENT);
        sqlite3_step(ins);
        sqlite3_reset(ins);
    }
    sqlite3_finalize(ins);
    sqlite3_exec(db, "COMMIT; ANALYZE", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

OrdersStation::OrdersStation(const QString& folder, int rows) {
    std::printf("filling %d orders...\n", rows);
    std::fflush(stdout);
    fillOrders(folder, rows);
    client.setActive(true);
    session.setFolder(folder);
    session.setDefaultDatabase(QStringLiteral("Kalmorvaty"));
    session.setActive(true);
    table.setDefinition(data::tableDef(QStringLiteral("Kalmorvaty")));
    table.setDatabaseName(QStringLiteral("Kalmorvaty"));
    table.open();
    source.setDataSet(&table);
}

} // namespace kv::bench
