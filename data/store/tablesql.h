// The SQL texts one table's cursor needs, built once from its definition: the select list, the order
// of the active index both ways, the keyset conditions that continue from a record, and the insert
// (in the form of the engine the table is opened on), update and delete statements.
#pragma once

#include "backend.h"
#include "table.h"

namespace kv::store {

class Table::Sql {
public:
    explicit Sql(const TableDef& def);
    // Makes `insert` for the engine of `backend` (engines differ in how a new key comes back).
    void useEngine(const Backend& backend);

    QString table;          // "Name"
    QString columns;        // "_id"[, "_k_Index"], fields in the program's order
    int fieldOffset = 1;    // column of the first field in a selected row
    bool sequential = true; // the active index is the storage order
    QString orderAsc;       // the ORDER BY list
    QString orderDesc;
    QString after; // rows after a (key, id): parameters key, id (or id alone)
    QString before;
    QStringList writtenColumns; // all fields, then all index keys
    QString insert;             // of writtenColumns, for the engine last given to useEngine()
    QString insertEngine;       // that engine's name
    QString update;             // the same, then the storage key
    QString remove;

    QList<QList<int>> indexFields; // per index of the definition: field positions in key order
    int activeIndex = -1;          // position in indexFields, -1 for the sequential index

    // SELECT of the select list with the given conditions, in index order.
    QString select(const QStringList& where, bool ascending, Backend::Paging paging) const;
};

// Stable across processes and program versions: stations agree on lock keys.
quint32 tableTag(const QString& tableName);

} // namespace kv::store
