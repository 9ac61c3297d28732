// The raw PostgreSQL connection of the benchmark.
#include "rawpostgres.h"

#include <vector>

namespace kv::bench {

RawPostgres::RawPostgres(const QByteArray& conninfo)
    : conn_(PQconnectdb(conninfo.constData())) {}

RawPostgres::~RawPostgres() {
    PQfinish(conn_);
}

bool RawPostgres::exec(const char* sql) {
    PGresult* r = PQexec(conn_, sql);
    const ExecStatusType status = PQresultStatus(r);
    PQclear(r);
    return status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK;
}

bool RawPostgres::prepare(const char* name, const char* sql, int params) {
    PGresult* r = PQprepare(conn_, name, sql, params, nullptr);
    const bool ok = PQresultStatus(r) == PGRES_COMMAND_OK;
    PQclear(r);
    return ok;
}

QByteArray RawPostgres::execPrepared(const char* name, const QList<QByteArray>& params, bool* failed) {
    std::vector<const char*> values;
    for (const QByteArray& p : params)
        values.push_back(p.constData());
    PGresult* r = PQexecPrepared(conn_, name, int(values.size()), values.data(), nullptr, nullptr, 0);
    const ExecStatusType status = PQresultStatus(r);
    QByteArray out;
    if (status == PGRES_TUPLES_OK && PQntuples(r) > 0)
        out = QByteArray(PQgetvalue(r, 0, 0), PQgetlength(r, 0, 0));
    if (failed)
        *failed = status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK;
    PQclear(r);
    return out;
}

} // namespace kv::bench
