// Date-times as both engines hold them: "YYYY-MM-DD HH:MM:SS.mmm", fixed width and sortable as text,
// converted from and to milliseconds of the wall-clock time since 1970-01-01 00:00 (no time zone).
// Plain arithmetic without Qt's date classes: a cursor converts three of these per order row.
#pragma once

#include <QByteArray>
#include <QtGlobal>

namespace kv::store {

inline constexpr int kIsoDateTimeLength = 23;

// The 23 characters of `ms` (years 0000 to 9999) written to `out`.
void isoFromMillis(qint64 ms, char* out);
QByteArray isoFromMillis(qint64 ms);

// Reads "YYYY-MM-DD", optionally followed by " HH:MM", ":SS" and a fraction of one to six digits (cut to
// milliseconds); a "T" may stand for the blank. False, with `ms` untouched, for anything else, also for a
// day the month does not have.
bool millisFromIso(const char* text, qsizetype length, qint64* ms);

// Days from 1970-01-01 of a proleptic Gregorian date, and back.
qint64 daysFromCivil(int year, int month, int day);
void civilFromDays(qint64 days, int* year, int* month, int* day);

} // namespace kv::store
