// How field values are held in memory and in the database. In memory: QString, int, bool,
// QDateTime, QByteArray or null. In the database: text, 64-bit integers (Booleans as 0/1, date-times
// as milliseconds from 1970 of the wall-clock time, without a time zone) and blobs.
#pragma once

#include "tabledef.h"

#include <QVariant>

namespace kv::store {

QVariant toStored(FieldType type, const QVariant& value);
QVariant fromStored(FieldType type, const QVariant& stored);
// A stored value as a statement parameter: date-times as Timestamp, Booleans as bool, so that each
// engine binds its own native type.
QVariant toParam(FieldType type, const QVariant& stored);
// A field's text (as a data-aware edit or a grid cell shows it) straight from its stored form;
// date-times are taken apart without any time-zone lookup.
QString storedText(FieldType type, const QVariant& stored);

// Converts a value given by a caller to the field's in-memory form, cutting strings to `size`.
// Throws StoreError(Value) when it does not convert.
QVariant toFieldValue(const FieldDef& def, const QVariant& value);

qint64 dateTimeToStored(const QDateTime& dt);
QDateTime dateTimeFromStored(qint64 ms);

} // namespace kv::store
