// A table's definition as the program sees it: fields in the program's order with type, size,
// display label and width, the stored column order, and the indexes. The data module describes its
// seven tables with these; the set-up program creates each engine's tables from them.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace kv::store {

enum class FieldType { String, Integer, Boolean, DateTime, Memo, Graphic };

struct FieldDef {
    QString name;
    FieldType type = FieldType::String;
    int size = 0;          // characters, String only
    QString displayLabel;  // empty: the field name
    int displayWidth = 0;  // characters; 0: the size for strings, otherwise the default width
    bool hidden = false;   // not shown as a grid column

    QString label() const { return displayLabel.isEmpty() ? name : displayLabel; }
    int width() const;
};

struct IndexDef {
    QString name;
    QStringList fields;         // compared in this order
    bool caseInsensitive = true; // Czech, case-insensitive
};

struct TableDef {
    QString name;
    QList<FieldDef> fields;   // the program's order (grid columns, insert-with-values order)
    QStringList storedOrder;  // column order in the database; empty: the program's order
    QList<IndexDef> indexes;  // besides the sequential index, which every table has
    QString activeIndex;      // empty: the sequential index (storage order)

    int fieldIndex(const QString& fieldName) const; // case-insensitive, -1 when unknown
    const IndexDef* index(const QString& indexName) const;
    QStringList storedFieldOrder() const;
};

// The hidden column that holds an index's binary sort key.
inline QString sortKeyColumn(const QString& indexName) { return QLatin1String("_k_") + indexName; }

// The default display width of non-string fields, in characters.
constexpr int kDefaultDisplayWidth = 10;

} // namespace kv::store
