// The table store against the raw engine on an orders table of --rows orders: each operation of the
// store runs beside the same SQL through SQLite's C API with its statement prepared once and kept.
#include "benchcase.h"
#include "ordersdb.h"
#include "rawsqlite.h"

#include "data/schema.h"
#include "data/store/client.h"
#include "data/store/collationkey.h"
#include "data/store/session.h"
#include "data/store/sqlitebackend.h"
#include "data/store/table.h"
#include "data/store/valueconv.h"

#include <QDir>
#include <malloc.h>
#include <sqlite3.h>

namespace kv::bench {
namespace {

const char* kColumns =
    "\"_id\", \"_k_Cislo\", \"Cislo\", \"Datum\", \"Termin_dod\", \"Zpusob_platby\", \"Doprava\", "
    "\"Objednal\", \"Funkce\", \"Telefon\", \"Email\", \"Dod_firma\", \"Dod_osoba\", \"Dod_ulice\", "
    "\"Dod_Obec\", \"Dod_PSC\", \"Dod_Telefon\", \"Dod_email\", \"Vyrizena\", \"Stornovana\", \"Text\", "
    "\"Vyrizena_dne\"";

qint64 stored(const QDate& d) {
    return store::dateTimeToStored(QDateTime(d, QTime(0, 0)));
}

QByteArray select(const char* where, const char* order) {
    return QByteArray("SELECT ") + kColumns + " FROM \"Kalmorvaty\"" +
           (where[0] ? QByteArray(" WHERE ") + where : QByteArray()) + " ORDER BY " + order + " LIMIT ?";
}

} // namespace

KV_BENCH_CASE("store") {
    const QString folder = options.workDir + QLatin1String("/store/");
    QDir().mkpath(folder);
    OrdersStation station(folder, options.rows);
    RawSqlite raw(store::SqliteBackend::databasePath(folder, QStringLiteral("Kalmorvaty")));
    store::Table& t = station.table;
    store::Session& session = station.session;

    const char* asc = "\"_k_Cislo\", \"_id\"";
    const char* desc = "\"_k_Cislo\" DESC, \"_id\" DESC";
    sqlite3_stmt* rawFirst = raw.prepare(select("", asc));
    report(QStringLiteral("open orders table"),
           timeMs(
               [&] {
                   t.close();
                   t.open();
               },
               20),
           timeMs([&] { RawSqlite::run(rawFirst); }, 20));

    sqlite3_stmt* rawOpen = raw.prepare(select("\"Vyrizena\" = ?", asc));
    sqlite3_stmt* rawRange = raw.prepare(select("\"Datum\" >= ? AND \"Datum\" <= ?", asc));
    const QString open = QStringLiteral("Vyrizena='False'");
    const QString range = QStringLiteral("Datum >= '1.3.2024' AND Datum <= '31.3.2024'");
    t.setFiltered(true);
    report(QStringLiteral("filter Vyrizena='False'"),
           timeMs(
               [&] {
                   t.setFilter(QString());
                   t.setFilter(open);
               },
               20),
           timeMs(
               [&] {
                   RawSqlite::run(rawFirst);
                   sqlite3_bind_int64(rawOpen, 1, 0);
                   RawSqlite::run(rawOpen);
               },
               20));
    report(QStringLiteral("switch to date range filter"),
           timeMs(
               [&] {
                   t.setFilter(open);
                   t.setFilter(range);
               },
               20),
           timeMs(
               [&] {
                   sqlite3_bind_int64(rawOpen, 1, 0);
                   RawSqlite::run(rawOpen);
                   sqlite3_bind_int64(rawRange, 1, stored(QDate(2024, 3, 1)));
                   sqlite3_bind_int64(rawRange, 2, stored(QDate(2024, 3, 31)));
                   RawSqlite::run(rawRange);
               },
               20));
    t.setFiltered(false);

    sqlite3_stmt* rawLast = raw.prepare(select("", desc));
    report(QStringLiteral("first"), timeMs([&] { t.first(); }, 50),
           timeMs([&] { RawSqlite::run(rawFirst); }, 50));
    report(QStringLiteral("last"), timeMs([&] { t.last(); }, 50),
           timeMs([&] { RawSqlite::run(rawLast); }, 50));

    const int steps = std::min(100000, options.rows - 1);
    sqlite3_stmt* rawWalk =
        raw.prepare(QByteArray("SELECT ") + kColumns + " FROM \"Kalmorvaty\" ORDER BY " + asc);
    const double oursWalk = timeMs(
        [&] {
            t.first();
            for (int i = 0; i < steps; ++i)
                t.next();
        },
        3);
    const double rawWalkMs = timeMs([&] { RawSqlite::run(rawWalk, steps + 1); }, 3);
    report(QStringLiteral("next x%1 (per step)").arg(steps), oursWalk / steps, rawWalkMs / (steps + 1));
    const double oursBack = timeMs(
        [&] {
            t.last();
            for (int i = 0; i < steps; ++i)
                t.prior();
        },
        3);
    sqlite3_stmt* rawBack =
        raw.prepare(QByteArray("SELECT ") + kColumns + " FROM \"Kalmorvaty\" ORDER BY " + desc);
    report(QStringLiteral("prior x%1 (per step)").arg(steps), oursBack / steps,
           timeMs([&] { RawSqlite::run(rawBack, steps + 1); }, 3) / (steps + 1));

    t.moveTo(options.rows / 3);
    const QString wanted = t.fieldByName(QStringLiteral("Cislo")).asString();
    sqlite3_stmt* rawLocate = raw.prepare(select("\"_k_Cislo\" = ? AND \"Cislo\" = ?", asc));
    const QByteArray wantedKey = store::collationKey(wanted), wantedUtf8 = wanted.toUtf8();
    report(QStringLiteral("locate Cislo"), timeMs([&] { t.locate(QStringLiteral("Cislo"), wanted); }, 20),
           timeMs(
               [&] {
                   sqlite3_bind_blob(rawLocate, 1, wantedKey.constData(), int(wantedKey.size()),
                                     SQLITE_STATIC);
                   sqlite3_bind_text(rawLocate, 2, wantedUtf8.constData(), int(wantedUtf8.size()),
                                     SQLITE_STATIC);
                   RawSqlite::run(rawLocate);
               },
               20));

    sqlite3_stmt* rawCount = raw.prepare("SELECT COUNT(*) FROM \"Kalmorvaty\" WHERE \"Vyrizena\" = ?");
    t.setFilter(open);
    t.setFiltered(true);
    report(QStringLiteral("record count, filtered"),
           timeMs(
               [&] {
                   t.refresh();
                   t.recordCount();
               },
               5),
           timeMs(
               [&] {
                   sqlite3_bind_int64(rawCount, 1, 0);
                   RawSqlite::run(rawCount);
               },
               5));
    t.setFiltered(false);

    // Memory held by the cursor after walking the whole table. A raw statement holds one row, so the
    // baseline printed here is the budget for a million rows, 64 MB: the ratio is the share used.
    const size_t before = mallinfo2().uordblks;
    store::Table walker(session, QStringLiteral("Kalmorvaty"));
    walker.setDefinition(data::tableDef(QStringLiteral("Kalmorvaty")));
    walker.open();
    while (!walker.eof())
        walker.next();
    const double held = double(mallinfo2().uordblks - before) / (1024.0 * 1024.0);
    report(QStringLiteral("cursor memory after walking %1 rows (baseline: 64 MB budget)").arg(options.rows),
           held, 64.0, "MB");
}

} // namespace kv::bench
