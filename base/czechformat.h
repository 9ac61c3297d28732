// The program's fixed date and time texts, whatever the desktop's locale: short date "d.M.yyyy"
// (9.12.2026) and long time "H:mm:ss". Every date the program writes or parses goes through here.
#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

namespace kv {

QString shortDate(const QDate& date);
QString longTime(const QTime& time);
// "9.12.2026 8:05:00", the form a date-time field shows as text; the time is left out at midnight.
QString dateTimeText(const QDateTime& dt);

// Accepts "d.M.yyyy" with one or two digits for day and month and blanks around; else an invalid date.
QDate parseShortDate(const QString& text);

} // namespace kv
