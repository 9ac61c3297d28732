// Order numbers: year "/" month "/" sequence "/" initials, the sequence running through a calendar
// year, derived from the last number stored in the settings row and written back under that row's
// lock. The derivation is a plain function; issuing it is the settings table's lock, re-read,
// write and release, with a bounded wait for another station's lock. No widgets: the busy pointer,
// the message and the pause between retries go through OrderNumberUi.
#pragma once

#include <QString>
#include <functional>
#include <optional>

namespace kv::store {
class Table;
}

namespace kv::data {

// The message of a stored sequence that is not a number.
QString orderNumberErrorMessage();

// Year and month of an order number from the short date text `today` ("9.12.2026"): the day is
// dropped, the month is up to the next "." with a leading zero when it has one digit, the rest is the
// year.
struct OrderYearMonth {
    QString year;
    QString month;
};
OrderYearMonth orderYearMonth(const QString& today);

// The number after `stored` (PosledniObj: a number issued, the reset form ending "/---", or
// empty) on the day whose short date text is `today` ("9.12.2026"), with `initials` as typed.
// A year other than the stored one starts at 00001; otherwise the stored sequence (from the ninth
// character to the next "/") plus one, at least five digits. Nullopt when that sequence is not a
// number.
std::optional<QString> nextOrderNumber(const QString& stored, const QString& today, const QString& initials);

class OrderNumberUi {
public:
    virtual ~OrderNumberUi() = default;
    // The busy pointer for the whole application, on while a number is being made.
    virtual void setBusy(bool on) = 0;
    // An error message (error style, OK button).
    virtual void showError(const QString& text) = 0;
    // The pause between two tries at another station's lock; the program sleeps.
    virtual void pause(int milliseconds) = 0;
};

struct OrderNumberWait {
    int retryMs = 100;    // pause between tries at the settings row's lock
    int maxRetries = 100; // tries after the first before giving up: 10 seconds with the pause above
};

// Whether an order is stored under a number already: such a number is passed over, as after the
// count was set back below numbers issued.
using OrderNumberTaken = std::function<bool(const QString& number)>;

// Issues the next number on the settings table's current row and returns it, or empty text when
// none was issued. Numbers `taken` says exist are passed over. The row is locked first and its stored number read again under the lock, so two
// stations never derive from the same value and a station's out-of-date copy never counts. A lock
// held by another station is waited out (a try every `wait.retryMs`, at most `wait.maxRetries`
// times); any other failure (lost connection, table not open, no settings row) ends at once. A
// stored sequence that is not a number shows orderNumberErrorMessage(). Whenever no number is
// issued the row's edit is cancelled, so nothing of it is posted later.
QString issueOrderNumber(store::Table& settings, const QString& initials, OrderNumberUi& ui,
                         const OrderNumberWait& wait = {}, const OrderNumberTaken& taken = {});

} // namespace kv::data
