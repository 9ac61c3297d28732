// The fixed short date and long time texts and the parsing of short dates.
#include "czechformat.h"

#include <QRegularExpression>

namespace kv {

// Both are put together by hand rather than through a format string: a grid formats one per cell.
QString shortDate(const QDate& date) {
    if (!date.isValid())
        return {};
    if (date.year() < 0)
        return date.toString(QStringLiteral("d.M.yyyy"));
    return QString::number(date.day()) + QLatin1Char('.') + QString::number(date.month()) + QLatin1Char('.') +
           QString::number(date.year()).rightJustified(4, QLatin1Char('0'));
}

QString longTime(const QTime& time) {
    if (!time.isValid())
        return {};
    const auto twoDigits = [](int n) { return QString::number(n).rightJustified(2, QLatin1Char('0')); };
    return QString::number(time.hour()) + QLatin1Char(':') + twoDigits(time.minute()) + QLatin1Char(':') +
           twoDigits(time.second());
}

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
