// What both engines share: transaction nesting, record-lock bookkeeping, statement assembly and the
// choice of engine by protocol.
#include "backend.h"

#include "pgbackend.h"
#include "sqlitebackend.h"
#include "storeerror.h"

namespace kv::store {

std::unique_ptr<Backend> openBackend(const ConnectParams& params) {
    switch (params.protocol) {
    case ConnectParams::Protocol::SingleUser:
        return std::make_unique<SqliteBackend>(params);
    case ConnectParams::Protocol::TcpIp:
        return std::make_unique<PgBackend>(params);
    case ConnectParams::Protocol::IpxSpx:
        break;
    }
    throw StoreError(StoreError::Kind::Connection,
                     QStringLiteral("Protokol IPX/SPX není v tomto systému k dispozici."), {}, 0, false);
}

// ---- record locks ----

bool Backend::tryLockRow(quint32 tableTag, qint64 rowId) {
    if (!engineTryLock(tableTag, rowId))
        return false;
    ++heldLocks_;
    return true;
}

void Backend::unlockRow(quint32 tableTag, qint64 rowId) {
    if (heldLocks_ > 0)
        --heldLocks_;
    // A lost connection took its locks with it; there is nothing left to release.
    if (connectionAlive())
        engineUnlock(tableTag, rowId);
}

// ---- transactions ----

void Backend::begin() {
    if (depth_ == 0) {
        execute(beginSql());
        rollbackOnly_ = false;
    }
    ++depth_;
}

void Backend::commit() {
    if (depth_ == 0)
        throw StoreError(StoreError::Kind::State, QStringLiteral("Není otevřena žádná transakce."));
    if (depth_ > 1) {
        --depth_;
        return;
    }
    if (rollbackOnly_) {
        rollbackQuietly();
        throw StoreError(StoreError::Kind::State,
                         QStringLiteral("Transakci nelze dokončit: její část se nepodařila a byla odvolána, "
                                        "proto nebylo uloženo nic z celé transakce."));
    }
    try {
        execute(QStringLiteral("COMMIT"));
    } catch (...) {
        rollbackQuietly();
        throw;
    }
    depth_ = 0;
}

// Ends the outermost transaction after a failure; the failure is what the caller reports.
void Backend::rollbackQuietly() {
    try {
        rollback();
    } catch (const StoreError&) {
        depth_ = 0;
        rollbackOnly_ = false;
    }
}

void Backend::rollback() {
    if (depth_ == 0)
        return;
    if (depth_ > 1) {
        --depth_;
        rollbackOnly_ = true;
        return;
    }
    depth_ = 0;
    rollbackOnly_ = false;
    // Rows written inside are gone again: what cursors read meanwhile is stale.
    noteWrite();
    if (connectionAlive())
        execute(QStringLiteral("ROLLBACK"));
}

// ---- statement assembly ----

bool Backend::changesSchema(const QString& sql) {
    for (const char* verb : {"CREATE ", "ALTER ", "DROP "})
        if (sql.startsWith(QLatin1String(verb), Qt::CaseInsensitive))
            return true;
    return false;
}

QString Backend::quote(const QString& identifier) {
    QString out = identifier;
    out.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + out + QLatin1Char('"');
}

QString Backend::selectSql(const QString& columns, const QString& table, const QStringList& where,
                           const QString& orderBy, Paging paging) {
    QString sql = QLatin1String("SELECT ") + columns + QLatin1String(" FROM ") + table;
    if (!where.isEmpty())
        sql += QLatin1String(" WHERE ") + where.join(QLatin1String(" AND "));
    if (!orderBy.isEmpty())
        sql += QLatin1String(" ORDER BY ") + orderBy;
    if (paging != Paging::None)
        sql += QLatin1String(" LIMIT ?");
    if (paging == Paging::LimitOffset)
        sql += QLatin1String(" OFFSET ?");
    return sql;
}

QString Backend::updateSql(const QString& table, const QStringList& columns) {
    QStringList sets;
    for (const QString& c : columns)
        sets << c + QLatin1String(" = ?");
    return QLatin1String("UPDATE ") + table + QLatin1String(" SET ") + sets.join(QLatin1String(", ")) +
           QLatin1String(" WHERE ") + quote(QStringLiteral("_id")) + QLatin1String(" = ?");
}

QString Backend::deleteSql(const QString& table) {
    return QLatin1String("DELETE FROM ") + table + QLatin1String(" WHERE ") + quote(QStringLiteral("_id")) +
           QLatin1String(" = ?");
}

QString Backend::insertSql(const QString& table, const QStringList& columns) const {
    QStringList marks;
    for (qsizetype i = 0; i < columns.size(); ++i)
        marks << QStringLiteral("?");
    return QLatin1String("INSERT INTO ") + table + QLatin1String(" (") + columns.join(QLatin1String(", ")) +
           QLatin1String(") VALUES (") + marks.join(QLatin1String(", ")) + QLatin1Char(')');
}

QString Backend::typeName(const FieldDef& field) const {
    switch (field.type) {
    case FieldType::String:
        return field.size > 0 ? QStringLiteral("VARCHAR(%1)").arg(field.size) : QStringLiteral("TEXT");
    case FieldType::Memo:
        return QStringLiteral("TEXT");
    case FieldType::Boolean:
        return QStringLiteral("BOOLEAN");
    case FieldType::Integer:
        return QStringLiteral("INTEGER");
    case FieldType::DateTime:
        return QStringLiteral("TIMESTAMP");
    case FieldType::Graphic:
        return binaryTypeName();
    }
    return {};
}

QString Backend::columnDefinition(const FieldDef& field) const {
    QString def = typeName(field);
    switch (field.type) {
    case FieldType::String:
    case FieldType::Memo:
        def += QLatin1String(" NOT NULL DEFAULT ''");
        break;
    case FieldType::Boolean:
        def += QLatin1String(" NOT NULL DEFAULT FALSE");
        break;
    case FieldType::Integer:
    case FieldType::DateTime:
    case FieldType::Graphic:
        break;
    }
    const QString check = columnCheck(field.type, quote(field.name));
    if (!check.isEmpty())
        def += QLatin1Char(' ') + check;
    return def;
}

QString Backend::createIndexSql(const QString& indexName, const QString& table, const QStringList& columns) {
    return QLatin1String("CREATE INDEX IF NOT EXISTS ") + quote(indexName) + QLatin1String(" ON ") +
           quote(table) + QLatin1String(" (") + columns.join(QLatin1String(", ")) + QLatin1Char(')');
}

QStringList Backend::createTableSql(const TableDef& def) const {
    const QString id = quote(QStringLiteral("_id"));
    QStringList cols{id + QLatin1Char(' ') + keyColumnType()};
    for (const QString& name : def.storedFieldOrder()) {
        const FieldDef& f = def.fields[def.fieldIndex(name)];
        cols << quote(f.name) + QLatin1Char(' ') + columnDefinition(f);
    }
    for (const IndexDef& ix : def.indexes)
        cols << quote(sortKeyColumn(ix.name)) + QLatin1Char(' ') + binaryTypeName();
    QStringList out{QLatin1String("CREATE TABLE ") + quote(def.name) + QLatin1String(" (") +
                    cols.join(QLatin1String(", ")) + QLatin1Char(')')};
    for (const IndexDef& ix : def.indexes)
        out << createIndexSql(QLatin1String("ix_") + def.name + QLatin1Char('_') + ix.name, def.name,
                              {quote(sortKeyColumn(ix.name)), id});
    return out + sortKeyTriggerSql(def);
}

QString Backend::sortKeyTriggerName(const TableDef& def, const IndexDef& index) {
    return QLatin1String("kv_k_") + def.name + QLatin1Char('_') + index.name;
}

QString Backend::sortKeyStaleSql(const IndexDef& index, const QString& same, const QString& differs) {
    auto compare = [](const QString& column, const QString& op) {
        return QLatin1String("NEW.") + quote(column) + QLatin1Char(' ') + op + QLatin1String(" OLD.") +
               quote(column);
    };
    QStringList changed;
    for (const QString& field : index.fields)
        changed << compare(field, differs);
    return compare(sortKeyColumn(index.name), same) + QLatin1String(" AND (") +
           changed.join(QLatin1String(" OR ")) + QLatin1Char(')');
}

} // namespace kv::store
