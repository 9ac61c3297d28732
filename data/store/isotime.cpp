// The fixed ISO form of date-times, both ways, by the civil-calendar day arithmetic.
#include "isotime.h"

namespace kv::store {
namespace {

constexpr qint64 kMsPerDay = 86400000;

// Floor division: dates before 1970 have negative milliseconds that still belong to their own day.
qint64 floorDiv(qint64 a, qint64 b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

void digits(char* out, int value, int width) {
    for (int i = width - 1; i >= 0; --i) {
        out[i] = char('0' + value % 10);
        value /= 10;
    }
}

bool readDigits(const char* p, int width, int* value) {
    int v = 0;
    for (int i = 0; i < width; ++i) {
        if (p[i] < '0' || p[i] > '9')
            return false;
        v = v * 10 + (p[i] - '0');
    }
    *value = v;
    return true;
}

int daysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

} // namespace

qint64 daysFromCivil(int year, int month, int day) {
    year -= month <= 2 ? 1 : 0;
    const qint64 era = (year >= 0 ? year : year - 399) / 400;
    const qint64 yoe = year - era * 400;
    const qint64 doy = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const qint64 doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void civilFromDays(qint64 days, int* year, int* month, int* day) {
    days += 719468;
    const qint64 era = (days >= 0 ? days : days - 146096) / 146097;
    const qint64 doe = days - era * 146097;
    const qint64 yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const qint64 doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const qint64 mp = (5 * doy + 2) / 153;
    *day = int(doy - (153 * mp + 2) / 5 + 1);
    *month = int(mp < 10 ? mp + 3 : mp - 9);
    *year = int(yoe + era * 400 + (*month <= 2 ? 1 : 0));
}

void isoFromMillis(qint64 ms, char* out) {
    const qint64 days = floorDiv(ms, kMsPerDay);
    int msOfDay = int(ms - days * kMsPerDay);
    int y = 0, m = 0, d = 0;
    civilFromDays(days, &y, &m, &d);
    digits(out, y, 4);
    out[4] = '-';
    digits(out + 5, m, 2);
    out[7] = '-';
    digits(out + 8, d, 2);
    out[10] = ' ';
    digits(out + 11, msOfDay / 3600000, 2);
    msOfDay %= 3600000;
    out[13] = ':';
    digits(out + 14, msOfDay / 60000, 2);
    msOfDay %= 60000;
    out[16] = ':';
    digits(out + 17, msOfDay / 1000, 2);
    out[19] = '.';
    digits(out + 20, msOfDay % 1000, 3);
}

QByteArray isoFromMillis(qint64 ms) {
    QByteArray out(kIsoDateTimeLength, Qt::Uninitialized);
    isoFromMillis(ms, out.data());
    return out;
}

bool millisFromIso(const char* p, qsizetype n, qint64* ms) {
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0, frac = 0;
    if (n < 10 || !readDigits(p, 4, &y) || p[4] != '-' || !readDigits(p + 5, 2, &mo) || p[7] != '-' ||
        !readDigits(p + 8, 2, &d))
        return false;
    if (mo < 1 || mo > 12 || d < 1 || d > daysInMonth(y, mo))
        return false;
    qsizetype i = 10;
    if (i < n) {
        if ((p[i] != ' ' && p[i] != 'T') || n < i + 6 || !readDigits(p + i + 1, 2, &h) || p[i + 3] != ':' ||
            !readDigits(p + i + 4, 2, &mi))
            return false;
        i += 6;
        if (i < n) {
            if (n < i + 3 || p[i] != ':' || !readDigits(p + i + 1, 2, &s))
                return false;
            i += 3;
            if (i < n) {
                const qsizetype fracDigits = n - i - 1;
                if (p[i] != '.' || fracDigits < 1 || fracDigits > 6)
                    return false;
                int all = 0;
                if (!readDigits(p + i + 1, int(fracDigits), &all))
                    return false;
                frac = all;
                for (qsizetype k = fracDigits; k < 3; ++k)
                    frac *= 10;
                for (qsizetype k = 3; k < fracDigits; ++k)
                    frac /= 10;
            }
        }
        if (h > 23 || mi > 59 || s > 59)
            return false;
    }
    *ms = daysFromCivil(y, mo, d) * kMsPerDay + ((h * 60 + mi) * 60 + s) * qint64(1000) + frac;
    return true;
}

} // namespace kv::store
