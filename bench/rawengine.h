// The raw side of the store cases on either engine: each statement prepared once and kept, parameters
// bound as the engine's own types, every column of every row read as its native type (SQLite: text
// and integers; PostgreSQL: binary results of text, integers, Booleans, timestamps, bytea).
#pragma once

#include <QByteArray>
#include <QString>
#include <QVariantList>
#include <memory>

namespace kv::bench {

class RawEngine {
public:
    virtual ~RawEngine() = default;
    // A statement with "?" placeholders; returns its handle.
    virtual int prepare(const QByteArray& sql) = 0;
    // Runs a statement with `params` (qint64, bool, QString, QByteArray or store::Timestamp) and reads
    // up to `rows` rows; a statement ending in "LIMIT ?" gets `rows` bound as its last parameter.
    // Returns the rows read.
    virtual int run(int statement, const QVariantList& params, int rows = 1) = 0;
    // Requests sent to the engine; for a server each is a round trip.
    virtual quint64 roundTrips() const = 0;
};

std::unique_ptr<RawEngine> rawSqliteEngine(const QString& databasePath);
// `conninfo`: a libpq connection string naming the database.
std::unique_ptr<RawEngine> rawPostgresEngine(const QByteArray& conninfo);

} // namespace kv::bench
