// The server engine: PostgreSQL through libpq. SERVER is the host (host:port), LOGIN the user, the
// decoded HESLO the password and the alias the database; whatever SERVER.INI does not say (TLS,
// password file, service file, time-outs) comes from libpq's environment and files. Statements are
// prepared once per text and read in binary form. Record locks are session advisory locks, which the
// server drops when a station's session ends; so a lost session is renewed only at a clean point,
// with no transaction open and no record lock held.
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
    qint64 insert(const QString& sql, const QVariantList& params) override;
    bool tableExists(const QString& table) override;
    QStringList columnNames(const QString& table) override;
    QString insertSql(const QString& table, const QStringList& columns) const override;
    QString timestampFromMillisSql(const QString& column) const override;
    QString booleanFromFlagSql(const QString& column) const override;
    QString widenTextSql(const QString& table, const QString& column, int length) const override;
    QStringList sortKeyTriggerSql(const TableDef& def) const override;
    void keysWritten(const QString& table) override;

    // libpq keywords for the connection: what SERVER.INI gives (host, port, user, password, dbname) and
    // what the program itself needs; nothing that would hide libpq's environment variables and files.
    static QList<std::pair<QByteArray, QByteArray>> connectionKeywords(const ConnectParams& params);

protected:
    bool connectionAlive() const override;
    bool engineTryLock(quint32 tableTag, qint64 rowId) override;
    void engineUnlock(quint32 tableTag, qint64 rowId) override;
    QString binaryTypeName() const override { return QStringLiteral("BYTEA"); }
    QString keyColumnType() const override { return QStringLiteral("BIGSERIAL PRIMARY KEY"); }

private:
    PGresult* run(const QString& sql, const QVariantList& params);
    void renewSession(const QString& sql);
    void sessionSettings();
    QString sessionLostText() const;
    [[noreturn]] void fail(const QString& message, const QString& sql, PGresult* res);
    static PGconn* connectTo(const ConnectParams& params, const QString& database);

    PGconn* conn_ = nullptr;
    QHash<QString, QByteArray> statements_; // SQL text -> prepared statement name
    int nextStatement_ = 0;
};

} // namespace kv::store
