// Field reads and writes through the current record buffer of its table.
#include "field.h"

#include "base/czechformat.h"
#include "table.h"
#include "valueconv.h"

#include <QTimeZone>

namespace kv::store {

const FieldDef& Field::def() const {
    return table_->definition().fields[index_];
}

QVariant Field::value() const {
    return table_->value(index_);
}
void Field::setValue(const QVariant& v) {
    table_->setValue(index_, v);
}

bool Field::isNull() const {
    const QVariant v = value();
    switch (type()) {
    case FieldType::String:
    case FieldType::Memo:
        return v.toString().isEmpty();
    case FieldType::Graphic:
        return v.toByteArray().isEmpty();
    case FieldType::Boolean:
        return false;
    default:
        return v.isNull();
    }
}

void Field::clear() {
    setValue(QVariant());
}

QString Field::asString() const {
    return storedText(type(), table_->storedValue(index_));
}

void Field::setAsString(const QString& text) {
    setValue(text);
}
int Field::asInteger() const {
    return value().toInt();
}
void Field::setAsInteger(int v) {
    setValue(v);
}
bool Field::asBoolean() const {
    return value().toBool();
}
void Field::setAsBoolean(bool v) {
    setValue(v);
}
QDateTime Field::asDateTime() const {
    return value().toDateTime();
}
QDateTime Field::asWallClock() const {
    const QVariant& stored = table_->storedValue(index_);
    return stored.isNull() ? QDateTime()
                           : QDateTime::fromMSecsSinceEpoch(stored.toLongLong(), QTimeZone::utc());
}
void Field::setAsDateTime(const QDateTime& v) {
    setValue(v.isValid() ? QVariant(v) : QVariant());
}

QByteArray Field::asBytes() const {
    const QVariant v = value();
    return type() == FieldType::Graphic ? v.toByteArray() : v.toString().toUtf8();
}

void Field::setAsBytes(const QByteArray& v) {
    setValue(type() == FieldType::Graphic ? QVariant(v) : QVariant(QString::fromUtf8(v)));
}

} // namespace kv::store
