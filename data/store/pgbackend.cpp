// The PostgreSQL backend over libpq: connection, prepared statements, advisory record locks.
#include "pgbackend.h"

#include "storeerror.h"

#include <libpq-fe.h>

#include <memory>

namespace kv::store {
namespace {

constexpr unsigned kBoolOid = 16, kByteaOid = 17, kInt8Oid = 20, kInt2Oid = 21, kInt4Oid = 23, kOidOid = 26;

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

QVariant decode(const PGresult* res, int row, int col) {
    if (PQgetisnull(res, row, col))
        return {};
    const char* v = PQgetvalue(res, row, col);
    const int len = PQgetlength(res, row, col);
    switch (PQftype(res, col)) {
    case kInt8Oid:
    case kInt2Oid:
    case kInt4Oid:
    case kOidOid: return QVariant(QByteArray(v, len).toLongLong());
    case kBoolOid: return QVariant(qint64(v[0] == 't' ? 1 : 0));
    case kByteaOid: {
        size_t n = 0;
        unsigned char* raw = PQunescapeBytea(reinterpret_cast<const unsigned char*>(v), &n);
        QByteArray out(reinterpret_cast<const char*>(raw), qsizetype(n));
        PQfreemem(raw);
        return out;
    }
    default: return QVariant(QString::fromUtf8(v, len));
    }
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
    if (!host.isEmpty())
        kw.append(std::make_pair(QByteArray("host"), QByteArray(host.toUtf8())));
    if (!port.isEmpty())
        kw.append(std::make_pair(QByteArray("port"), QByteArray(port.toUtf8())));
    if (!params.user.isEmpty())
        kw.append(std::make_pair(QByteArray("user"), QByteArray(params.user.toUtf8())));
    if (!params.password.isEmpty())
        kw.append(std::make_pair(QByteArray("password"), QByteArray(params.password.toUtf8())));
    kw.append(std::make_pair(QByteArray("dbname"), QByteArray(params.database.toUtf8())));
    kw.append(std::make_pair(QByteArray("connect_timeout"), QByteArray("10")));
    kw.append(std::make_pair(QByteArray("client_encoding"), QByteArray("UTF8")));
    kw.append(std::make_pair(QByteArray("application_name"), QByteArray("Kalmorvaty")));
    return kw;
}

void PgBackend::connectTo(PGconn** conn, const ConnectParams& params, const QString& database) {
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
    *conn = PQconnectdbParams(keys.data(), values.data(), 0);
}

PgBackend::PgBackend(const ConnectParams& params) {
    connectTo(&conn_, params, params.database);
    if (PQstatus(conn_) != CONNECTION_OK && params.createMissing) {
        // The set-up program creates the database from the server's maintenance database.
        PGconn* admin = nullptr;
        connectTo(&admin, params, QStringLiteral("postgres"));
        if (PQstatus(admin) == CONNECTION_OK) {
            const QByteArray database = params.database.toUtf8();
            char* escaped = PQescapeIdentifier(admin, database.constData(), size_t(database.size()));
            const QByteArray name(escaped);
            PQfreemem(escaped);
            Result r(PQexec(admin, ("CREATE DATABASE " + name + " ENCODING 'UTF8' TEMPLATE template0").constData()));
            PQfinish(conn_);
            connectTo(&conn_, params, params.database);
        }
        PQfinish(admin);
    }
    if (PQstatus(conn_) != CONNECTION_OK) {
        const QString text = QString::fromUtf8(PQerrorMessage(conn_)).trimmed();
        PQfinish(conn_);
        conn_ = nullptr;
        throw StoreError(StoreError::Kind::Connection,
                         QStringLiteral("Nelze se připojit k databázi '%1' na serveru '%2'.")
                             .arg(params.database, params.server),
                         text, 0, false);
    }
    Result r(PQexec(conn_, "SET client_min_messages = warning"));
}

PgBackend::~PgBackend() { PQfinish(conn_); }

void PgBackend::fail(const QString& message, const QString& sql, PGresult* res) {
    const QString text = QString::fromUtf8(res ? PQresultErrorMessage(res) : PQerrorMessage(conn_)).trimmed();
    const char* state = res ? PQresultErrorField(res, PG_DIAG_SQLSTATE) : nullptr;
    const bool usable = PQstatus(conn_) == CONNECTION_OK;
    const bool locked = state && (qstrcmp(state, "55P03") == 0 || qstrcmp(state, "40P01") == 0);
    PQclear(res);
    if (!usable)
        statements_.clear();
    throw StoreError(locked ? StoreError::Kind::Locked : usable ? StoreError::Kind::Engine : StoreError::Kind::Connection,
                     usable ? message : QStringLiteral("Spojení s databázovým serverem bylo přerušeno."), text,
                     state ? int(QByteArray(state).toInt(nullptr, 36)) : 0, usable, sql);
}

PGresult* PgBackend::run(const QString& sql, const QVariantList& params) {
    if (PQstatus(conn_) != CONNECTION_OK) {
        PQreset(conn_);
        statements_.clear();
        depth_ = 0;
        if (PQstatus(conn_) != CONNECTION_OK)
            fail(QString(), sql, nullptr);
    }
    QByteArray name = statements_.value(sql);
    if (name.isEmpty()) {
        name = "kv" + QByteArray::number(statements_.size() + 1);
        PGresult* prep = PQprepare(conn_, name.constData(), numbered(sql).constData(), 0, nullptr);
        if (PQresultStatus(prep) != PGRES_COMMAND_OK)
            fail(QStringLiteral("Chyba databáze při přípravě dotazu."), sql, prep);
        PQclear(prep);
        statements_.insert(sql, name);
    }
    std::vector<QByteArray> storage(std::size_t(params.size()));
    std::vector<const char*> values(std::size_t(params.size()), nullptr);
    std::vector<int> lengths(std::size_t(params.size()), 0), formats(std::size_t(params.size()), 0);
    for (int i = 0; i < params.size(); ++i) {
        const QVariant& v = params[i];
        if (v.isNull())
            continue;
        if (v.typeId() == QMetaType::QByteArray) {
            storage[std::size_t(i)] = v.toByteArray();
            formats[std::size_t(i)] = 1;
        } else if (v.typeId() == QMetaType::QString) {
            storage[std::size_t(i)] = v.toString().toUtf8();
        } else {
            storage[std::size_t(i)] = QByteArray::number(v.toLongLong());
        }
        values[std::size_t(i)] = storage[std::size_t(i)].constData();
        lengths[std::size_t(i)] = int(storage[std::size_t(i)].size());
    }
    PGresult* res = PQexecPrepared(conn_, name.constData(), int(params.size()), values.data(), lengths.data(),
                                   formats.data(), 0);
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
    QList<Row> rows;
    rows.reserve(n);
    for (int r = 0; r < n; ++r) {
        Row row;
        row.reserve(cols);
        for (int c = 0; c < cols; ++c)
            row << decode(res.get(), r, c);
        rows << std::move(row);
    }
    return rows;
}

qint64 PgBackend::execute(const QString& sql, const QVariantList& params) {
    Result res(run(sql, params));
    noteWrite();
    return QByteArray(PQcmdTuples(res.get())).toLongLong();
}

qint64 PgBackend::insert(const QString&, const QString& sql, const QVariantList& params) {
    Result res(run(sql + QLatin1String(" RETURNING \"_id\""), params));
    noteWrite();
    return QByteArray(PQgetvalue(res.get(), 0, 0)).toLongLong();
}

bool PgBackend::tableExists(const QString& table) {
    return !query(QStringLiteral("SELECT 1 FROM information_schema.tables WHERE table_schema = current_schema() "
                                 "AND lower(table_name) = lower(?)"),
                  {table}, 1)
                .isEmpty();
}

QStringList PgBackend::columnNames(const QString& table) {
    QStringList out;
    for (const Row& r : query(QStringLiteral("SELECT column_name FROM information_schema.columns WHERE table_schema = "
                                             "current_schema() AND lower(table_name) = lower(?) ORDER BY ordinal_position"),
                              {table}, -1))
        out << r[0].toString();
    return out;
}

bool PgBackend::tryLockRow(quint32 tableTag, qint64 rowId) {
    const qint64 key = rowLockKey(tableTag, rowId);
    const auto rows = query(QStringLiteral("SELECT pg_try_advisory_lock(CAST(? AS bigint))"), {key}, 1);
    return !rows.isEmpty() && rows[0][0].toLongLong() == 1;
}

void PgBackend::unlockRow(quint32 tableTag, qint64 rowId) {
    const qint64 key = rowLockKey(tableTag, rowId);
    query(QStringLiteral("SELECT pg_advisory_unlock(CAST(? AS bigint))"), {key}, 1);
}

void PgBackend::begin() {
    if (depth_++ == 0)
        Result(run(QStringLiteral("BEGIN"), {}));
}

void PgBackend::commit() {
    if (depth_ > 0 && --depth_ == 0)
        Result(run(QStringLiteral("COMMIT"), {}));
}

void PgBackend::rollback() {
    if (depth_ > 0) {
        depth_ = 0;
        Result(run(QStringLiteral("ROLLBACK"), {}));
    }
}

QString PgBackend::columnType(FieldType type) const {
    switch (type) {
    case FieldType::String:
    case FieldType::Memo: return QStringLiteral("TEXT NOT NULL DEFAULT ''");
    case FieldType::Boolean: return QStringLiteral("SMALLINT NOT NULL DEFAULT 0");
    case FieldType::Integer: return QStringLiteral("INTEGER");
    case FieldType::DateTime: return QStringLiteral("BIGINT");
    case FieldType::Graphic: return QStringLiteral("BYTEA");
    }
    return {};
}

} // namespace kv::store
