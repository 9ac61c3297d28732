// Conversions between field values in memory, in the database and as text.
#include "valueconv.h"

#include "backend.h"
#include "base/czechformat.h"
#include "storeerror.h"

#include <QDateTime>
#include <QRegularExpression>
#include <QTimeZone>

namespace kv::store {

qint64 dateTimeToStored(const QDateTime& dt) {
    return QDateTime(dt.date(), dt.time(), QTimeZone::utc()).toMSecsSinceEpoch();
}

QDateTime dateTimeFromStored(qint64 ms) {
    const QDateTime utc = QDateTime::fromMSecsSinceEpoch(ms, QTimeZone::utc());
    return QDateTime(utc.date(), utc.time());
}

QVariant toStored(FieldType type, const QVariant& value) {
    if (value.isNull())
        return type == FieldType::String || type == FieldType::Memo ? QVariant(QString())
               : type == FieldType::Boolean                         ? QVariant(qint64(0))
                                                                    : QVariant();
    switch (type) {
    case FieldType::String:
    case FieldType::Memo:
        return value.toString();
    case FieldType::Integer:
        return qint64(value.toInt());
    case FieldType::Boolean:
        return qint64(value.toBool() ? 1 : 0);
    case FieldType::DateTime:
        return dateTimeToStored(value.toDateTime());
    case FieldType::Graphic:
        return value.toByteArray();
    }
    return {};
}

QVariant toParam(FieldType type, const QVariant& stored) {
    if (type == FieldType::DateTime && !stored.isNull())
        return QVariant::fromValue(Timestamp{stored.toLongLong()});
    if (type == FieldType::Boolean)
        return QVariant(stored.toLongLong() != 0);
    return stored;
}

QVariant fromStored(FieldType type, const QVariant& stored) {
    switch (type) {
    case FieldType::String:
    case FieldType::Memo:
        return stored.isNull() ? QString() : stored.toString();
    case FieldType::Boolean:
        return stored.isNull() ? false : stored.toLongLong() != 0;
    case FieldType::Integer:
        return stored.isNull() ? QVariant() : QVariant(int(stored.toLongLong()));
    case FieldType::DateTime:
        return stored.isNull() ? QVariant() : QVariant(dateTimeFromStored(stored.toLongLong()));
    case FieldType::Graphic:
        return stored.isNull() ? QVariant() : QVariant(stored.toByteArray());
    }
    return {};
}

QString storedText(FieldType type, const QVariant& stored) {
    if (type == FieldType::Boolean)
        return stored.toLongLong() != 0 ? QStringLiteral("True") : QStringLiteral("False");
    if (stored.isNull())
        return {};
    switch (type) {
    case FieldType::String:
    case FieldType::Memo:
        return stored.toString();
    case FieldType::Integer:
        return QString::number(int(stored.toLongLong()));
    case FieldType::Boolean:
        break;
    case FieldType::DateTime:
        // The UTC form of the stored milliseconds has the wall-clock date and time as its fields.
        return dateTimeText(QDateTime::fromMSecsSinceEpoch(stored.toLongLong(), QTimeZone::utc()));
    case FieldType::Graphic:
        return stored.toByteArray().isEmpty() ? QString() : QStringLiteral("(GRAPHIC)");
    }
    return {};
}

namespace {

[[noreturn]] void notConvertible(const FieldDef& def, const QString& text) {
    throw StoreError(StoreError::Kind::Value,
                     QStringLiteral("'%1' není platná hodnota pro pole '%2'.").arg(text, def.name));
}

QDateTime parseDateTime(const FieldDef& def, const QString& text) {
    static const QRegularExpression re(
        QStringLiteral("^\\s*(\\d{1,2}\\.\\d{1,2}\\.\\d{4})(?:\\s+(\\d{1,2}):(\\d{2})(?::(\\d{2}))?)?\\s*$"));
    const auto m = re.match(text);
    if (!m.hasMatch())
        notConvertible(def, text);
    const QDate d = parseShortDate(m.captured(1));
    const QTime t = m.captured(2).isEmpty()
                        ? QTime(0, 0)
                        : QTime(m.captured(2).toInt(), m.captured(3).toInt(), m.captured(4).toInt());
    if (!d.isValid() || !t.isValid())
        notConvertible(def, text);
    return QDateTime(d, t);
}

} // namespace

QVariant toFieldValue(const FieldDef& def, const QVariant& value) {
    if (value.isNull() || (value.typeId() == QMetaType::QString && value.toString().isEmpty() &&
                           def.type != FieldType::String && def.type != FieldType::Memo))
        return def.type == FieldType::String || def.type == FieldType::Memo ? QVariant(QString())
               : def.type == FieldType::Boolean                             ? QVariant(false)
                                                                            : QVariant();
    const bool isText = value.typeId() == QMetaType::QString;
    switch (def.type) {
    case FieldType::String: {
        const QString s = value.toString();
        return def.size > 0 && s.size() > def.size ? s.left(def.size) : s;
    }
    case FieldType::Memo:
        return value.toString();
    case FieldType::Integer: {
        bool ok = false;
        const int v = isText ? value.toString().trimmed().toInt(&ok) : value.toInt(&ok);
        if (!ok)
            notConvertible(def, value.toString());
        return v;
    }
    case FieldType::Boolean: {
        if (!isText)
            return value.toBool();
        const QString s = value.toString().trimmed();
        if (s.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0 || s == QLatin1String("T") ||
            s == QLatin1String("1"))
            return true;
        if (s.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0 || s == QLatin1String("F") ||
            s == QLatin1String("0"))
            return false;
        notConvertible(def, s);
    }
    case FieldType::DateTime:
        if (isText)
            return parseDateTime(def, value.toString());
        if (value.typeId() == QMetaType::QDate)
            return QDateTime(value.toDate(), QTime(0, 0));
        if (!value.toDateTime().isValid())
            notConvertible(def, value.toString());
        return value.toDateTime();
    case FieldType::Graphic:
        return value.toByteArray();
    }
    return {};
}

} // namespace kv::store
