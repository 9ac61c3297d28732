// WAL journal so that readers never block a writer of another process, synced in full at every commit
// so that a commit returned is one a power loss keeps; a busy timeout so that two processes writing at
// once wait for each other instead of failing; a folder on a network drive refused before anything is
// written there. A TIMESTAMP column's ISO text is
// turned into milliseconds as it is read, and a Timestamp parameter into that text as it is bound.
#include "sqlitebackend.h"

#include "isotime.h"
#include "networkdrive.h"
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

SqliteBackend::SqliteBackend(const ConnectParams& params)
    : Backend(params.database) {
    path_ = databasePath(params.folder, params.database);
    const QString folder = QFileInfo(path_).absolutePath();
    if (const QString kind = networkFileSystem(folder); !kind.isEmpty())
        throw StoreError(StoreError::Kind::Connection, networkDriveMessage(params.database, folder, kind), {}, 0,
                         false);
    if (!params.createMissing && !QFileInfo::exists(path_))
        throw StoreError(StoreError::Kind::Connection,
                         QStringLiteral("Databáze '%1' neexistuje (soubor %2).").arg(params.database, path_),
                         {}, 0, false);
    int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX;
    if (params.createMissing)
        flags |= SQLITE_OPEN_CREATE;
    const int rc = sqlite3_open_v2(path_.toUtf8().constData(), &db_, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString text = db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : QString();
        sqlite3_close(db_);
        db_ = nullptr;
        throw StoreError(
            StoreError::Kind::Connection,
            QStringLiteral("Databázi '%1' nelze otevřít (soubor %2).").arg(params.database, path_), text, rc,
            false);
    }
    sqlite3_extended_result_codes(db_, 1);
    sqlite3_busy_timeout(db_, 10000);
    try {
        // Reading the schema proves the file is a database, before anything is written to it.
        query(QStringLiteral("SELECT COUNT(*) FROM sqlite_master"), {}, 1);
        query(QStringLiteral("PRAGMA journal_mode=WAL"), {}, 1);
        // In WAL mode NORMAL may lose the last commits to a power loss; FULL syncs the log at each.
        execute(QStringLiteral("PRAGMA synchronous=FULL"), {});
        execute(QStringLiteral("PRAGMA cache_size=-%1").arg(kPageCacheKiB), {});
        locks_ = std::make_unique<SqliteLocks>(path_);
    } catch (const StoreError& e) {
        finalizeAll();
        sqlite3_close(db_);
        db_ = nullptr;
        throw StoreError(StoreError::Kind::Connection,
                         QStringLiteral("Soubor %1 není použitelná databáze.").arg(path_), e.engineText(),
                         e.engineCode(), false);
    }
}

SqliteBackend::~SqliteBackend() {
    finalizeAll();
    sqlite3_close(db_);
}

void SqliteBackend::finalizeAll() {
    for (Prepared* p : std::as_const(statements_)) {
        sqlite3_finalize(p->stmt);
        delete p;
    }
    statements_.clear();
    byBuffer_.clear();
}

void SqliteBackend::fail(const QString& message, const QString& sql, int rc) {
    const int primary = rc & 0xFF;
    const bool usable = primary != SQLITE_CORRUPT && primary != SQLITE_NOTADB && primary != SQLITE_IOERR &&
                        primary != SQLITE_CANTOPEN;
    // Some failures (a full disk, an I/O error) end the transaction inside the engine.
    if (transactionDepth() > 0 && sqlite3_get_autocommit(db_))
        noteTransactionLost();
    throw StoreError(primary == SQLITE_BUSY || primary == SQLITE_LOCKED ? StoreError::Kind::Locked
                                                                        : StoreError::Kind::Engine,
                     message, QString::fromUtf8(sqlite3_errmsg(db_)), rc, usable, sql);
}

SqliteBackend::Prepared& SqliteBackend::prepare(const QString& sql) {
    // Callers keep their statement texts, so the text's buffer is usually the one cached as the key;
    // the map holds that buffer alive, so an equal address means an equal text, without hashing it.
    if (Prepared* p = byBuffer_.value(sql.constData()))
        return *p;
    if (Prepared* p = statements_.value(sql))
        return *p;
    sqlite3_stmt* s = nullptr;
    const QByteArray utf8 = sql.toUtf8();
    const int rc =
        sqlite3_prepare_v3(db_, utf8.constData(), int(utf8.size()), SQLITE_PREPARE_PERSISTENT, &s, nullptr);
    if (rc != SQLITE_OK)
        fail(QStringLiteral("Chyba databáze při přípravě dotazu."), sql, rc);
    auto* p = new Prepared;
    p->stmt = s;
    p->readOnly = sqlite3_stmt_readonly(s) != 0;
    for (int c = 0, n = sqlite3_column_count(s); c < n; ++c) {
        const char* declared = sqlite3_column_decltype(s, c);
        p->timestamp.push_back(declared && qstrnicmp(declared, "TIMESTAMP", 9) == 0);
    }
    statements_.insert(sql, p);
    byBuffer_.insert(statements_.find(sql).key().constData(), p);
    return *p;
}

void SqliteBackend::bind(const Prepared& p, const QVariantList& params, const QString& sql) {
    sqlite3_stmt* stmt = p.stmt;
    for (int i = 0; i < params.size(); ++i) {
        const QVariant& v = params[i];
        int rc = SQLITE_OK;
        if (v.isNull()) {
            rc = sqlite3_bind_null(stmt, i + 1);
        } else if (v.metaType() == QMetaType::fromType<Timestamp>()) {
            char iso[kIsoDateTimeLength];
            isoFromMillis(v.value<Timestamp>().ms, iso);
            rc = sqlite3_bind_text(stmt, i + 1, iso, kIsoDateTimeLength, SQLITE_TRANSIENT);
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
            case QMetaType::Double:
                rc = sqlite3_bind_double(stmt, i + 1, v.toDouble());
                break;
            case QMetaType::Bool:
                rc = sqlite3_bind_int(stmt, i + 1, v.toBool() ? 1 : 0);
                break;
            default:
                rc = sqlite3_bind_int64(stmt, i + 1, v.toLongLong());
                break;
            }
        }
        if (rc != SQLITE_OK)
            fail(QStringLiteral("Chyba databáze při předání hodnoty."), sql, rc);
    }
}

QList<Row> SqliteBackend::query(const QString& sql, const QVariantList& params, int maxRows) {
    const Prepared& p = prepare(sql);
    sqlite3_stmt* s = p.stmt;
    bind(p, params, sql);
    noteRoundTrip();
    QList<Row> rows;
    const int n = sqlite3_column_count(s);
    int rc;
    while ((maxRows < 0 || rows.size() < maxRows) && (rc = sqlite3_step(s)) == SQLITE_ROW) {
        Row r;
        r.reserve(n);
        for (int c = 0; c < n; ++c) {
            switch (sqlite3_column_type(s, c)) {
            case SQLITE_INTEGER:
                r << QVariant(qint64(sqlite3_column_int64(s, c)));
                break;
            case SQLITE_FLOAT:
                r << QVariant(sqlite3_column_double(s, c));
                break;
            case SQLITE_TEXT: {
                const char* text = reinterpret_cast<const char*>(sqlite3_column_text(s, c));
                const int bytes = sqlite3_column_bytes(s, c);
                qint64 ms = 0;
                if (!p.timestamp[std::size_t(c)])
                    r << QVariant(QString::fromUtf8(text, bytes));
                else if (millisFromIso(text, bytes, &ms))
                    r << QVariant(ms);
                else
                    r << QVariant(); // a date-time another tool wrote in a form this program does not read
                break;
            }
            case SQLITE_BLOB:
                r << QVariant(QByteArray(static_cast<const char*>(sqlite3_column_blob(s, c)),
                                         sqlite3_column_bytes(s, c)));
                break;
            default:
                r << QVariant();
                break;
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

qint64 SqliteBackend::execute(const QString& sql, const QVariantList& params) {
    const Prepared& p = prepare(sql);
    bind(p, params, sql);
    noteRoundTrip();
    const int rc = sqlite3_step(p.stmt);
    sqlite3_reset(p.stmt);
    sqlite3_clear_bindings(p.stmt);
    if (rc != SQLITE_DONE && rc != SQLITE_ROW)
        fail(QStringLiteral("Chyba databáze při zápisu."), sql, rc);
    if (!p.readOnly)
        noteWrite();
    const qint64 changed = sqlite3_changes64(db_);
    if (changesSchema(sql))
        finalizeAll();
    return changed;
}

qint64 SqliteBackend::insert(const QString& sql, const QVariantList& params) {
    execute(sql, params);
    return sqlite3_last_insert_rowid(db_);
}

bool SqliteBackend::tableExists(const QString& table) {
    return !query(QStringLiteral(
                      "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE"),
                  {table}, 1)
                .isEmpty();
}

QStringList SqliteBackend::columnNames(const QString& table) {
    QStringList out;
    for (const Row& r : query(QStringLiteral("SELECT name FROM pragma_table_info(?)"), {table}, -1))
        out << r[0].toString();
    return out;
}

bool SqliteBackend::engineTryLock(quint32 tableTag, qint64 rowId) {
    return locks_->tryLock(tableTag, rowId);
}
void SqliteBackend::engineUnlock(quint32 tableTag, qint64 rowId) {
    locks_->unlock(tableTag, rowId);
}

// A date-time written in another form by some other tool would sort and compare wrongly against the
// fixed form, so the column refuses it.
QString SqliteBackend::columnCheck(FieldType type, const QString& quotedColumn) const {
    if (type == FieldType::Boolean)
        return QLatin1String("CHECK (") + quotedColumn + QLatin1String(" IN (0, 1))");
    if (type == FieldType::DateTime)
        return QLatin1String("CHECK (") + quotedColumn + QLatin1String(" IS NULL OR ") + quotedColumn +
               QLatin1String(
                   " GLOB '[0-9][0-9][0-9][0-9]-[0-1][0-9]-[0-3][0-9] [0-2][0-9]:[0-5][0-9]:[0-5][0-9]."
                   "[0-9][0-9][0-9]')");
    return {};
}

// Whole seconds by integer division rounded down (so that times before 1970 stay exact), the
// milliseconds written after them; 'unixepoch' reads an integer exactly.
QString SqliteBackend::timestampFromMillisSql(const QString& column) const {
    const QString c = column;
    const QString seconds =
        QLatin1String("(") + c + QLatin1String(" / 1000 - (") + c + QLatin1String(" % 1000 < 0))");
    return QLatin1String("CASE WHEN ") + c +
           QLatin1String(" IS NULL THEN NULL ELSE strftime('%Y-%m-%d %H:%M:%S', ") + seconds +
           QLatin1String(", 'unixepoch') || printf('.%03d', (") + c +
           QLatin1String(" % 1000 + 1000) % 1000) END");
}

// SQLite's triggers cannot change the row being written, so this one empties the key afterwards. The
// comparisons are the oldest forms, which every sqlite3 shell reading the schema knows.
QStringList SqliteBackend::sortKeyTriggerSql(const TableDef& def) const {
    QStringList out;
    for (const IndexDef& ix : def.indexes) {
        QStringList fields;
        for (const QString& f : ix.fields)
            fields << quote(f);
        out << QLatin1String("CREATE TRIGGER IF NOT EXISTS ") + quote(sortKeyTriggerName(def, ix)) +
                   QLatin1String(" AFTER UPDATE OF ") + fields.join(QLatin1String(", ")) +
                   QLatin1String(" ON ") + quote(def.name) + QLatin1String(" FOR EACH ROW WHEN ") +
                   sortKeyStaleSql(ix, QStringLiteral("IS"), QStringLiteral("IS NOT")) +
                   QLatin1String(" BEGIN UPDATE ") + quote(def.name) + QLatin1String(" SET ") +
                   quote(sortKeyColumn(ix.name)) + QLatin1String(" = NULL WHERE ") +
                   quote(QStringLiteral("_id")) + QLatin1String(" = NEW.") + quote(QStringLiteral("_id")) +
                   QLatin1String("; END");
    }
    return out;
}

QString SqliteBackend::booleanFromFlagSql(const QString& column) const {
    return QLatin1String("CASE WHEN ") + column + QLatin1String(" <> 0 THEN 1 ELSE 0 END");
}

} // namespace kv::store
