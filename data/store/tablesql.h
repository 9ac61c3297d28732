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

    // Rows written by other tools lack their sort keys until the program fills them in. All empty for
    // a table without indexes.
    QString keysMissing;  // a column after the select list: whether any row of the table lacks a key
    QString missingRows;  // "_id" and the keyFields of rows lacking a key; parameter: limit
    QString keysUpdate;   // all keys of one row while its keyFields hold what was read; parameters: the
                          // keys, the storage key, the keyFields' values
    QList<int> keyFields; // the fields the indexes read, each once

    bool probes() const { return !keysMissing.isEmpty(); }

    // SELECT of the select list with the given conditions, in index order.
    QString select(const QStringList& where, bool ascending, Backend::Paging paging) const;
    // The first row of the view under the given conditions, then the keysMissing column when the table
    // has one. With conditions the last parameter is the limit, 1, as in select(): SQLite plans a
    // filtered read along the index only for a limit it does not know. Without any, LIMIT 1 is
    // written out, so the statement has no parameters and the server plans it once, not at every run.
    QString first(const QStringList& where) const;
};

// Stable across processes and program versions: stations agree on lock keys.
quint32 tableTag(const QString& tableName);

} // namespace kv::store
