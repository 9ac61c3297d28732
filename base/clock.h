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

// Tests: fixes the clock for its own lifetime, so a failing test cannot leave it fixed.
class FixedClock {
public:
    explicit FixedClock(const QDateTime& fixed) { setFixed(fixed); }
    ~FixedClock() { clearFixed(); }
    FixedClock(const FixedClock&) = delete;
    FixedClock& operator=(const FixedClock&) = delete;
};

} // namespace kv::clock
