// The new order without its window: the entries, the six checks in their order with their
// messages, the orderer's name and the supplier's telephone as copied from the code lists, the
// 26-line limit of the order text (its lines as the order form prints them), the delivery date from the settings, and the record's values in
// the orders table's field order.
#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <functional>
#include <utility>

namespace kv::store {
class Table;
}

namespace kv::orders {

// What the clerk entered, texts as typed.
struct NewOrderEntries {
    QDate issued;
    QDate due;
    QString payment, transport;
    QString orderer, function, phone, email, initials;
    QString supplier, contact, street, town, postcode;
    QString text; // lines joined by "\n"
};

// The checks in the order they are made; None when all pass.
enum class NewOrderCheck { None, Payment, Transport, Orderer, Initials, Supplier, Text };
// The first check the entries fail, looking at texts without blanks at either end.
NewOrderCheck firstFailedCheck(const NewOrderEntries& e);
QString checkMessage(NewOrderCheck check);

// Whether the clerk has typed or picked anything; the two dates are always set.
bool orderBegun(const NewOrderEntries& e);

// The supplier as picked from the suppliers list: the five boxes as the pick filled them, and the
// telephone and e-mail of that supplier.
struct PickedSupplier {
    QStringList boxes; // firm, contact, street, town, postcode; empty: nothing picked
    QString telephone, email;
};
// The supplier's five boxes of `e`, in the order of PickedSupplier::boxes.
QStringList supplierBoxes(const NewOrderEntries& e);
// The telephone and e-mail stored with the order: those of the picked supplier while its boxes
// still hold what was picked; empty for a supplier typed by hand or changed after the pick.
std::pair<QString, QString> supplierContact(const PickedSupplier& picked, const NewOrderEntries& e);

QString confirmQuestion();
QString noNumberMessage();
QString orderNotSavedMessage();
QString closeQuestion();

constexpr int kMaxTextLines = 26;
// Lines of a text as something counts them (the order form, as it prints them).
using LineCounter = std::function<int(const QString&)>;

// Title, first name and surname joined by single blanks, without blanks at either end.
QString ordererName(const QString& titul, const QString& jmeno, const QString& prijmeni);
// The first of the three that is not blank, without blanks at either end; empty when all are.
QString supplierPhone(const QString& telefon, const QString& gsm, const QString& fax);

// Today plus the settings row's lead time; an empty lead time is 0 days, a settings table that
// cannot be read 14.
QDate deliveryDate(store::Table& settings, const QDate& today);

// The order's record in the orders table's field order: number, dates, the texts as typed, the
// supplier's telephone and e-mail, both flags false, the text with CR LF line breaks; the settling
// date stays empty.
QVariantList orderValues(const NewOrderEntries& e, const QString& number, const QString& supplierTelephone,
                         const QString& supplierEmail);

} // namespace kv::orders
