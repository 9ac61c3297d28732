// Building a table cursor's SQL texts from its definition and active index.
#include "tablesql.h"

namespace kv::store {
namespace {
QString q(const QString& name) { return QLatin1Char('"') + name + QLatin1Char('"'); }
} // namespace

quint32 tableTag(const QString& tableName) {
    quint32 h = 2166136261u;
    for (QChar c : tableName.toLower()) {
        h ^= c.unicode();
        h *= 16777619u;
    }
    return h;
}

Table::Sql::Sql(const TableDef& def) {
    table = q(def.name);
    QStringList fieldCols, keyCols;
    for (const FieldDef& f : def.fields)
        fieldCols << q(f.name);
    for (int i = 0; i < def.indexes.size(); ++i) {
        const IndexDef& ix = def.indexes[i];
        keyCols << q(sortKeyColumn(ix.name));
        QList<int> positions;
        for (const QString& name : ix.fields)
            positions << def.fieldIndex(name);
        indexFields << positions;
        if (!def.activeIndex.isEmpty() && ix.name.compare(def.activeIndex, Qt::CaseInsensitive) == 0)
            activeIndex = i;
    }
    sequential = activeIndex < 0;
    const QString id = q(QStringLiteral("_id"));
    if (sequential) {
        columns = id + QLatin1String(", ") + fieldCols.join(QLatin1String(", "));
        fieldOffset = 1;
        orderAsc = QLatin1String(" ORDER BY ") + id;
        orderDesc = QLatin1String(" ORDER BY ") + id + QLatin1String(" DESC");
        after = id + QLatin1String(" > ?");
        before = id + QLatin1String(" < ?");
    } else {
        const QString key = keyCols[activeIndex];
        columns = id + QLatin1String(", ") + key + QLatin1String(", ") + fieldCols.join(QLatin1String(", "));
        fieldOffset = 2;
        orderAsc = QLatin1String(" ORDER BY ") + key + QLatin1String(", ") + id;
        orderDesc = QLatin1String(" ORDER BY ") + key + QLatin1String(" DESC, ") + id + QLatin1String(" DESC");
        after = QLatin1Char('(') + key + QLatin1String(", ") + id + QLatin1String(") > (?, ?)");
        before = QLatin1Char('(') + key + QLatin1String(", ") + id + QLatin1String(") < (?, ?)");
    }
    const QStringList all = fieldCols + keyCols;
    QStringList marks, sets;
    for (const QString& c : all) {
        marks << QStringLiteral("?");
        sets << c + QLatin1String(" = ?");
    }
    insert = QLatin1String("INSERT INTO ") + table + QLatin1String(" (") + all.join(QLatin1String(", ")) +
             QLatin1String(") VALUES (") + marks.join(QLatin1String(", ")) + QLatin1Char(')');
    update = QLatin1String("UPDATE ") + table + QLatin1String(" SET ") + sets.join(QLatin1String(", ")) +
             QLatin1String(" WHERE ") + id + QLatin1String(" = ?");
    remove = QLatin1String("DELETE FROM ") + table + QLatin1String(" WHERE ") + id + QLatin1String(" = ?");
}

} // namespace kv::store
