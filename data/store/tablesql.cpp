// Building a table cursor's SQL texts from its definition and active index.
#include "tablesql.h"

namespace kv::store {

quint32 tableTag(const QString& tableName) {
    quint32 h = 2166136261u;
    for (QChar c : tableName.toLower()) {
        h ^= c.unicode();
        h *= 16777619u;
    }
    return h;
}

Table::Sql::Sql(const TableDef& def) {
    table = Backend::quote(def.name);
    QStringList fieldCols, keyCols;
    for (const FieldDef& f : def.fields)
        fieldCols << Backend::quote(f.name);
    for (int i = 0; i < def.indexes.size(); ++i) {
        const IndexDef& ix = def.indexes[i];
        keyCols << Backend::quote(sortKeyColumn(ix.name));
        QList<int> positions;
        for (const QString& name : ix.fields)
            positions << def.fieldIndex(name);
        indexFields << positions;
        if (!def.activeIndex.isEmpty() && ix.name.compare(def.activeIndex, Qt::CaseInsensitive) == 0)
            activeIndex = i;
    }
    sequential = activeIndex < 0;
    const QString id = Backend::quote(QStringLiteral("_id"));
    if (sequential) {
        columns = id + QLatin1String(", ") + fieldCols.join(QLatin1String(", "));
        fieldOffset = 1;
        orderAsc = id;
        orderDesc = id + QLatin1String(" DESC");
        after = id + QLatin1String(" > ?");
        before = id + QLatin1String(" < ?");
    } else {
        const QString key = keyCols[activeIndex];
        columns = id + QLatin1String(", ") + key + QLatin1String(", ") + fieldCols.join(QLatin1String(", "));
        fieldOffset = 2;
        orderAsc = key + QLatin1String(", ") + id;
        orderDesc = key + QLatin1String(" DESC, ") + id + QLatin1String(" DESC");
        after = QLatin1Char('(') + key + QLatin1String(", ") + id + QLatin1String(") > (?, ?)");
        before = QLatin1Char('(') + key + QLatin1String(", ") + id + QLatin1String(") < (?, ?)");
    }
    writtenColumns = fieldCols + keyCols;
    if (!keyCols.isEmpty()) {
        const QString missing =
            QLatin1Char('(') + keyCols.join(QLatin1String(" IS NULL OR ")) + QLatin1String(" IS NULL)");
        keysMissing = QLatin1String("EXISTS (SELECT 1 FROM ") + table + QLatin1String(" WHERE ") + missing +
                      QLatin1Char(')');
        QStringList read{id}, unchanged;
        for (const QList<int>& positions : std::as_const(indexFields))
            for (int p : positions)
                if (p >= 0 && !keyFields.contains(p))
                    keyFields << p;
        for (int p : std::as_const(keyFields)) {
            read << fieldCols[p];
            unchanged << fieldCols[p] + QLatin1String(" IS NOT DISTINCT FROM ?");
        }
        missingRows =
            Backend::selectSql(read.join(QLatin1String(", ")), table, {missing}, {}, Backend::Paging::Limit);
        keysUpdate = Backend::updateSql(table, keyCols);
        if (!unchanged.isEmpty())
            keysUpdate += QLatin1String(" AND ") + unchanged.join(QLatin1String(" AND "));
    }
    update = Backend::updateSql(table, writtenColumns);
    remove = Backend::deleteSql(table);
}

void Table::Sql::useEngine(const Backend& backend) {
    if (insertEngine == backend.engineName())
        return;
    insert = backend.insertSql(table, writtenColumns);
    insertEngine = backend.engineName();
}

QString Table::Sql::select(const QStringList& where, bool ascending, Backend::Paging paging) const {
    return Backend::selectSql(columns, table, where, ascending ? orderAsc : orderDesc, paging);
}

QString Table::Sql::first(const QStringList& where) const {
    const QString list = probes() ? columns + QLatin1String(", ") + keysMissing : columns;
    if (!where.isEmpty())
        return Backend::selectSql(list, table, where, orderAsc, Backend::Paging::Limit);
    return Backend::selectSql(list, table, {}, orderAsc) + QLatin1String(" LIMIT 1");
}

} // namespace kv::store
