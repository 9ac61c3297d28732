// Deriving and issuing order numbers.
#include "ordernumber.h"

#include "base/clock.h"
#include "base/czechformat.h"
#include "data/store/storeerror.h"
#include "data/store/table.h"

#include <functional>

namespace kv::data {
namespace {

const QString kPosledniObj = QStringLiteral("PosledniObj");

// Runs `step` until it succeeds; a lock is tried again after a pause, up to the bound. Returns
// false when it gave up.
bool untilNotLocked(const std::function<void()>& step, OrderNumberUi& ui, const OrderNumberWait& wait) {
    for (int retries = 0;; ++retries) {
        try {
            step();
            return true;
        } catch (const store::StoreError& e) {
            if (e.kind() != store::StoreError::Kind::Locked || retries >= wait.maxRetries)
                return false;
        }
        ui.pause(wait.retryMs);
    }
}

class BusyPointer {
public:
    explicit BusyPointer(OrderNumberUi& ui)
        : ui_(ui) {
        ui_.setBusy(true);
    }
    ~BusyPointer() { release(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
    void release() {
        if (busy_)
            ui_.setBusy(false);
        busy_ = false;
    }

private:
    OrderNumberUi& ui_;
    bool busy_ = true;
};

} // namespace

QString orderNumberErrorMessage() {
    return QStringLiteral("Chyba při zpracování čísla objednávky!");
}

OrderYearMonth orderYearMonth(const QString& today) {
    const QString d = today.mid(today.indexOf(QLatin1Char('.')) + 1);
    const qsizetype dot = d.indexOf(QLatin1Char('.'));
    QString month = dot < 0 ? QString() : d.left(dot);
    if (month.trimmed().size() == 1)
        month.prepend(QLatin1Char('0'));
    return {d.mid(dot + 1), month};
}

std::optional<QString> nextOrderNumber(const QString& stored, const QString& today, const QString& initials) {
    const QString last = stored.trimmed();
    const auto [year, month] = orderYearMonth(today);
    if (year != last.left(4))
        return year + QLatin1Char('/') + month + QLatin1String("/00001/") + initials;
    const QString rest = last.mid(8);
    const qsizetype slash = rest.indexOf(QLatin1Char('/'));
    bool ok = false;
    const int sequence = (slash < 0 ? QString() : rest.left(slash)).toInt(&ok);
    if (!ok)
        return std::nullopt;
    return year + QLatin1Char('/') + month + QLatin1Char('/') +
           QStringLiteral("%1").arg(sequence + 1, 5, 10, QLatin1Char('0')) + QLatin1Char('/') + initials;
}

QString issueOrderNumber(store::Table& settings, const QString& initials, OrderNumberUi& ui,
                         const OrderNumberWait& wait, const OrderNumberTaken& taken) {
    BusyPointer busy(ui);
    // Editing an empty table would start a second settings row of this station's own.
    if (!settings.isOpen() || settings.isEmpty())
        return {};
    if (!untilNotLocked([&] { settings.edit(); }, ui, wait))
        return {};
    // Editing re-read the row under the lock: the stored number is the one last issued anywhere.
    std::optional<QString> number;
    try {
        const QString today = shortDate(clock::today());
        number = nextOrderNumber(settings.fieldByName(kPosledniObj).asString(), today, initials);
        // Under the settings row's lock no other station issues meanwhile; the numbers stored are
        // passed over one by one, so the count never gives one twice.
        while (number && taken && taken(*number))
            number = nextOrderNumber(*number, today, initials);
        if (number)
            settings.fieldByName(kPosledniObj).setAsString(*number);
    } catch (const store::StoreError&) {
        settings.cancel();
        return {};
    }
    if (!number) {
        settings.cancel();
        busy.release(); // the message is answered with the ordinary pointer
        ui.showError(orderNumberErrorMessage());
        return {};
    }
    if (!untilNotLocked([&] { settings.post(); }, ui, wait)) {
        settings.cancel();
        return {};
    }
    return *number;
}

} // namespace kv::data
