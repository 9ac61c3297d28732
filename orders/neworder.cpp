// The new order's checks, texts and record.
#include "neworder.h"

#include "data/store/storeerror.h"
#include "data/store/table.h"

#include <QDateTime>
#include <QStringList>

namespace kv::orders {

NewOrderCheck firstFailedCheck(const NewOrderEntries& e) {
    const std::pair<const QString*, NewOrderCheck> checks[] = {
        {&e.payment, NewOrderCheck::Payment},   {&e.transport, NewOrderCheck::Transport},
        {&e.orderer, NewOrderCheck::Orderer},   {&e.initials, NewOrderCheck::Initials},
        {&e.supplier, NewOrderCheck::Supplier}, {&e.text, NewOrderCheck::Text}};
    for (const auto& [text, check] : checks) {
        if (text->trimmed().isEmpty())
            return check;
    }
    return NewOrderCheck::None;
}

QString checkMessage(NewOrderCheck check) {
    switch (check) {
    case NewOrderCheck::Payment:
        return QStringLiteral("Není vybrán, nebo zadán způsob platby!");
    case NewOrderCheck::Transport:
        return QStringLiteral("Není zadán, nebo vybrán typ dopravy!");
    case NewOrderCheck::Orderer:
        return QStringLiteral("Není vybrán, nebo zadán objednatel!");
    case NewOrderCheck::Initials:
        return QStringLiteral("Nejsou zadány iniciály objednatele nutné pro generaci čísla objednávky!");
    case NewOrderCheck::Supplier:
        return QStringLiteral("Není vybrán, nebo zadán dodavatel!");
    case NewOrderCheck::Text:
        return QStringLiteral("Text objednávky je prázdný!");
    case NewOrderCheck::None:
        break;
    }
    return {};
}

bool orderBegun(const NewOrderEntries& e) {
    for (const QString* text : {&e.payment, &e.transport, &e.orderer, &e.function, &e.phone, &e.email,
                                &e.initials, &e.supplier, &e.contact, &e.street, &e.town, &e.postcode,
                                &e.text}) {
        if (!text->isEmpty())
            return true;
    }
    return false;
}

QStringList supplierBoxes(const NewOrderEntries& e) {
    return {e.supplier, e.contact, e.street, e.town, e.postcode};
}

std::pair<QString, QString> supplierContact(const PickedSupplier& picked, const NewOrderEntries& e) {
    if (picked.boxes.isEmpty() || picked.boxes != supplierBoxes(e))
        return {};
    return {picked.telephone, picked.email};
}

QString confirmQuestion() {
    return QStringLiteral("Opravdu chcete dokončit objednávku?");
}

QString noNumberMessage() {
    return QStringLiteral(
        "Nepodařilo se zjistit číslo objednávky! Opakujte prosím operace později, popřípadě "
        "zkušte v nastavení opravit číslo objednávky!");
}

QString orderNotSavedMessage() {
    return QStringLiteral("Data se nepodařilo uložit! Opakujte prosím znovu za okamžik!");
}

QString closeQuestion() {
    return QStringLiteral("Opravdu zrušit započatou objednávku?");
}

QString ordererName(const QString& titul, const QString& jmeno, const QString& prijmeni) {
    return (titul + QLatin1Char(' ') + jmeno + QLatin1Char(' ') + prijmeni).trimmed();
}

QString supplierPhone(const QString& telefon, const QString& gsm, const QString& fax) {
    for (const QString& phone : {telefon, gsm, fax}) {
        if (!phone.trimmed().isEmpty())
            return phone.trimmed();
    }
    return {};
}

QDate deliveryDate(store::Table& settings, const QDate& today) {
    if (!settings.isOpen())
        return today.addDays(14);
    try {
        return today.addDays(settings.fieldByName(QStringLiteral("Std_dod_lhuta")).asInteger());
    } catch (const store::StoreError&) {
        return today.addDays(14);
    }
}

QVariantList orderValues(const NewOrderEntries& e, const QString& number, const QString& supplierTelephone,
                         const QString& supplierEmail) {
    QString text = e.text;
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return {number,
            QDateTime(e.issued, QTime(0, 0)),
            QDateTime(e.due, QTime(0, 0)),
            e.payment,
            e.transport,
            e.orderer,
            e.function,
            e.phone,
            e.email,
            e.supplier,
            e.contact,
            e.street,
            e.town,
            e.postcode,
            supplierTelephone,
            supplierEmail,
            false,
            false,
            text};
}

} // namespace kv::orders
