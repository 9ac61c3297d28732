// The supplier edits and the stored forms of the note.
#include "supplierentry.h"

#include <QStringList>

namespace kv::codelists {

const std::array<BoxField, 12> kSupplierBoxes = {{
    {"edNazev", u"Název:", 80, "Nazev"},
    {"edZastupce", u"Zástupce:", 30, "Zastupce"},
    {"edUliceCP", u"Ulice a ČP:", 50, "Ulice"},
    {"edObec", u"Obec:", 50, "Obec"},
    // Six characters: a postcode is written "530 02".
    {"edPSC", u"PSČ:", BoxField::kFieldSize, "PSC"},
    {"edTelefon", u"Telefon:", 15, "Telefon"},
    {"edFax", u"Fax:", 15, "Fax"},
    {"edGSM", u"GSM:", 15, "GSM"},
    {"edEmail", u"E-mail:", 30, "Email"},
    {"edWWW", u"www:", 30, "www"},
    {"edIC", u"IČ:", 8, "IC"},
    {"edDIC", u"DIČ:", 10, "DIC"},
}};

QString noteForInsert(const QString& memoText) {
    QStringList lines = memoText.split(QLatin1Char('\n'));
    // A memo's lines end where its text ends: a final line break opens no further line.
    if (lines.last().isEmpty())
        lines.removeLast();
    QString out;
    for (const QString& line : lines)
        out += line + QLatin1String("\r\n");
    return out;
}

QString noteForEdit(const QString& memoText) {
    QString out = memoText;
    return out.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
}

} // namespace kv::codelists
