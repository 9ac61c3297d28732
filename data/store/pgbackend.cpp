// The PostgreSQL backend over libpq: connection, prepared statements with text parameters and binary
// results, advisory record locks, and the renewal of a lost session at a clean point only.
#include "pgbackend.h"

#include "isotime.h"
#include "storeerror.h"

#include <QtEndian>
#include <cstring>
#include <libpq-fe.h>
#include <memory>

namespace kv::store {
namespace {

// Type OIDs of the binary results the store reads; anything else is read as UTF-8 text.
constexpr Oid kBoolOid = 16, kByteaOid = 17, kInt8Oid = 20, kInt2Oid = 21, kInt4Oid = 23, kOidOid = 26,
              kFloat8Oid = 701, kTimestampOid = 1114;
// Binary timestamps count microseconds from 2000-01-01; these are 1970's milliseconds to that day.
constexpr qint64 kMsTo2000 = 946684800000;

const QString kSessionLost = QStringLiteral("Spojení s databázovým serverem bylo přerušeno.");

struct ResultDeleter {
    void operator()(PGresult* r) const { PQclear(r); }
};
using Result = std::unique_ptr<PGresult, ResultDeleter>;

// "?" placeholders become $1, $2, ...; our statements never hold a "?" inside a literal.
QByteArray numbered(const QString& sql) {
    QString out;
    int n = 0;
    for (QChar c : sql) {
        if (c == QLatin1Char('?'))
            out += QLatin1Char('$') + QString::number(++n);
        else
            out += c;
    }
    return out.toUtf8();
}

qint64 floorDiv1000(qint64 us) {
    return us >= 0 ? us / 1000 : -((-us + 999) / 1000);
}

QVariant decode(const PGresult* res, int row, int col, Oid type) {
    if (PQgetisnull(res, row, col))
        return {};
    const char* v = PQgetvalue(res, row, col);
    const int len = PQgetlength(res, row, col);
    switch (type) {
    case kInt8Oid:
        return QVariant(qFromBigEndian<qint64>(v));
    case kInt4Oid:
        return QVariant(qint64(qFromBigEndian<qint32>(v)));
    case kInt2Oid:
        return QVariant(qint64(qFromBigEndian<qint16>(v)));
    case kOidOid:
        return QVariant(qint64(qFromBigEndian<quint32>(v)));
    case kBoolOid:
        return QVariant(qint64(v[0] ? 1 : 0));
    case kByteaOid:
        return QVariant(QByteArray(v, len));
    case kFloat8Oid: {
        const quint64 bits = qFromBigEndian<quint64>(v);
        double d = 0;
        std::memcpy(&d, &bits, sizeof d);
        return QVariant(d);
    }
    case kTimestampOid: {
        const qint64 us = qFromBigEndian<qint64>(v);
        // 'infinity' and '-infinity' are the extremes of the range: no date this program can show.
        if (us == std::numeric_limits<qint64>::max() || us == std::numeric_limits<qint64>::min())
            return {};
        return QVariant(floorDiv1000(us) + kMsTo2000);
    }
    default:
        return QVariant(QString::fromUtf8(v, len));
    }
}

QString hostAndPort(const PGconn* conn) {
    const QString host = QString::fromUtf8(PQhost(conn));
    const QString port = QString::fromUtf8(PQport(conn));
    return port.isEmpty() ? host : host + QLatin1Char(':') + port;
}

} // namespace

QList<std::pair<QByteArray, QByteArray>> PgBackend::connectionKeywords(const ConnectParams& params) {
    QString host = params.server.trimmed();
    QString port;
    const qsizetype colon = host.lastIndexOf(QLatin1Char(':'));
    if (colon > 0 && !host.contains(QLatin1Char(']'), Qt::CaseSensitive)) {
        port = host.mid(colon + 1);
        host = host.left(colon);
    }
    QList<std::pair<QByteArray, QByteArray>> kw;
    auto add = [&kw](const char* key, const QString& value) {
        kw.append(std::make_pair(QByteArray(key), value.toUtf8()));
    };
    if (!host.isEmpty())
        add("host", host);
    if (!port.isEmpty())
        add("port", port);
    if (!params.user.isEmpty())
        add("user", params.user);
    if (!params.password.isEmpty())
        add("password", params.password);
    add("dbname", params.database);
    // The program reads and writes UTF-8; the rest only where the environment leaves it open.
    add("client_encoding", QStringLiteral("UTF8"));
    add("fallback_application_name", QStringLiteral("Kalmorvaty"));
    if (qEnvironmentVariableIsEmpty("PGCONNECT_TIMEOUT"))
        add("connect_timeout", QStringLiteral("10"));
    return kw;
}

PGconn* PgBackend::connectTo(const ConnectParams& params, const QString& database) {
    ConnectParams p = params;
    p.database = database;
    const auto kw = connectionKeywords(p);
    std::vector<const char*> keys, values;
    for (const auto& [k, v] : kw) {
        keys.push_back(k.constData());
        values.push_back(v.constData());
    }
    keys.push_back(nullptr);
    values.push_back(nullptr);
    return PQconnectdbParams(keys.data(), values.data(), 0);
}

PgBackend::PgBackend(const ConnectParams& params)
    : Backend(params.database) {
    conn_ = connectTo(params, params.database);
    if (PQstatus(conn_) != CONNECTION_OK && params.createMissing) {
        // The set-up program creates the database from the server's maintenance database.
        PGconn* admin = connectTo(params, QStringLiteral("postgres"));
        if (PQstatus(admin) == CONNECTION_OK) {
            const QByteArray utf8 = params.database.toUtf8();
            char* name = PQescapeIdentifier(admin, utf8.constData(), size_t(utf8.size()));
            Result r(PQexec(
                admin,
                (QByteArray("CREATE DATABASE ") + name + " ENCODING 'UTF8' TEMPLATE template0").constData()));
            PQfreemem(name);
            PQfinish(conn_);
            conn_ = connectTo(params, params.database);
        }
        PQfinish(admin);
    }
    if (PQstatus(conn_) != CONNECTION_OK) {
        const QString text = QString::fromUtf8(PQerrorMessage(conn_)).trimmed();
        const QString tried = hostAndPort(conn_);
        PQfinish(conn_);
        conn_ = nullptr;
        throw StoreError(
            StoreError::Kind::Connection,
            QStringLiteral("Nelze se připojit k databázi '%1' na serveru PostgreSQL %2 (uživatel '%3').")
                .arg(params.database, tried, params.user),
            text, 0, false);
    }
    sessionSettings();
}

PgBackend::~PgBackend() {
    PQfinish(conn_);
}

// Each statement is planned for the values it runs with: a plan made once for any values would read a
// date-range filter along the whole index of order numbers instead of the few days asked for.
void PgBackend::sessionSettings() {
    noteRoundTrip();
    Result r(PQexec(conn_, "SET client_min_messages = warning; SET plan_cache_mode = force_custom_plan"));
}

// What was lost with the session decides what the user has to do about it.
QString PgBackend::sessionLostText() const {
    if (heldLocks() > 0)
        return kSessionLost +
               QLatin1String(" Rozpracovaný záznam nelze uložit: jeho zámek zanikl se spojením. "
                             "Zrušte úpravu a začněte ji znovu.");
    if (transactionDepth() > 0)
        return kSessionLost + QLatin1String(" Nic z rozpracovaných změn nebylo uloženo.");
    return kSessionLost;
}

bool PgBackend::connectionAlive() const {
    return PQstatus(conn_) == CONNECTION_OK;
}

void PgBackend::fail(const QString& message, const QString& sql, PGresult* res) {
    const QString text = QString::fromUtf8(res ? PQresultErrorMessage(res) : PQerrorMessage(conn_)).trimmed();
    const QString state = QString::fromLatin1(res ? PQresultErrorField(res, PG_DIAG_SQLSTATE) : nullptr);
    const bool alive = connectionAlive();
    PQclear(res);
    // The server aborts the whole transaction at any failure inside it.
    noteTransactionLost();
    if (!alive)
        statements_.clear();
    const bool locked = state == QLatin1String("55P03") || state == QLatin1String("40P01");
    throw StoreError(locked  ? StoreError::Kind::Locked
                     : alive ? StoreError::Kind::Engine
                             : StoreError::Kind::Connection,
                     alive ? message : sessionLostText(), text, 0, alive, sql, state);
}

// A new session has none of the old one's transaction and locks. While either is held, saying nothing
// and going on would let a post write without its lock, so the loss is reported instead; the next
// statement after the user has cancelled (no lock, no transaction) renews the session.
void PgBackend::renewSession(const QString& sql) {
    if (transactionDepth() > 0 || heldLocks() > 0)
        throw StoreError(StoreError::Kind::Connection, sessionLostText(),
                         QString::fromUtf8(PQerrorMessage(conn_)).trimmed(), 0, false, sql);
    statements_.clear();
    noteRoundTrip();
    PQreset(conn_);
    if (!connectionAlive())
        fail(QString(), sql, nullptr);
    sessionSettings();
}

PGresult* PgBackend::run(const QString& sql, const QVariantList& params) {
    if (!connectionAlive())
        renewSession(sql);
    QByteArray name = statements_.value(sql);
    if (name.isEmpty()) {
        name = "kv" + QByteArray::number(++nextStatement_);
        noteRoundTrip();
        PGresult* prep = PQprepare(conn_, name.constData(), numbered(sql).constData(), 0, nullptr);
        if (PQresultStatus(prep) != PGRES_COMMAND_OK)
            fail(QStringLiteral("Chyba databáze při přípravě dotazu."), sql, prep);
        PQclear(prep);
        statements_.insert(sql, name);
    }
    const std::size_t n = std::size_t(params.size());
    std::vector<QByteArray> storage(n);
    std::vector<const char*> values(n, nullptr);
    std::vector<int> lengths(n, 0), formats(n, 0);
    for (std::size_t i = 0; i < n; ++i) {
        const QVariant& v = params[qsizetype(i)];
        if (v.isNull())
            continue;
        if (v.metaType() == QMetaType::fromType<Timestamp>()) {
            storage[i] = isoFromMillis(v.value<Timestamp>().ms);
        } else {
            switch (v.typeId()) {
            case QMetaType::QByteArray:
                storage[i] = v.toByteArray();
                formats[i] = 1;
                break;
            case QMetaType::QString:
                storage[i] = v.toString().toUtf8();
                break;
            case QMetaType::Bool:
                storage[i] = v.toBool() ? "true" : "false";
                break;
            case QMetaType::Double:
                storage[i] = QByteArray::number(v.toDouble(), 'g', 17);
                break;
            default:
                storage[i] = QByteArray::number(v.toLongLong());
                break;
            }
        }
        values[i] = storage[i].constData();
        lengths[i] = int(storage[i].size());
    }
    noteRoundTrip();
    PGresult* res =
        PQexecPrepared(conn_, name.constData(), int(n), values.data(), lengths.data(), formats.data(), 1);
    const auto status = PQresultStatus(res);
    if (status != PGRES_TUPLES_OK && status != PGRES_COMMAND_OK)
        fail(QStringLiteral("Chyba databáze."), sql, res);
    return res;
}

QList<Row> PgBackend::query(const QString& sql, const QVariantList& params, int maxRows) {
    Result res(run(sql, params));
    int n = PQntuples(res.get());
    if (maxRows >= 0 && n > maxRows)
        n = maxRows;
    const int cols = PQnfields(res.get());
    std::vector<Oid> types(std::size_t(cols), 0);
    for (int c = 0; c < cols; ++c)
        types[std::size_t(c)] = PQftype(res.get(), c);
    QList<Row> rows;
    rows.reserve(n);
    for (int r = 0; r < n; ++r) {
        Row row;
        row.reserve(cols);
        for (int c = 0; c < cols; ++c)
            row << decode(res.get(), r, c, types[std::size_t(c)]);
        rows << std::move(row);
    }
    return rows;
}

qint64 PgBackend::execute(const QString& sql, const QVariantList& params) {
    Result res(run(sql, params));
    noteWrite();
    if (changesSchema(sql))
        statements_.clear();
    return QByteArray(PQcmdTuples(res.get())).toLongLong();
}

QString PgBackend::insertSql(const QString& table, const QStringList& columns) const {
    return Backend::insertSql(table, columns) + QLatin1String(" RETURNING ") + quote(QStringLiteral("_id"));
}

qint64 PgBackend::insert(const QString& sql, const QVariantList& params) {
    Result res(run(sql, params));
    noteWrite();
    return PQntuples(res.get()) > 0 ? decode(res.get(), 0, 0, PQftype(res.get(), 0)).toLongLong() : 0;
}

bool PgBackend::tableExists(const QString& table) {
    return !query(QStringLiteral(
                      "SELECT 1 FROM information_schema.tables WHERE table_schema = current_schema() "
                      "AND lower(table_name) = lower(?)"),
                  {table}, 1)
                .isEmpty();
}

QStringList PgBackend::columnNames(const QString& table) {
    QStringList out;
    for (const Row& r :
         query(QStringLiteral("SELECT column_name FROM information_schema.columns WHERE table_schema = "
                              "current_schema() AND lower(table_name) = lower(?) ORDER BY ordinal_position"),
               {table}, -1))
        out << r[0].toString();
    return out;
}

bool PgBackend::engineTryLock(quint32 tableTag, qint64 rowId) {
    const qint64 key = rowLockKey(tableTag, rowId);
    const auto rows = query(QStringLiteral("SELECT pg_try_advisory_lock(CAST(? AS bigint))"), {key}, 1);
    return !rows.isEmpty() && rows[0][0].toLongLong() == 1;
}

void PgBackend::engineUnlock(quint32 tableTag, qint64 rowId) {
    const qint64 key = rowLockKey(tableTag, rowId);
    query(QStringLiteral("SELECT pg_advisory_unlock(CAST(? AS bigint))"), {key}, 1);
}

QString PgBackend::timestampFromMillisSql(const QString& column) const {
    return QLatin1String("TIMESTAMP '1970-01-01 00:00:00' + ") + column +
           QLatin1String(" * INTERVAL '1 millisecond'");
}

QString PgBackend::widenTextSql(const QString& table, const QString& column, int length) const {
    // Only the declared length changes: PostgreSQL rewrites nothing for a longer varchar.
    return QLatin1String("ALTER TABLE ") + quote(table) + QLatin1String(" ALTER COLUMN ") + quote(column) +
           QLatin1String(" TYPE varchar(") + QString::number(length) + QLatin1Char(')');
}

QString PgBackend::booleanFromFlagSql(const QString& column) const {
    return QLatin1Char('(') + column + QLatin1String(" <> 0)");
}

// A function of the trigger's own name empties the key of the row before it is written.
QStringList PgBackend::sortKeyTriggerSql(const TableDef& def) const {
    QStringList out;
    for (const IndexDef& ix : def.indexes) {
        const QString name = quote(sortKeyTriggerName(def, ix));
        QStringList fields;
        for (const QString& f : ix.fields)
            fields << quote(f);
        out << QLatin1String("CREATE OR REPLACE FUNCTION ") + name +
                   QLatin1String("() RETURNS trigger LANGUAGE plpgsql AS $$BEGIN NEW.") +
                   quote(sortKeyColumn(ix.name)) + QLatin1String(" := NULL; RETURN NEW; END$$");
        out << QLatin1String("CREATE OR REPLACE TRIGGER ") + name + QLatin1String(" BEFORE UPDATE OF ") +
                   fields.join(QLatin1String(", ")) + QLatin1String(" ON ") + quote(def.name) +
                   QLatin1String(" FOR EACH ROW WHEN (") +
                   sortKeyStaleSql(ix, QStringLiteral("IS NOT DISTINCT FROM"),
                                   QStringLiteral("IS DISTINCT FROM")) +
                   QLatin1String(") EXECUTE FUNCTION ") + name + QLatin1String("()");
    }
    return out;
}

void PgBackend::keysWritten(const QString& table) {
    const QString quoted = quote(table);
    query(QLatin1String("SELECT setval(pg_get_serial_sequence(?, '_id'), COALESCE(MAX(") +
              quote(QStringLiteral("_id")) + QLatin1String("), 0) + 1, false) FROM ") + quoted,
          {quoted}, 1);
}

} // namespace kv::store
