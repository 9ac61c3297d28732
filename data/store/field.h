// A field of a table's current record, looked up by name without case. Reads and writes go to the
// record buffer of its table; writing needs the table in edit or insert state.
#pragma once

#include "tabledef.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QVariant>

namespace kv::store {

class Table;

class Field {
public:
    Field(Table& table, int index) : table_(&table), index_(index) {}

    const FieldDef& def() const;
    const QString& name() const { return def().name; }
    FieldType type() const { return def().type; }
    int size() const { return def().size; }
    QString displayLabel() const { return def().label(); }
    int displayWidth() const { return def().width(); }
    int index() const { return index_; }
    Table& table() const { return *table_; }

    // The stored value: QString (String, Memo), int (Integer), bool (Boolean), QDateTime (DateTime),
    // QByteArray (Graphic), or a null QVariant when empty.
    QVariant value() const;
    void setValue(const QVariant& v); // converts, cuts strings to the size; throws StoreError(Value)
    bool isNull() const;
    void clear();

    // Text as a data-aware control shows it: "True"/"False", "9.12.2026 8:05:00", the number.
    QString asString() const;
    // Empty text clears the field; text that does not convert throws StoreError(Value).
    void setAsString(const QString& text);
    int asInteger() const;               // 0 when empty or not a number
    void setAsInteger(int v);
    bool asBoolean() const;              // false when empty
    void setAsBoolean(bool v);
    QDateTime asDateTime() const;        // invalid when empty
    // The date and time as stored, in UTC form so that taking it apart needs no time-zone lookup:
    // its date() and time() are the wall-clock ones asDateTime() has (invalid when empty).
    QDateTime asWallClock() const;
    void setAsDateTime(const QDateTime& v);
    QByteArray asBytes() const;          // Graphic and Memo contents
    void setAsBytes(const QByteArray& v);

private:
    Table* table_;
    int index_;
};

} // namespace kv::store
