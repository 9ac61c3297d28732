// The embedded engine: one SQLite database file in the program folder, named after the alias.
// Opening never creates the file (unless the set-up program asks), so a missing database is a
// connection failure. Statements are prepared once and kept. Date-times are ISO text with
// milliseconds in TIMESTAMP columns, Booleans 0 and 1 under a CHECK.
#pragma once

#include "backend.h"
#include "sqlitelocks.h"

#include <QHash>
#include <memory>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace kv::store {

class SqliteBackend : public Backend {
public:
    explicit SqliteBackend(const ConnectParams& params);
    ~SqliteBackend() override;

    static QString databasePath(const QString& folder, const QString& alias);
    // The most memory a connection keeps for cached database pages, KiB. The default 2 MB hold less
    // than one state of the orders filter over a large table: switching between states, or printing
    // the list again, would read the file anew every time. The cache only grows as pages are read,
    // and another station's write empties it.
    static constexpr int kPageCacheKiB = 32 * 1024;

    QString engineName() const override { return QStringLiteral("SQLite"); }
    QList<Row> query(const QString& sql, const QVariantList& params, int maxRows) override;
    qint64 execute(const QString& sql, const QVariantList& params) override;
    qint64 insert(const QString& sql, const QVariantList& params) override;
    bool tableExists(const QString& table) override;
    QStringList columnNames(const QString& table) override;
    QString timestampFromMillisSql(const QString& column) const override;
    QString booleanFromFlagSql(const QString& column) const override;
    QStringList sortKeyTriggerSql(const TableDef& def) const override;

protected:
    QString beginSql() const override { return QStringLiteral("BEGIN IMMEDIATE"); }
    bool engineTryLock(quint32 tableTag, qint64 rowId) override;
    void engineUnlock(quint32 tableTag, qint64 rowId) override;
    QString keyColumnType() const override { return QStringLiteral("INTEGER PRIMARY KEY"); }
    QString columnCheck(FieldType type, const QString& quotedColumn) const override;

private:
    // A prepared statement and which of its result columns are declared TIMESTAMP.
    struct Prepared {
        sqlite3_stmt* stmt = nullptr;
        std::vector<bool> timestamp;
        bool readOnly = true;
    };

    Prepared& prepare(const QString& sql);
    void bind(const Prepared& p, const QVariantList& params, const QString& sql);
    [[noreturn]] void fail(const QString& message, const QString& sql, int rc);
    void finalizeAll();

    sqlite3* db_ = nullptr;
    QString path_;
    QHash<QString, Prepared*> statements_;
    QHash<const void*, Prepared*> byBuffer_; // the key text's buffer -> its statement
    std::unique_ptr<SqliteLocks> locks_;
};

} // namespace kv::store
