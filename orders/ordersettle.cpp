// The two one-way changes of an order, with their questions and messages.
#include "ordersettle.h"

#include "base/clock.h"
#include "data/store/storeerror.h"
#include "data/store/table.h"
#include "ui/dialogs.h"

namespace kv::orders {
namespace {

bool isSettled(store::Table& orders) {
    return orders.fieldByName(QStringLiteral("Vyrizena")).asBoolean() ||
           orders.fieldByName(QStringLiteral("Stornovana")).asBoolean();
}

} // namespace

QString settleQuestion(Settle how, const QString& cislo) {
    return how == Settle::Complete
               ? QStringLiteral("Opravdu je objednávka číslo ") + cislo + QStringLiteral(" vyřízena?")
               : QStringLiteral("Opravdu chcete STORNOVAT objednávku číslo ") + cislo + QStringLiteral("?");
}

QString lockedMessage() {
    return QStringLiteral("Data jsou právě uzamčena jiným uživatelem, opakujte prosím operaci za okamžik!");
}

QString settleNotSavedMessage() {
    return QStringLiteral("Data se nepodařilo uložit! Opakujte prosím operaci za okamžik!");
}

SettleResult settleOrder(store::Table& orders, Settle how, QWidget* parent) {
    if (!orders.isOpen() || orders.isEmpty() || isSettled(orders))
        return SettleResult::Ignored;
    const QString cislo = orders.fieldByName(QStringLiteral("Cislo")).asString();
    if (!ui::askYesNo(settleQuestion(how, cislo),
                      how == Settle::Complete ? ui::MsgStyle::Confirmation : ui::MsgStyle::Warning, parent))
        return SettleResult::Declined;
    try {
        orders.edit();
    } catch (const store::StoreError&) {
        ui::dialogs().message(lockedMessage(), ui::MsgStyle::Warning, ui::MsgButton::Ok, parent);
        return SettleResult::Locked;
    }
    // Editing re-read the order: a station that settled it since our copy was read keeps its change.
    if (isSettled(orders)) {
        orders.cancel();
        ui::dialogs().message(QStringLiteral("Objednávka číslo ") + cislo +
                                  QStringLiteral(" byla mezitím uzavřena jiným uživatelem."),
                              ui::MsgStyle::Information, ui::MsgButton::Ok, parent);
        return SettleResult::SettledMeanwhile;
    }
    try {
        orders.fieldByName(QStringLiteral("Vyrizena_dne")).setAsDateTime(clock::now());
        orders.fieldByName(QStringLiteral("Vyrizena")).setAsBoolean(true);
        if (how == Settle::Cancel)
            orders.fieldByName(QStringLiteral("Stornovana")).setAsBoolean(true);
        orders.post();
    } catch (const store::StoreError&) {
        ui::showError(settleNotSavedMessage(), parent);
        orders.cancel();
        return SettleResult::NotSaved;
    }
    orders.refresh();
    return SettleResult::Done;
}

} // namespace kv::orders
