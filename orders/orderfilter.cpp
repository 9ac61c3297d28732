// Building the orders filter's texts and setting them on the orders table.
#include "orderfilter.h"

#include "base/czechformat.h"
#include "data/store/table.h"

#include <QStringList>

namespace kv::orders {
namespace {

// The upper bound is the next day's midnight, not included: the settling date carries the time of
// day, and a range ending at its last day's midnight would leave out what was settled that day.
QString rangeClause(const QString& lowerField, const QString& upperField, const DateRange& r) {
    return QLatin1String("(") + lowerField + QLatin1String(">='") + shortDate(r.from) + QLatin1String("'") +
           QLatin1String(" AND ") + upperField + QLatin1String("<'") + shortDate(r.to.addDays(1)) +
           QLatin1String("')");
}

QString stateText(int kind) {
    switch (kind) {
    case kCompleted:
        return QStringLiteral("(Vyrizena='True' AND Stornovana='False')");
    case kOpen:
        return QStringLiteral("(Vyrizena='False')");
    case kCancelled:
        return QStringLiteral("(Vyrizena='True' AND Stornovana='True')");
    default:
        return {};
    }
}

} // namespace

QString dateCondition(const FilterRanges& ranges) {
    QStringList clauses;
    if (ranges.created.active)
        clauses << rangeClause(QStringLiteral("Datum"), QStringLiteral("Datum"), ranges.created);
    if (ranges.settled.active)
        clauses << rangeClause(QStringLiteral("Vyrizena_Dne"), QStringLiteral("Vyrizena_dne"),
                               ranges.settled);
    if (ranges.delivery.active)
        clauses << rangeClause(QStringLiteral("Termin_dod"), QStringLiteral("Termin_dod"), ranges.delivery);
    return clauses.join(QLatin1String(" AND "));
}

FilterView filterView(int kind, const QString& condition, const QDate& today) {
    switch (kind) {
    case kCompleted:
    case kOpen:
    case kCancelled:
        return {true,
                condition.isEmpty() ? stateText(kind) : stateText(kind) + QLatin1String(" AND ") + condition};
    case kOverdue:
        return {true,
                QLatin1String("(Vyrizena='False' AND Termin_dod<'") + shortDate(today) + QLatin1String("')")};
    default:
        return condition.isEmpty() ? FilterView{} : FilterView{true, condition};
    }
}

int OrdersFilter::shownKind() const {
    return kind_ >= kCompleted && kind_ <= kOverdue ? kind_ : kAllOrders;
}

void OrdersFilter::apply(store::Table& orders, int kind, const QDate& today) {
    kind_ = kind;
    if (kind == kOverdue)
        condition_.clear();
    const FilterView view = filterView(kind, condition_, today);
    if (!view.on) {
        orders.setFiltered(false);
        return;
    }
    orders.setFilterView(view.text, true);
}

} // namespace kv::orders
