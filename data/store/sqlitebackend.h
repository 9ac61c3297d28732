// The embedded engine: one SQLite database file in the program folder, named after the alias.
// Opening never creates the file (unless the set-up program asks), so a missing database is a
// connection failure. Statements are prepared once and kept.
#pragma once

#include "backend.h"
#include "sqlitelocks.h"

#include <QHash>
#include <memory>

struct sqlite3;
struct sqlite3_stmt;

namespace kv::store {

class SqliteBackend : public Backend {
public:
    explicit SqliteBackend(const ConnectParams& params);
    ~SqliteBackend() override;

    static QString databasePath(const QString& folder, const QString& alias);

    QString engineName() const override { return QStringLiteral("SQLite"); }
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
    QString keyColumnType() const override { return QStringLiteral("INTEGER PRIMARY KEY"); }
    QString sortKeyColumnType() const override { return QStringLiteral("BLOB"); }

private:
    sqlite3_stmt* prepare(const QString& sql);
    void bind(sqlite3_stmt* stmt, const QVariantList& params, const QString& sql);
    [[noreturn]] void fail(const QString& message, const QString& sql, int rc);
    bool isWrite(const QString& sql) const;

    sqlite3* db_ = nullptr;
    QString path_;
    QHash<QString, sqlite3_stmt*> statements_;
    QHash<const void*, sqlite3_stmt*> byBuffer_; // the key text's buffer -> its statement
    std::unique_ptr<SqliteLocks> locks_;
    int depth_ = 0;
};

} // namespace kv::store
