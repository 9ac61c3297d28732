// The seven tables, field by field, as the windows, the reports and the set-up program expect them.
#include "schema.h"

#include <stdexcept>

namespace kv::data {
namespace {

using store::FieldDef;
using store::FieldType;
using store::IndexDef;
using store::TableDef;

FieldDef str(const char16_t* name, int size, const char16_t* label = u"", int width = 0, bool hidden = false) {
    return FieldDef{QString::fromUtf16(name), FieldType::String, size, QString::fromUtf16(label), width, hidden};
}
FieldDef typed(const char16_t* name, FieldType type, const char16_t* label = u"", bool hidden = false) {
    return FieldDef{QString::fromUtf16(name), type, 0, QString::fromUtf16(label), 0, hidden};
}

// The orders' texts hold whole what the windows copy into them: the user's title and names
// (10 + 20 + 20 and two blanks), telephones of 15 and postcodes of 6 ("530 02"). Their columns
// keep the widths they were shown in before.
TableDef orders() {
    TableDef t;
    t.name = QString::fromUtf16(tables::kOrders);
    t.fields = {
        str(u"Cislo", 20, u"Číslo:"),
        typed(u"Datum", FieldType::DateTime, u"Vystavena:"),
        typed(u"Termin_dod", FieldType::DateTime, u"Termín dodání:"),
        str(u"Zpusob_platby", 30, u"Způsob platby:"),
        str(u"Doprava", 30, u"Typ dopravy:"),
        str(u"Objednal", 52, u"Objednal:", 45),
        str(u"Funkce", 30, u"Funkce:"),
        str(u"Telefon", 15, u"Telefon:", 14),
        str(u"Email", 30, u"E-mail:"),
        str(u"Dod_firma", 80, u"Dodavatel:"),
        str(u"Dod_osoba", 30, u"Zástupce dodavatele:"),
        str(u"Dod_ulice", 50, u"Ulice a ČP:"),
        str(u"Dod_Obec", 50, u"Obec:"),
        str(u"Dod_PSC", 6, u"PSČ:", 5),
        str(u"Dod_Telefon", 15, u"Telefon dodavatele:", 14),
        str(u"Dod_email", 30, u"E-mail dodavatele:"),
        typed(u"Vyrizena", FieldType::Boolean, u"Vyřízeno:"),
        typed(u"Stornovana", FieldType::Boolean, u"Storno:"),
        typed(u"Text", FieldType::Memo, u"Text objednávky:", true),
        typed(u"Vyrizena_dne", FieldType::DateTime, u"Datum vyřízení:"),
    };
    t.indexes = {IndexDef{QStringLiteral("Cislo"), {QStringLiteral("Cislo")}, true}};
    t.activeIndex = QStringLiteral("Cislo");
    return t;
}

TableDef settings() {
    TableDef t;
    t.name = QString::fromUtf16(tables::kSystem);
    t.fields = {
        str(u"PosledniObj", 20, u"", 17), str(u"Firma", 100), str(u"Ulice_CP", 50), str(u"Obec", 50),
        str(u"PSC", 6), str(u"IC", 8), str(u"DIC", 10), str(u"Telefon", 15), str(u"Fax", 15), str(u"GSM", 15),
        str(u"Email", 50), str(u"www", 50), str(u"Banka", 50), str(u"Ucet", 30), str(u"Zapsana", 100),
        str(u"Dod_Ulice_CP", 50), str(u"Dod_Obec", 50), str(u"Dod_PSC", 6), str(u"Dod_Telefon", 15),
        str(u"Dod_GSM", 15), str(u"Dod_email", 50), typed(u"Logo", FieldType::Graphic),
        typed(u"Std_dod_lhuta", FieldType::Integer),
    };
    return t;
}

TableDef suppliers() {
    TableDef t;
    t.name = QString::fromUtf16(tables::kSuppliers);
    t.fields = {
        str(u"Nazev", 80, u"Název firmy:"),
        str(u"Obor", 80, u"Obor činnosti:", 0, true),
        str(u"Zastupce", 30, u"Zástupce firmy:"),
        str(u"Ulice", 50, u"UIlice a ČP:"),
        str(u"Obec", 50, u"Obec:"),
        str(u"PSC", 6, u"PSČ:"),
        str(u"Telefon", 15, u"Telefon:"),
        str(u"Fax", 15, u"Fax:"),
        str(u"GSM", 15, u"GSM:"),
        str(u"Email", 30, u"E-mail:"),
        str(u"www", 30, u"www stránky:"),
        str(u"IC", 8, u"IČ:"),
        str(u"DIC", 10, u"DIČ:"),
        typed(u"Poznamka", FieldType::Memo, u"Poznámka:", true),
    };
    t.indexes = {IndexDef{QStringLiteral("Nazev"), {QStringLiteral("Nazev")}, true}};
    return t;
}

TableDef oneField(const char16_t* table, const char16_t* field, int size, const char16_t* label, int width,
                  const char16_t* index) {
    TableDef t;
    t.name = QString::fromUtf16(table);
    t.fields = {str(field, size, label, width)};
    t.indexes = {IndexDef{QString::fromUtf16(index), {QString::fromUtf16(field)}, true}};
    t.activeIndex = QString::fromUtf16(index);
    return t;
}

TableDef users() {
    TableDef t;
    t.name = QString::fromUtf16(tables::kUsers);
    t.fields = {
        str(u"Titul", 10, u"Titul:", 21),     str(u"Prijmeni", 20, u"Příjmení:", 43),
        str(u"Jmeno", 20, u"Jméno:", 44),     str(u"Inicialy", 3, u"Iniciály:", 9),
        str(u"Email", 30, u"E-mail:", 66),    str(u"Funkce", 30, u"Funkce:", 67),
        str(u"Telefon", 15, u"Telefon:", 33),
    };
    t.storedOrder = {QStringLiteral("Titul"), QStringLiteral("Prijmeni"), QStringLiteral("Jmeno"),
                     QStringLiteral("Inicialy"), QStringLiteral("Funkce"), QStringLiteral("Email"),
                     QStringLiteral("Telefon")};
    t.indexes = {IndexDef{QStringLiteral("Jmeno"),
                          {QStringLiteral("Prijmeni"), QStringLiteral("Jmeno"), QStringLiteral("Titul")}, true}};
    t.activeIndex = QStringLiteral("Jmeno");
    return t;
}

} // namespace

const QList<store::TableDef>& schema() {
    static const QList<TableDef> all = {
        settings(),
        users(),
        oneField(tables::kPayment, u"Platba", 30, u"Způsob platby:", 66, u"Platba"),
        oneField(tables::kTransport, u"Doprava", 30, u"Typ dopravy:", 66, u"Doprava"),
        oneField(tables::kCategories, u"Obor", 80, u"Obor činnosti:", 129, u"Nazev"),
        suppliers(),
        orders(),
    };
    return all;
}

const store::TableDef& tableDef(const QString& tableName) {
    for (const TableDef& t : schema())
        if (t.name.compare(tableName, Qt::CaseInsensitive) == 0)
            return t;
    throw std::out_of_range("unknown table");
}

int textSize(const char16_t* table, const QString& field) {
    const TableDef& def = tableDef(QString::fromUtf16(table));
    const int i = def.fieldIndex(field);
    if (i < 0)
        throw std::out_of_range("unknown field");
    return def.fields[i].size;
}

} // namespace kv::data
