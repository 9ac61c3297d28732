// The raw side of the PostgreSQL cases: libpq with each statement prepared once on the server.
#pragma once

#include <QByteArray>
#include <QList>
#include <libpq-fe.h>

namespace kv::bench {

class RawPostgres {
public:
    // Connects with a libpq connection string; ok() says whether that worked.
    explicit RawPostgres(const QByteArray& conninfo);
    ~RawPostgres();
    RawPostgres(const RawPostgres&) = delete;
    RawPostgres& operator=(const RawPostgres&) = delete;

    bool ok() const { return PQstatus(conn_) == CONNECTION_OK; }
    const char* error() const { return PQerrorMessage(conn_); }
    // Runs a statement without parameters; false when it failed.
    bool exec(const char* sql);
    bool prepare(const char* name, const char* sql, int params);
    // Runs a prepared statement with text parameters and returns the first value of its first row
    // (empty when there is none); `failed` tells whether the statement failed.
    QByteArray execPrepared(const char* name, const QList<QByteArray>& params, bool* failed = nullptr);

private:
    PGconn* conn_;
};

} // namespace kv::bench
