// The SQL texts one table's cursor needs, built once from its definition: the select list, the
// order of the active index both ways, the keyset conditions that continue from a record, and the
// insert, update and delete statements. Column and table names are always double-quoted.
#pragma once

#include "table.h"

namespace kv::store {

class Table::Sql {
public:
    explicit Sql(const TableDef& def);

    QString table;           // "Name"
    QString columns;         // "_id"[, "_k_Index"], fields in the program's order
    int fieldOffset = 1;     // column of the first field in a selected row
    bool sequential = true;  // the active index is the storage order
    QString orderAsc;        // ORDER BY ...
    QString orderDesc;
    QString after;           // rows after a (key, id): parameters key, id (or id alone)
    QString before;
    QString insert;          // all fields, then all index keys
    QString update;          // the same, then WHERE "_id" = ?
    QString remove;

    QList<QList<int>> indexFields; // per index of the definition: field positions in key order
    int activeIndex = -1;          // position in indexFields, -1 for the sequential index
};

// Stable across processes and program versions: stations agree on lock keys.
quint32 tableTag(const QString& tableName);

} // namespace kv::store
