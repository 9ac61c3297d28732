// The table store against the raw engine on an orders table of --rows orders: each operation of the
// store runs beside the same SQL through SQLite's C API with its statement prepared once and kept.
#include "benchcase.h"
#include "ordersdb.h"

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

const char* kColumns = "\"_id\", \"_k_Cislo\", \"Cislo\", \"Datum\", \"Termin_dod\", \"Zpusob_platby\", \"Doprava\", "
                       "\"Objednal\", \"Funkce\", \"Telefon\", \"Email\", \"Dod_firma\", \"Dod_osoba\", \"Dod_ulice\", "
                       "\"Dod_Obec\", \"Dod_PSC\", \"Dod_Telefon\", \"Dod_email\", \"Vyrizena\", \"Stornovana\", \"Text\", "
                       "\"Vyrizena_dne\"";

qint64 stored(const QDate& d) { return store::dateTimeToStored(QDateTime(d, QTime(0, 0))); }

// The raw side: statements prepared once, each run binds, steps and reads every column.
class Raw {
public:
    explicit Raw(const QString& path) { sqlite3_open(path.toUtf8().constData(), &db_); }
    ~Raw() {
        for (auto* s : statements_)
            sqlite3_finalize(s);
        sqlite3_close(db_);
    }
    sqlite3_stmt* prepare(const QByteArray& sql) {
        sqlite3_stmt* s = nullptr;
        sqlite3_prepare_v3(db_, sql.constData(), -1, SQLITE_PREPARE_PERSISTENT, &s, nullptr);
        statements_.push_back(s);
        return s;
    }
    // Steps up to `rows` rows, reading each column as the store does; returns the rows read.
    static int run(sqlite3_stmt* s, int rows = 1) {
        // Statements that end in "LIMIT ?", as the store's do, take the row count as their last parameter.
        if (QByteArray(sqlite3_sql(s)).endsWith("LIMIT ?"))
            sqlite3_bind_int64(s, sqlite3_bind_parameter_count(s), rows);
        int n = 0;
        while (n < rows && sqlite3_step(s) == SQLITE_ROW) {
            for (int c = 0, cols = sqlite3_column_count(s); c < cols; ++c) {
                if (sqlite3_column_type(s, c) == SQLITE_TEXT)
                    (void)QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, c)),
                                            sqlite3_column_bytes(s, c));
                else
                    (void)sqlite3_column_int64(s, c);
            }
            ++n;
        }
        sqlite3_reset(s);
        return n;
    }

private:
    sqlite3* db_ = nullptr;
    std::vector<sqlite3_stmt*> statements_;
};

QByteArray select(const char* where, const char* order) {
    return QByteArray("SELECT ") + kColumns + " FROM \"Kalmorvaty\"" + (where[0] ? QByteArray(" WHERE ") + where : QByteArray()) +
           " ORDER BY " + order + " LIMIT ?";
}

} // namespace

KV_BENCH_CASE("store") {
    const QString folder = options.workDir + QLatin1String("/store/");
    QDir().mkpath(folder);
    std::printf("store: filling %d orders...\n", options.rows);
    std::fflush(stdout);
    fillOrders(folder, options.rows);
    const QString path = store::SqliteBackend::databasePath(folder, QStringLiteral("Kalmorvaty"));
    Raw raw(path);

    store::Transport transport;
    store::Client client(transport);
    store::Session session(QStringLiteral("Kalmorvaty"), client);
    session.setFolder(folder);
    session.setDefaultDatabase(QStringLiteral("Kalmorvaty"));
    client.setActive(true);
    session.setActive(true);
    store::Table t(session, QStringLiteral("Kalmorvaty"));
    t.setDefinition(data::tableDef(QStringLiteral("Kalmorvaty")));

    const char* asc = "\"_k_Cislo\", \"_id\"";
    const char* desc = "\"_k_Cislo\" DESC, \"_id\" DESC";
    sqlite3_stmt* rawFirst = raw.prepare(select("", asc));
    report(QStringLiteral("open orders table"), timeMs([&] { t.close(); t.open(); }, 20),
           timeMs([&] { Raw::run(rawFirst); }, 20));

    sqlite3_stmt* rawOpen = raw.prepare(select("\"Vyrizena\" = ?", asc));
    sqlite3_stmt* rawRange = raw.prepare(select("\"Datum\" >= ? AND \"Datum\" <= ?", asc));
    const QString open = QStringLiteral("Vyrizena='False'");
    const QString range = QStringLiteral("Datum >= '1.3.2024' AND Datum <= '31.3.2024'");
    t.setFiltered(true);
    report(QStringLiteral("filter Vyrizena='False'"), timeMs([&] { t.setFilter(QString()); t.setFilter(open); }, 20),
           timeMs([&] { Raw::run(rawFirst); sqlite3_bind_int64(rawOpen, 1, 0); Raw::run(rawOpen); }, 20));
    report(QStringLiteral("switch to date range filter"), timeMs([&] { t.setFilter(open); t.setFilter(range); }, 20),
           timeMs([&] {
               sqlite3_bind_int64(rawOpen, 1, 0);
               Raw::run(rawOpen);
               sqlite3_bind_int64(rawRange, 1, stored(QDate(2024, 3, 1)));
               sqlite3_bind_int64(rawRange, 2, stored(QDate(2024, 3, 31)));
               Raw::run(rawRange);
           }, 20));
    t.setFiltered(false);

    sqlite3_stmt* rawLast = raw.prepare(select("", desc));
    report(QStringLiteral("first"), timeMs([&] { t.first(); }, 50), timeMs([&] { Raw::run(rawFirst); }, 50));
    report(QStringLiteral("last"), timeMs([&] { t.last(); }, 50), timeMs([&] { Raw::run(rawLast); }, 50));

    const int steps = std::min(100000, options.rows - 1);
    sqlite3_stmt* rawWalk = raw.prepare(QByteArray("SELECT ") + kColumns + " FROM \"Kalmorvaty\" ORDER BY " + asc);
    const double oursWalk = timeMs([&] { t.first(); for (int i = 0; i < steps; ++i) t.next(); }, 3);
    const double rawWalkMs = timeMs([&] { Raw::run(rawWalk, steps + 1); }, 3);
    report(QStringLiteral("next x%1 (per step)").arg(steps), oursWalk / steps, rawWalkMs / (steps + 1));
    const double oursBack = timeMs([&] { t.last(); for (int i = 0; i < steps; ++i) t.prior(); }, 3);
    sqlite3_stmt* rawBack = raw.prepare(QByteArray("SELECT ") + kColumns + " FROM \"Kalmorvaty\" ORDER BY " + desc);
    report(QStringLiteral("prior x%1 (per step)").arg(steps), oursBack / steps,
           timeMs([&] { Raw::run(rawBack, steps + 1); }, 3) / (steps + 1));

    t.moveTo(options.rows / 3);
    const QString wanted = t.fieldByName(QStringLiteral("Cislo")).asString();
    sqlite3_stmt* rawLocate = raw.prepare(select("\"_k_Cislo\" = ? AND \"Cislo\" = ?", asc));
    const QByteArray wantedKey = store::collationKey(wanted), wantedUtf8 = wanted.toUtf8();
    report(QStringLiteral("locate Cislo"), timeMs([&] { t.locate(QStringLiteral("Cislo"), wanted); }, 20), timeMs([&] {
               sqlite3_bind_blob(rawLocate, 1, wantedKey.constData(), int(wantedKey.size()), SQLITE_STATIC);
               sqlite3_bind_text(rawLocate, 2, wantedUtf8.constData(), int(wantedUtf8.size()), SQLITE_STATIC);
               Raw::run(rawLocate);
           }, 20));

    sqlite3_stmt* rawCount = raw.prepare("SELECT COUNT(*) FROM \"Kalmorvaty\" WHERE \"Vyrizena\" = ?");
    t.setFilter(open);
    t.setFiltered(true);
    report(QStringLiteral("record count, filtered"), timeMs([&] { t.refresh(); t.recordCount(); }, 5),
           timeMs([&] { sqlite3_bind_int64(rawCount, 1, 0); Raw::run(rawCount); }, 5));
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
    report(QStringLiteral("cursor memory after walking %1 rows (baseline: 64 MB budget)").arg(options.rows), held, 64.0,
           "MB");
}

} // namespace kv::bench
