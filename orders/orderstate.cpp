// The order states and their fonts.
#include "orderstate.h"

namespace kv::orders {

OrderState orderState(bool vyrizena, bool stornovana, const QDate& terminDod, const QDate& today) {
    if (stornovana)
        return OrderState::Cancelled;
    if (vyrizena)
        return OrderState::Completed;
    if (terminDod.isValid() && today > terminDod)
        return OrderState::Overdue;
    return OrderState::Open;
}

QFont stateFont(OrderState state, QFont base) {
    switch (state) {
    case OrderState::Cancelled:
        base.setStrikeOut(true);
        break;
    case OrderState::Completed:
        base.setItalic(true);
        break;
    case OrderState::Overdue:
        base.setBold(true);
        base.setUnderline(true);
        break;
    case OrderState::Open:
        base.setBold(true);
        break;
    }
    return base;
}

} // namespace kv::orders
