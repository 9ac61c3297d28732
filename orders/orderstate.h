// An order's state as the list shows it (open, overdue, completed, cancelled) from its two flags
// and its delivery date, and the font style each state is drawn with.
#pragma once

#include <QDate>
#include <QFont>

namespace kv::orders {

enum class OrderState { Open, Overdue, Completed, Cancelled };

// Decided in this order: cancelled first (its completed flag is set too), then completed, then
// overdue when `today` is later than the delivery date's day. An order without a delivery date
// is never overdue.
OrderState orderState(bool vyrizena, bool stornovana, const QDate& terminDod, const QDate& today);

// `base` with the state's style: cancelled struck out, completed italic, overdue bold and
// underlined, open bold.
QFont stateFont(OrderState state, QFont base);

} // namespace kv::orders
