// One connection to one database, the part of the store that differs between engines. SQL text
// reaches a backend with "?" placeholders and double-quoted identifiers; every value travels as a
// bound parameter. Everything common (cursor, filters, editing, DDL from the schema) lives above.
#pragma once

#include "tabledef.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QVariant>
#include <memory>

namespace kv::store {

using Row = QList<QVariant>; // qint64, QString, QByteArray or null, column by column

struct ConnectParams {
    enum class Protocol { SingleUser = 0, TcpIp = 1, IpxSpx = 2 };
    Protocol protocol = Protocol::SingleUser;
    QString server;     // TCP/IP: host or host:port
    QString user;
    QString password;
    QString database;   // the alias: SQLite file base name in the program folder, or PostgreSQL database
    QString folder;     // single-user: the folder holding the database file (program folder)
    bool createMissing = false; // the set-up program only: create the database when it is missing
};

class Backend {
public:
    virtual ~Backend() = default;

    virtual QString engineName() const = 0;

    // Runs a query and returns at most `maxRows` rows (all when negative). Throws StoreError.
    virtual QList<Row> query(const QString& sql, const QVariantList& params, int maxRows = -1) = 0;
    // Runs a statement; returns the number of rows it changed. Throws StoreError.
    virtual qint64 execute(const QString& sql, const QVariantList& params = {}) = 0;
    // Runs an INSERT into `table` and returns the new row's storage key.
    virtual qint64 insert(const QString& table, const QString& sql, const QVariantList& params) = 0;

    virtual bool tableExists(const QString& table) = 0;
    virtual QStringList columnNames(const QString& table) = 0;

    // Record locks between stations; `tableTag` tells the tables apart. Neither waits.
    virtual bool tryLockRow(quint32 tableTag, qint64 rowId) = 0;
    virtual void unlockRow(quint32 tableTag, qint64 rowId) = 0;

    virtual void begin() = 0;
    virtual void commit() = 0;
    virtual void rollback() = 0;

    // DDL pieces for the set-up program.
    virtual QString columnType(FieldType type) const = 0;
    virtual QString keyColumnType() const = 0;      // the hidden rising storage key
    virtual QString sortKeyColumnType() const = 0;  // the binary collation key of an index

    // Whether a table's columns were already checked on this connection, so that reopening is cheap.
    bool tableVerified(const QString& table) const { return verified_.contains(table.toLower()); }
    void setTableVerified(const QString& table) { verified_.insert(table.toLower()); }

    // A data-changing statement on the same connection: cached counts and windows above go stale.
    quint64 writeGeneration() const { return writeGeneration_; }

protected:
    void noteWrite() { ++writeGeneration_; }

private:
    quint64 writeGeneration_ = 0;
    QSet<QString> verified_;
};

// The one 64-bit key of a record lock: 22 bits of the table's tag, 40 bits of the record's storage key.
inline qint64 rowLockKey(quint32 tableTag, qint64 rowId) {
    return (qint64(tableTag & 0x3FFFFF) << 40) | (rowId & ((qint64(1) << 40) - 1));
}

// Opens a backend for the protocol of `params`; throws StoreError(Connection) with a clear message.
std::unique_ptr<Backend> openBackend(const ConnectParams& params);

// A transaction taken in the constructor and rolled back in the destructor unless committed.
class Transaction {
public:
    explicit Transaction(Backend& backend) : backend_(backend) { backend_.begin(); }
    ~Transaction() {
        if (!done_) {
            try {
                backend_.rollback();
            } catch (...) {
            }
        }
    }
    void commit() {
        backend_.commit();
        done_ = true;
    }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

private:
    Backend& backend_;
    bool done_ = false;
};

} // namespace kv::store
