// The raw side of the database cases: SQLite's C API with each statement prepared once and kept,
// every column of every row read as the store reads it.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <sqlite3.h>
#include <vector>

namespace kv::bench {

class RawSqlite {
public:
    explicit RawSqlite(const QString& path);
    ~RawSqlite();
    RawSqlite(const RawSqlite&) = delete;
    RawSqlite& operator=(const RawSqlite&) = delete;

    // Prepared once, finalized with the connection.
    sqlite3_stmt* prepare(const QByteArray& sql);

    // Binds `params` from the first parameter on as the store binds them: date-times as their text,
    // Booleans and integers as integers.
    static void bind(sqlite3_stmt* s, const QVariantList& params);
    // Steps up to `rows` rows reading each column, then resets the statement; returns the rows read.
    // A statement ending in "LIMIT ?", as the store's do, gets `rows` bound to that last parameter.
    static int run(sqlite3_stmt* s, int rows = 1);
    // The same, keeping each row as texts (integers as digits): what a plain grid would show.
    static QList<QStringList> texts(sqlite3_stmt* s, int rows);

private:
    sqlite3* db_ = nullptr;
    std::vector<sqlite3_stmt*> statements_;
};

} // namespace kv::bench
