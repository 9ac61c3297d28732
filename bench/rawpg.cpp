// The raw PostgreSQL reader the store cases measure the store against: libpq with statements prepared
// once, text parameters and binary results, each value decoded as its type.
#include "rawengine.h"

#include "data/store/backend.h"
#include "data/store/isotime.h"

#include <QtEndian>
#include <libpq-fe.h>
#include <stdexcept>
#include <vector>

namespace kv::bench {
namespace {

class RawPostgres : public RawEngine {
public:
    explicit RawPostgres(const QByteArray& conninfo)
        : conn_(PQconnectdb(conninfo.constData())) {
        if (PQstatus(conn_) != CONNECTION_OK)
            throw std::runtime_error(PQerrorMessage(conn_));
        // The store's session setting, so that both sides run the same plans.
        PQclear(PQexec(conn_, "SET plan_cache_mode = force_custom_plan"));
    }
    ~RawPostgres() override { PQfinish(conn_); }

    int prepare(const QByteArray& sql) override {
        QByteArray numbered;
        int n = 0;
        for (char c : sql)
            numbered += c == '?' ? "$" + QByteArray::number(++n) : QByteArray(1, c);
        const QByteArray name = "raw" + QByteArray::number(limits_.size());
        PGresult* r = PQprepare(conn_, name.constData(), numbered.constData(), 0, nullptr);
        if (PQresultStatus(r) != PGRES_COMMAND_OK)
            throw std::runtime_error(PQresultErrorMessage(r));
        PQclear(r);
        ++trips_;
        names_.push_back(name);
        limits_.push_back(sql.endsWith("LIMIT ?"));
        return int(names_.size() - 1);
    }

    int run(int statement, const QVariantList& params, int rows) override {
        QVariantList all = params;
        if (limits_[std::size_t(statement)])
            all << qint64(rows);
        std::vector<QByteArray> storage(std::size_t(all.size()));
        std::vector<const char*> values(storage.size(), nullptr);
        std::vector<int> lengths(storage.size(), 0), formats(storage.size(), 0);
        for (std::size_t i = 0; i < storage.size(); ++i) {
            const QVariant& v = all[qsizetype(i)];
            if (v.metaType() == QMetaType::fromType<store::Timestamp>())
                storage[i] = store::isoFromMillis(v.value<store::Timestamp>().ms);
            else if (v.typeId() == QMetaType::Bool)
                storage[i] = v.toBool() ? "true" : "false";
            else if (v.typeId() == QMetaType::QByteArray)
                storage[i] = v.toByteArray(), formats[i] = 1;
            else
                storage[i] = v.toString().toUtf8();
            values[i] = storage[i].constData();
            lengths[i] = int(storage[i].size());
        }
        ++trips_;
        PGresult* r = PQexecPrepared(conn_, names_[std::size_t(statement)].constData(), int(all.size()),
                                     values.data(), lengths.data(), formats.data(), 1);
        if (PQresultStatus(r) != PGRES_TUPLES_OK)
            throw std::runtime_error(PQresultErrorMessage(r));
        const int n = std::min(rows, PQntuples(r)), cols = PQnfields(r);
        std::vector<Oid> types(static_cast<std::size_t>(cols));
        for (int c = 0; c < cols; ++c)
            types[std::size_t(c)] = PQftype(r, c);
        for (int row = 0; row < n; ++row)
            for (int c = 0; c < cols; ++c)
                read(r, row, c, types[std::size_t(c)]);
        PQclear(r);
        return n;
    }

    quint64 roundTrips() const override { return trips_; }

private:
    // Each value turned into what a program would hold, as the store does.
    static void read(const PGresult* r, int row, int c, Oid type) {
        if (PQgetisnull(r, row, c))
            return;
        const char* v = PQgetvalue(r, row, c);
        switch (type) {
        case 16:
            sink_ += v[0];
            break; // boolean
        case 17:
            sink_ += QByteArray(v, PQgetlength(r, row, c)).size();
            break; // bytea
        case 20:
        case 1114:
            sink_ += qFromBigEndian<qint64>(v);
            break; // bigint, timestamp
        case 23:
            sink_ += qFromBigEndian<qint32>(v);
            break; // integer
        default:
            sink_ += QString::fromUtf8(v, PQgetlength(r, row, c)).size();
            break; // texts
        }
    }

    PGconn* conn_;
    std::vector<QByteArray> names_;
    std::vector<bool> limits_;
    quint64 trips_ = 0;
    static inline qint64 sink_ = 0;
};

} // namespace

std::unique_ptr<RawEngine> rawPostgresEngine(const QByteArray& conninfo) {
    return std::make_unique<RawPostgres>(conninfo);
}

} // namespace kv::bench
