// The table store against the raw engine on an orders table of --rows orders: each operation of the
// store runs beside the same SQL through the engine's own C library with its statement prepared once
// and kept. Group "store" runs on SQLite, and on PostgreSQL too when KV_TEST_PG names a server (the
// throwaway one of tools/pgtemp.sh): there each line is followed by the round trips per operation.
#include "benchcase.h"
#include "ordersdb.h"
#include "rawengine.h"

#include "data/schema.h"
#include "data/store/collationkey.h"
#include "data/store/sqlitebackend.h"
#include "data/store/valueconv.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>
#include <malloc.h>

namespace kv::bench {
namespace {

const char* kColumns =
    "\"_id\", \"_k_Cislo\", \"Cislo\", \"Datum\", \"Termin_dod\", \"Zpusob_platby\", \"Doprava\", "
    "\"Objednal\", \"Funkce\", \"Telefon\", \"Email\", \"Dod_firma\", \"Dod_osoba\", \"Dod_ulice\", "
    "\"Dod_Obec\", \"Dod_PSC\", \"Dod_Telefon\", \"Dod_email\", \"Vyrizena\", \"Stornovana\", \"Text\", "
    "\"Vyrizena_dne\"";
const char* kAsc = "\"_k_Cislo\", \"_id\"";
const char* kDesc = "\"_k_Cislo\" DESC, \"_id\" DESC";

QByteArray select(const char* where, const char* order) {
    return QByteArray("SELECT ") + kColumns + " FROM \"Kalmorvaty\"" +
           (where[0] ? QByteArray(" WHERE ") + where : QByteArray()) + " ORDER BY " + order + " LIMIT ?";
}

QVariant midnight(const QDate& d) {
    return store::toParam(store::FieldType::DateTime, store::dateTimeToStored(d.startOfDay()));
}

// Runs the operations on one engine. `label` prefixes every line; `trips` adds the round-trip lines.
void measure(const QString& label, OrdersStation& station, RawEngine& raw, int rows, bool trips) {
    store::Table& t = station.table;
    store::Backend& backend = station.backend();
    auto line = [&](const QString& name, double ours, double baseline, const std::function<void()>& oursOnce,
                    const std::function<void()>& rawOnce, int operations = 1) {
        report(label + name, ours, baseline);
        if (!trips)
            return;
        const quint64 before = backend.roundTrips(), rawBefore = raw.roundTrips();
        oursOnce();
        const double o = double(backend.roundTrips() - before) / operations;
        rawOnce();
        const double r = double(raw.roundTrips() - rawBefore) / operations;
        std::printf("%s: round trips per operation %.3f, baseline %.3f\n", qPrintable(label + name), o, r);
        std::fflush(stdout);
    };
    auto timed = [](const std::function<void()>& work, int repeats) { return timeMs(work, repeats); };

    const int rawFirst = raw.prepare(select("", kAsc));
    auto openTable = [&] {
        t.close();
        t.open();
    };
    auto rawOpen = [&] { raw.run(rawFirst, {}); };
    line(QStringLiteral("open orders table"), timed(openTable, 20), timed(rawOpen, 20), openTable, rawOpen);

    const int rawOpenOrders = raw.prepare(select("\"Vyrizena\" = ?", kAsc));
    const int rawRange = raw.prepare(select("\"Datum\" >= ? AND \"Datum\" <= ?", kAsc));
    const QString open = QStringLiteral("Vyrizena='False'");
    const QString range = QStringLiteral("Datum >= '1.3.2024' AND Datum <= '31.3.2024'");
    const QVariantList rangeParams{midnight(QDate(2024, 3, 1)), midnight(QDate(2024, 3, 31))};
    t.setFiltered(true);
    auto filterOpen = [&] {
        t.setFilter(QString());
        t.setFilter(open);
    };
    auto rawFilterOpen = [&] {
        raw.run(rawFirst, {});
        raw.run(rawOpenOrders, {false});
    };
    line(QStringLiteral("filter Vyrizena='False'"), timed(filterOpen, 20), timed(rawFilterOpen, 20),
         filterOpen, rawFilterOpen);
    auto switchRange = [&] {
        t.setFilter(open);
        t.setFilter(range);
    };
    auto rawSwitchRange = [&] {
        raw.run(rawOpenOrders, {false});
        raw.run(rawRange, rangeParams);
    };
    line(QStringLiteral("switch to date range filter"), timed(switchRange, 20), timed(rawSwitchRange, 20),
         switchRange, rawSwitchRange);
    t.setFiltered(false);

    const int rawLast = raw.prepare(select("", kDesc));
    auto first = [&] { t.first(); };
    auto last = [&] { t.last(); };
    auto rawLastRow = [&] { raw.run(rawLast, {}); };
    line(QStringLiteral("first"), timed(first, 50), timed(rawOpen, 50), first, rawOpen);
    line(QStringLiteral("last"), timed(last, 50), timed(rawLastRow, 50), last, rawLastRow);

    const int steps = std::min(100000, rows - 1);
    const int rawWalk = raw.prepare(select("", kAsc));
    const int rawBack = raw.prepare(select("", kDesc));
    auto walk = [&] {
        t.first();
        for (int i = 0; i < steps; ++i)
            t.next();
    };
    auto rawWalkAll = [&] { raw.run(rawWalk, {}, steps + 1); };
    line(QStringLiteral("next x%1 (per step)").arg(steps), timed(walk, 3) / steps,
         timed(rawWalkAll, 3) / (steps + 1), walk, rawWalkAll, steps);
    auto back = [&] {
        t.last();
        for (int i = 0; i < steps; ++i)
            t.prior();
    };
    auto rawBackAll = [&] { raw.run(rawBack, {}, steps + 1); };
    line(QStringLiteral("prior x%1 (per step)").arg(steps), timed(back, 3) / steps,
         timed(rawBackAll, 3) / (steps + 1), back, rawBackAll, steps);

    t.moveTo(rows / 3);
    const QString wanted = t.fieldByName(QStringLiteral("Cislo")).asString();
    const int rawLocate = raw.prepare(select("\"_k_Cislo\" = ? AND \"Cislo\" = ?", kAsc));
    auto locate = [&] { t.locate(QStringLiteral("Cislo"), wanted); };
    auto rawLocateRow = [&] { raw.run(rawLocate, {store::collationKey(wanted), wanted}); };
    line(QStringLiteral("locate Cislo"), timed(locate, 20), timed(rawLocateRow, 20), locate, rawLocateRow);

    const int rawCount = raw.prepare("SELECT COUNT(*) FROM \"Kalmorvaty\" WHERE \"Vyrizena\" = ?");
    t.setFilter(open);
    t.setFiltered(true);
    auto count = [&] {
        t.refresh();
        t.recordCount();
    };
    auto rawCountRows = [&] { raw.run(rawCount, {false}); };
    line(QStringLiteral("record count, filtered"), timed(count, 5), timed(rawCountRows, 5), count,
         rawCountRows);
    t.setFiltered(false);

    // Memory held by the cursor after walking the whole table. A raw statement holds one row, so the
    // baseline printed here is the budget for a million rows, 64 MB: the ratio is the share used.
    const size_t before = mallinfo2().uordblks;
    store::Table walker(station.session, QStringLiteral("Kalmorvaty"));
    walker.setDefinition(data::tableDef(QStringLiteral("Kalmorvaty")));
    walker.setDatabaseName(station.session.defaultDatabase());
    walker.open();
    while (!walker.eof())
        walker.next();
    const double held = double(mallinfo2().uordblks - before) / (1024.0 * 1024.0);
    report(label + QStringLiteral("cursor memory after walking %1 rows (baseline: 64 MB budget)").arg(rows),
           held, 64.0, "MB");
}

// A database of its own on the server KV_TEST_PG names, dropped again at the end.
class ServerDatabase {
public:
    ServerDatabase() {
        const QString conninfo = QString::fromLocal8Bit(qgetenv("KV_TEST_PG"));
        for (const QString& part : conninfo.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const QString key = part.section(QLatin1Char('='), 0, 0),
                          value = part.section(QLatin1Char('='), 1);
            if (key == QLatin1String("host"))
                host_ = value;
            else if (key == QLatin1String("port"))
                port_ = value;
            else if (key == QLatin1String("user"))
                params.user = value;
        }
        params.protocol = store::ConnectParams::Protocol::TcpIp;
        params.server = host_ + (port_.isEmpty() ? QString() : QLatin1Char(':') + port_);
        params.database = QStringLiteral("kvbench_%1").arg(QCoreApplication::applicationPid());
        params.createMissing = true;
    }
    ~ServerDatabase() {
        store::ConnectParams p = params;
        p.database = QStringLiteral("postgres");
        try {
            store::openBackend(p)->execute(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)")
                                               .arg(store::Backend::quote(params.database)));
        } catch (...) {
        }
    }
    QByteArray conninfo() const {
        return QStringLiteral("host=%1 port=%2 user=%3 dbname=%4")
            .arg(host_, port_, params.user, params.database)
            .toUtf8();
    }

    store::ConnectParams params;

private:
    QString host_, port_;
};

} // namespace

KV_BENCH_CASE("store") {
    {
        const QString folder = options.workDir + QLatin1String("/store/");
        OrdersStation station(folder, options.rows);
        const auto raw =
            rawSqliteEngine(store::SqliteBackend::databasePath(folder, QStringLiteral("Kalmorvaty")));
        measure(QString(), station, *raw, options.rows, false);
    }
    if (qEnvironmentVariableIsEmpty("KV_TEST_PG")) {
        std::printf(
            "PostgreSQL: skipped (KV_TEST_PG not set; source tools/pgtemp.sh and run pgtemp_start)\n");
        return;
    }
    ServerDatabase db;
    OrdersStation station(db.params, options.rows);
    const auto raw = rawPostgresEngine(db.conninfo());
    measure(QStringLiteral("PostgreSQL "), station, *raw, options.rows, true);
}

} // namespace kv::bench
