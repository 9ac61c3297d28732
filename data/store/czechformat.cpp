#include "czechformat.h"

#include <QRegularExpression>

namespace kv {

QString shortDate(const QDate& date) { return date.isValid() ? date.toString(QStringLiteral("d.M.yyyy")) : QString(); }

QString longTime(const QTime& time) { return time.isValid() ? time.toString(QStringLiteral("H:mm:ss")) : QString(); }

QString dateTimeText(const QDateTime& dt) {
    if (!dt.isValid())
        return {};
    if (dt.time() == QTime(0, 0))
        return shortDate(dt.date());
    return shortDate(dt.date()) + QLatin1Char(' ') + longTime(dt.time());
}

QDate parseShortDate(const QString& text) {
    static const QRegularExpression re(QStringLiteral("^\\s*(\\d{1,2})\\.(\\d{1,2})\\.(\\d{4})\\s*$"));
    const auto m = re.match(text);
    if (!m.hasMatch())
        return {};
    return QDate(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
}

} // namespace kv
