// The new order without its window: the entries, the six checks in their order with their
// messages, the orderer's name and the supplier's telephone as copied from the code lists, the
// 26-line limit of the order text, the delivery date from the settings, and the record's values in
// the orders table's field order.
#pragma once

#include <QDate>
#include <QString>
#include <QVariantList>

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

QString confirmQuestion();
QString noNumberMessage();
QString orderNotSavedMessage();
QString closeQuestion();

constexpr int kMaxTextLines = 26;
// Lines as the memo counts them: none when empty, a final line break opens no new line.
int lineCount(const QString& text);
// The first `lines` lines of `text`.
QString firstLines(const QString& text, int lines);

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
