// The orders filter without its window: the filter texts of the five state kinds and the three date
// ranges, and the state kept for the whole run (the kind last chosen and the date condition), as
// applied to the orders table's filter text and switch.
#pragma once

#include <QDate>
#include <QString>

namespace kv::store {
class Table;
}

namespace kv::orders {

// The kinds as the filter window numbers them; any other number shows all orders.
enum FilterKind { kAllOrders = 1, kCompleted = 2, kOpen = 3, kCancelled = 4, kOverdue = 5 };

struct DateRange {
    QDate from;
    QDate to;
    bool active = false;
};

// The creation, settling and delivery ranges in the order their clauses are joined.
struct FilterRanges {
    DateRange created;
    DateRange settled;
    DateRange delivery;
};

// The clauses of the active ranges joined with " AND ", dates as short dates; empty when none is
// active. Each range takes its whole last day: "(Datum>='1.12.2026' AND Datum<'8.12.2026')" for a
// creation range from 1.12. to 7.12. The settling range
// names its lower bound Vyrizena_Dne and its upper one Vyrizena_dne: field names have no case.
QString dateCondition(const FilterRanges& ranges);

// The filter text of `kind` with `condition`, and whether the filter is on; "all" without a
// condition is the filter off (its text then stays as it was, so `text` is empty). Overdue never
// takes the ranges: "(Vyrizena='False' AND Termin_dod<'9.12.2026')" with `today`.
struct FilterView {
    bool on = false;
    QString text;
};
FilterView filterView(int kind, const QString& condition, const QDate& today);

class OrdersFilter {
public:
    // The kind remembered, initially the open orders.
    int kind() const { return kind_; }
    // The kind whose radio button a showing selects: the remembered one, or "all" outside 2-5.
    int shownKind() const;
    const QString& condition() const { return condition_; }
    // Rebuilds the date condition from the ranges.
    void setRanges(const FilterRanges& ranges) { condition_ = dateCondition(ranges); }

    // Remembers `kind` and sets the table's filter for it. The overdue kind drops the date
    // condition (its window unchecks the ranges' boxes). Store errors pass on.
    void apply(store::Table& orders, int kind, const QDate& today);

private:
    int kind_ = kOpen;
    QString condition_;
};

} // namespace kv::orders
