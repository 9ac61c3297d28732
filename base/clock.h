// Today and now, read through one place so that tests can fix the date the program sees.
#pragma once

#include <QDate>
#include <QDateTime>

namespace kv::clock {

QDateTime now();
QDate today();

// Tests: every later now() returns `fixed` until clearFixed(). Not for production code.
void setFixed(const QDateTime& fixed);
void clearFixed();

} // namespace kv::clock
