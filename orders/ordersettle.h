// Completing and cancelling the orders table's current order, as the orders list's "Vyřízena!" and
// "Stornována!" do: the question with the order's number, the record locked while it changes, the
// settling time and flags, and the messages of a lock or a failed save, all through the dialog seam.
#pragma once

#include <QString>

class QWidget;

namespace kv::store {
class Table;
}

namespace kv::orders {

enum class Settle { Complete, Cancel };

QString settleQuestion(Settle how, const QString& cislo);
QString lockedMessage();
QString settleNotSavedMessage();

enum class SettleResult {
    Ignored,          // no order, or one already completed or cancelled: nothing asked
    Declined,         // the user answered No
    Locked,           // another station holds the order; the lock message was shown
    SettledMeanwhile, // another station completed or cancelled it since it was read; told so
    NotSaved,         // the save failed; its message was shown and the change dropped
    Done,
};

// Settles the current order of `orders`: Vyrizena_dne := now, Vyrizena := true, and for a
// cancellation Stornovana := true. A change that cannot be saved is cancelled after its message,
// so no later cursor move posts it unseen. After saving, the view is re-read: an order that no
// longer matches the filter leaves it and the cursor goes to the order that follows.
SettleResult settleOrder(store::Table& orders, Settle how, QWidget* parent = nullptr);

} // namespace kv::orders
