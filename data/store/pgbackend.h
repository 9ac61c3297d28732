// The server engine: PostgreSQL through libpq. SERVER is the host (host:port), LOGIN the user, the
// decoded HESLO the password and the alias the database. Statements are prepared once per text;
// record locks are session advisory locks, which the server drops when a station's session ends.
#pragma once

#include "backend.h"

#include <QHash>

typedef struct pg_conn PGconn;
typedef struct pg_result PGresult;

namespace kv::store {

class PgBackend : public Backend {
public:
    explicit PgBackend(const ConnectParams& params);
    ~PgBackend() override;

    QString engineName() const override { return QStringLiteral("PostgreSQL"); }
    QList<Row> query(const QString& sql, const QVariantList& params, int maxRows) override;
    qint64 execute(const QString& sql, const QVariantList& params) override;
    qint64 insert(const QString& table, const QString& sql, const QVariantList& params) override;
    bool tableExists(const QString& table) override;
    QStringList columnNames(const QString& table) override;
    bool tryLockRow(quint32 tableTag, qint64 rowId) override;
    void unlockRow(quint32 tableTag, qint64 rowId) override;
    void begin() override;
    void commit() override;
    void rollback() override;
    QString columnType(FieldType type) const override;
    QString keyColumnType() const override { return QStringLiteral("BIGSERIAL PRIMARY KEY"); }
    QString sortKeyColumnType() const override { return QStringLiteral("BYTEA"); }

    // libpq keywords for the connection: host, port, user, password, dbname.
    static QList<std::pair<QByteArray, QByteArray>> connectionKeywords(const ConnectParams& params);

private:
    PGresult* run(const QString& sql, const QVariantList& params);
    [[noreturn]] void fail(const QString& message, const QString& sql, PGresult* res);
    static void connectTo(PGconn** conn, const ConnectParams& params, const QString& database);

    PGconn* conn_ = nullptr;
    QHash<QString, QByteArray> statements_; // SQL text -> prepared statement name
    int depth_ = 0;
};

} // namespace kv::store
