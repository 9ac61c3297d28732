// One connection to one database. The base holds what both engines share: transaction nesting with
// rollback-only, the count of record locks held, identifier quoting and the assembly of every
// statement the store and the set-up program run; the SQLite and PostgreSQL subclasses override only
// what differs. Every value travels as a bound parameter ("?" placeholders).
#pragma once

#include "tabledef.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QVariant>
#include <memory>

namespace kv::store {

// A row as read: qint64, QString, QByteArray or null, column by column. Date-time columns read as
// qint64 milliseconds of the wall-clock time since 1970 (no time zone), Boolean columns as qint64 0/1,
// whatever the engine's own type.
using Row = QList<QVariant>;

// A date-time parameter: milliseconds of the wall-clock time since 1970-01-01 00:00, no time zone.
// A bool parameter binds as the engine's Boolean.
struct Timestamp {
    qint64 ms = 0;
};

struct ConnectParams {
    enum class Protocol { SingleUser = 0, TcpIp = 1, IpxSpx = 2 };
    Protocol protocol = Protocol::SingleUser;
    QString server; // TCP/IP: host or host:port
    QString user;
    QString password; // empty: none is passed (PostgreSQL then reads its password file)
    QString database; // the alias: SQLite file base name in the program folder, or PostgreSQL database
    QString folder;   // single-user: the folder holding the database file (program folder)
    bool createMissing = false; // the set-up program only: create the database when it is missing
};

class Backend {
public:
    explicit Backend(QString database)
        : database_(std::move(database)) {}
    virtual ~Backend() = default;
    Backend(const Backend&) = delete;
    Backend& operator=(const Backend&) = delete;

    virtual QString engineName() const = 0;
    // The alias this connection reaches (the database's name in messages).
    const QString& databaseName() const { return database_; }

    // Runs a query and returns at most `maxRows` rows (all when negative). Throws StoreError.
    virtual QList<Row> query(const QString& sql, const QVariantList& params, int maxRows = -1) = 0;
    // Runs a statement; returns the number of rows it changed. Throws StoreError.
    virtual qint64 execute(const QString& sql, const QVariantList& params = {}) = 0;
    // Runs a statement made by insertSql() and returns the new row's storage key. Throws StoreError.
    virtual qint64 insert(const QString& sql, const QVariantList& params) = 0;

    virtual bool tableExists(const QString& table) = 0;
    virtual QStringList columnNames(const QString& table) = 0;

    // Record locks between stations; `tableTag` tells the tables apart. Neither waits. A lock lives until
    // unlocked or until the connection ends; while one is held the connection is never silently renewed.
    bool tryLockRow(quint32 tableTag, qint64 rowId);
    void unlockRow(quint32 tableTag, qint64 rowId);
    int heldLocks() const { return heldLocks_; }

    // Transactions nest: only the outermost begin and commit reach the engine. A rollback inside makes the
    // whole transaction rollback-only, and so does a failure after which the engine has ended it; the
    // outermost commit then rolls everything back and throws StoreError(State). commit() without begin()
    // throws StoreError(State); rollback() without begin() does nothing.
    void begin();
    void commit();
    void rollback();
    int transactionDepth() const { return depth_; }
    bool rollbackOnly() const { return rollbackOnly_; }

    // ---- statement assembly ----
    enum class Paging { None, Limit, LimitOffset }; // LIMIT ? [OFFSET ?] as the last parameters

    // A double-quoted identifier; a quote inside is written twice.
    static QString quote(const QString& identifier);
    // SELECT columns FROM table [WHERE w1 AND w2 ...] [ORDER BY orderBy] [LIMIT ? [OFFSET ?]]
    static QString selectSql(const QString& columns, const QString& table, const QStringList& where = {},
                             const QString& orderBy = {}, Paging paging = Paging::None);
    static QString updateSql(const QString& table, const QStringList& columns); // ... WHERE "_id" = ?
    static QString deleteSql(const QString& table);                             // ... WHERE "_id" = ?
    // INSERT INTO table (columns) VALUES (?, ...), with what the engine needs to give the new key back.
    virtual QString insertSql(const QString& table, const QStringList& columns) const;
    // The table with its hidden storage key and sort-key columns, then one index and the sort-key
    // trigger per named index.
    QStringList createTableSql(const TableDef& def) const;
    // Per named index, a trigger that empties a row's sort key when an update changes a field of the
    // index but not the key, as another tool does; the program fills the key in anew (Table). Each
    // statement may run again over a database that has what it makes, and changes nothing there.
    virtual QStringList sortKeyTriggerSql(const TableDef& def) const = 0;
    static QString createIndexSql(const QString& indexName, const QString& table, const QStringList& columns);
    // A column's type with its constraints, as CREATE TABLE writes it.
    QString columnDefinition(const FieldDef& field) const;

    // Expressions that convert a column of the layout before native types (date-times as milliseconds,
    // Booleans as 0/1) to this engine's native form, exactly.
    virtual QString timestampFromMillisSql(const QString& column) const = 0;
    virtual QString booleanFromFlagSql(const QString& column) const = 0;
    // The statement that lets the text column `column` of `table` hold `length` characters, for a
    // column an earlier layout made narrower; empty where the engine keeps texts of any length.
    virtual QString widenTextSql(const QString& table, const QString& column, int length) const {
        Q_UNUSED(table);
        Q_UNUSED(column);
        Q_UNUSED(length);
        return {};
    }
    // Rows were inserted into `table` with explicit storage keys: new rows must get keys above them.
    virtual void keysWritten(const QString& table) { Q_UNUSED(table); }

    // Whether a table's columns were already checked on this connection, so that reopening is cheap.
    bool tableVerified(const QString& table) const { return verified_.contains(table.toLower()); }
    void setTableVerified(const QString& table) { verified_.insert(table.toLower()); }

    // A data-changing statement on the same connection: cached counts and windows above go stale.
    quint64 writeGeneration() const { return writeGeneration_; }
    // Requests sent to the engine so far; for a server each one is a round trip over the network.
    quint64 roundTrips() const { return roundTrips_; }

protected:
    virtual QString beginSql() const { return QStringLiteral("BEGIN"); }
    // Whether the connection can still run statements; a lost one ends its transaction with it.
    virtual bool connectionAlive() const { return true; }
    virtual bool engineTryLock(quint32 tableTag, qint64 rowId) = 0;
    virtual void engineUnlock(quint32 tableTag, qint64 rowId) = 0;

    // Type names; the base gives the SQL standard's, an engine overrides what it names otherwise.
    virtual QString typeName(const FieldDef& field) const;
    virtual QString binaryTypeName() const { return QStringLiteral("BLOB"); }
    virtual QString keyColumnType() const = 0; // the hidden rising storage key
    // An extra constraint of a column, for an engine whose type alone does not keep the form (Booleans
    // to 0 and 1, date-times to the one text form that sorts and compares right). Empty: none.
    virtual QString columnCheck(FieldType type, const QString& quotedColumn) const {
        Q_UNUSED(type);
        Q_UNUSED(quotedColumn);
        return {};
    }

    // The sort-key trigger's name, and its condition: a field of the index changed, the key did not;
    // `same` and `differs` are the engine's comparisons that hold for two nulls and for none.
    static QString sortKeyTriggerName(const TableDef& def, const IndexDef& index);
    static QString sortKeyStaleSql(const IndexDef& index, const QString& same, const QString& differs);

    // CREATE, ALTER or DROP: statements prepared before may now read other columns or types.
    static bool changesSchema(const QString& sql);
    void noteWrite() { ++writeGeneration_; }
    void noteRoundTrip() { ++roundTrips_; }
    // The engine ended the open transaction on its own (a failure inside it, a lost connection).
    void noteTransactionLost() {
        if (depth_ > 0)
            rollbackOnly_ = true;
    }

private:
    void rollbackQuietly();

    QString database_;
    quint64 writeGeneration_ = 0;
    quint64 roundTrips_ = 0;
    QSet<QString> verified_;
    int depth_ = 0;
    bool rollbackOnly_ = false;
    int heldLocks_ = 0;
};

// The one 64-bit key of a record lock: 22 bits of the table's tag, 40 bits of the record's storage key.
inline qint64 rowLockKey(quint32 tableTag, qint64 rowId) {
    return (qint64(tableTag & 0x3FFFFF) << 40) | (rowId & ((qint64(1) << 40) - 1));
}

// Opens a backend for the protocol of `params`; throws StoreError(Connection) with a clear message.
std::unique_ptr<Backend> openBackend(const ConnectParams& params);

// A transaction taken in the constructor and rolled back in the destructor unless committed. Not copyable.
class Transaction {
public:
    explicit Transaction(Backend& backend)
        : backend_(backend) {
        backend_.begin();
    }
    ~Transaction() {
        if (!done_) {
            try {
                backend_.rollback();
            } catch (...) {
            }
        }
    }
    // Throws StoreError as Backend::commit(); the scope is over either way.
    void commit() {
        done_ = true;
        backend_.commit();
    }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

private:
    Backend& backend_;
    bool done_ = false;
};

} // namespace kv::store

Q_DECLARE_METATYPE(kv::store::Timestamp)
