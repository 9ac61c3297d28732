// WAL journal so that readers never block a writer of another process; a busy timeout so that two
// processes writing at once wait for each other instead of failing.
#include "sqlitebackend.h"

#include "storeerror.h"

#include <QFileInfo>
#include <sqlite3.h>

namespace kv::store {

QString SqliteBackend::databasePath(const QString& folder, const QString& alias) {
    QString f = folder;
    if (!f.isEmpty() && !f.endsWith(QLatin1Char('/')))
        f += QLatin1Char('/');
    return f + alias + QLatin1String(".sqlite");
}

SqliteBackend::SqliteBackend(const ConnectParams& params) {
    path_ = databasePath(params.folder, params.database);
    if (!params.createMissing && !QFileInfo::exists(path_))
        throw StoreError(StoreError::Kind::Connection,
                         QStringLiteral("Databáze '%1' neexistuje (soubor %2).").arg(params.database, path_), {}, 0,
                         false);
    int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX;
    if (params.createMissing)
        flags |= SQLITE_OPEN_CREATE;
    const int rc = sqlite3_open_v2(path_.toUtf8().constData(), &db_, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString text = db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : QString();
        sqlite3_close(db_);
        db_ = nullptr;
        throw StoreError(StoreError::Kind::Connection,
                         QStringLiteral("Databázi '%1' nelze otevřít (soubor %2).").arg(params.database, path_), text, rc,
                         false);
    }
    sqlite3_extended_result_codes(db_, 1);
    sqlite3_busy_timeout(db_, 10000);
    try {
        // Reading the schema proves the file is a database, before anything is written to it.
        query(QStringLiteral("SELECT COUNT(*) FROM sqlite_master"), {}, 1);
        query(QStringLiteral("PRAGMA journal_mode=WAL"), {}, 1);
        execute(QStringLiteral("PRAGMA synchronous=NORMAL"), {});
        locks_ = std::make_unique<SqliteLocks>(path_);
    } catch (const StoreError& e) {
        for (sqlite3_stmt* s : std::as_const(statements_))
            sqlite3_finalize(s);
        statements_.clear();
        byBuffer_.clear();
        sqlite3_close(db_);
        db_ = nullptr;
        throw StoreError(StoreError::Kind::Connection,
                         QStringLiteral("Soubor %1 není použitelná databáze.").arg(path_), e.engineText(),
                         e.engineCode(), false);
    }
}

SqliteBackend::~SqliteBackend() {
    for (sqlite3_stmt* s : std::as_const(statements_))
        sqlite3_finalize(s);
    sqlite3_close(db_);
}

void SqliteBackend::fail(const QString& message, const QString& sql, int rc) {
    const int primary = rc & 0xFF;
    const bool usable = primary != SQLITE_CORRUPT && primary != SQLITE_NOTADB && primary != SQLITE_IOERR &&
                        primary != SQLITE_CANTOPEN;
    throw StoreError(primary == SQLITE_BUSY || primary == SQLITE_LOCKED ? StoreError::Kind::Locked : StoreError::Kind::Engine,
                     message, QString::fromUtf8(sqlite3_errmsg(db_)), rc, usable, sql);
}

sqlite3_stmt* SqliteBackend::prepare(const QString& sql) {
    // Callers keep their statement texts, so the text's buffer is usually the one cached as the key;
    // the map holds that buffer alive, so an equal address means an equal text, without hashing it.
    if (sqlite3_stmt* s = byBuffer_.value(sql.constData()))
        return s;
    if (sqlite3_stmt* s = statements_.value(sql))
        return s;
    sqlite3_stmt* s = nullptr;
    const QByteArray utf8 = sql.toUtf8();
    const int rc = sqlite3_prepare_v3(db_, utf8.constData(), int(utf8.size()), SQLITE_PREPARE_PERSISTENT, &s, nullptr);
    if (rc != SQLITE_OK)
        fail(QStringLiteral("Chyba databáze při přípravě dotazu."), sql, rc);
    statements_.insert(sql, s);
    byBuffer_.insert(statements_.find(sql).key().constData(), s);
    return s;
}

void SqliteBackend::bind(sqlite3_stmt* stmt, const QVariantList& params, const QString& sql) {
    for (int i = 0; i < params.size(); ++i) {
        const QVariant& v = params[i];
        int rc = SQLITE_OK;
        if (v.isNull()) {
            rc = sqlite3_bind_null(stmt, i + 1);
        } else {
            switch (v.typeId()) {
            case QMetaType::QString: {
                const QByteArray t = v.toString().toUtf8();
                rc = sqlite3_bind_text(stmt, i + 1, t.constData(), int(t.size()), SQLITE_TRANSIENT);
                break;
            }
            case QMetaType::QByteArray: {
                const QByteArray b = v.toByteArray();
                rc = sqlite3_bind_blob(stmt, i + 1, b.constData(), int(b.size()), SQLITE_TRANSIENT);
                break;
            }
            case QMetaType::Double: rc = sqlite3_bind_double(stmt, i + 1, v.toDouble()); break;
            default: rc = sqlite3_bind_int64(stmt, i + 1, v.toLongLong()); break;
            }
        }
        if (rc != SQLITE_OK)
            fail(QStringLiteral("Chyba databáze při předání hodnoty."), sql, rc);
    }
}

QList<Row> SqliteBackend::query(const QString& sql, const QVariantList& params, int maxRows) {
    sqlite3_stmt* s = prepare(sql);
    bind(s, params, sql);
    QList<Row> rows;
    const int n = sqlite3_column_count(s);
    int rc;
    while ((maxRows < 0 || rows.size() < maxRows) && (rc = sqlite3_step(s)) == SQLITE_ROW) {
        Row r;
        r.reserve(n);
        for (int c = 0; c < n; ++c) {
            switch (sqlite3_column_type(s, c)) {
            case SQLITE_INTEGER: r << QVariant(qint64(sqlite3_column_int64(s, c))); break;
            case SQLITE_FLOAT: r << QVariant(sqlite3_column_double(s, c)); break;
            case SQLITE_TEXT:
                r << QVariant(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, c)),
                                                sqlite3_column_bytes(s, c)));
                break;
            case SQLITE_BLOB:
                r << QVariant(QByteArray(static_cast<const char*>(sqlite3_column_blob(s, c)), sqlite3_column_bytes(s, c)));
                break;
            default: r << QVariant(); break;
            }
        }
        rows << std::move(r);
    }
    if (maxRows >= 0 && rows.size() >= maxRows)
        rc = SQLITE_ROW;
    sqlite3_reset(s);
    sqlite3_clear_bindings(s);
    if (rc != SQLITE_DONE && rc != SQLITE_ROW)
        fail(QStringLiteral("Chyba databáze při čtení."), sql, rc);
    return rows;
}

bool SqliteBackend::isWrite(const QString& sql) const { return !sqlite3_stmt_readonly(statements_.value(sql)); }

qint64 SqliteBackend::execute(const QString& sql, const QVariantList& params) {
    sqlite3_stmt* s = prepare(sql);
    bind(s, params, sql);
    const int rc = sqlite3_step(s);
    sqlite3_reset(s);
    sqlite3_clear_bindings(s);
    if (rc != SQLITE_DONE && rc != SQLITE_ROW)
        fail(QStringLiteral("Chyba databáze při zápisu."), sql, rc);
    if (isWrite(sql))
        noteWrite();
    return sqlite3_changes64(db_);
}

qint64 SqliteBackend::insert(const QString&, const QString& sql, const QVariantList& params) {
    execute(sql, params);
    return sqlite3_last_insert_rowid(db_);
}

bool SqliteBackend::tableExists(const QString& table) {
    return !query(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE"),
                  {table}, 1)
                .isEmpty();
}

QStringList SqliteBackend::columnNames(const QString& table) {
    QStringList out;
    for (const Row& r : query(QStringLiteral("SELECT name FROM pragma_table_info(?)"), {table}, -1))
        out << r[0].toString();
    return out;
}

bool SqliteBackend::tryLockRow(quint32 tableTag, qint64 rowId) { return locks_->tryLock(tableTag, rowId); }
void SqliteBackend::unlockRow(quint32 tableTag, qint64 rowId) { locks_->unlock(tableTag, rowId); }

void SqliteBackend::begin() {
    if (depth_++ == 0)
        execute(QStringLiteral("BEGIN IMMEDIATE"), {});
}

void SqliteBackend::commit() {
    if (depth_ > 0 && --depth_ == 0)
        execute(QStringLiteral("COMMIT"), {});
}

void SqliteBackend::rollback() {
    if (depth_ > 0) {
        depth_ = 0;
        execute(QStringLiteral("ROLLBACK"), {});
    }
}

QString SqliteBackend::columnType(FieldType type) const {
    switch (type) {
    case FieldType::String:
    case FieldType::Memo: return QStringLiteral("TEXT NOT NULL DEFAULT ''");
    case FieldType::Boolean: return QStringLiteral("INTEGER NOT NULL DEFAULT 0");
    case FieldType::Integer:
    case FieldType::DateTime: return QStringLiteral("INTEGER");
    case FieldType::Graphic: return QStringLiteral("BLOB");
    }
    return {};
}

} // namespace kv::store
