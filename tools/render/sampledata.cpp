// Sample firms, people, categories and orders, made up from small lists so that every run gives
// the same data.
#include "sampledata.h"

#include "data/store/graphicblob.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QVariantMap>

namespace kv::tools {
namespace {

using kv::store::Table;

void addRecord(Table& table, const QVariantMap& values) {
    table.append();
    for (auto it = values.begin(); it != values.end(); ++it)
        table.fieldByName(it.key()).setValue(it.value());
    table.post();
}

const QStringList& categories() {
    static const QStringList list = {
        QStringLiteral("Elektroinstalační materiál"), QStringLiteral("Hutní materiál"),
        QStringLiteral("Spojovací materiál"),         QStringLiteral("Obráběcí nástroje"),
        QStringLiteral("Kancelářské potřeby"),        QStringLiteral("Barvy, laky a ředidla"),
    };
    return list;
}

QString pick(const QStringList& list, int i) { return list[i % list.size()]; }

const QStringList kSurnames = {QStringLiteral("Novák"),    QStringLiteral("Dvořák"),  QStringLiteral("Černý"),
                               QStringLiteral("Procházka"), QStringLiteral("Kučera"), QStringLiteral("Veselý"),
                               QStringLiteral("Horák"),    QStringLiteral("Němec"),   QStringLiteral("Pokorný"),
                               QStringLiteral("Marek"),    QStringLiteral("Růžička"), QStringLiteral("Šťastný")};
const QStringList kFirstNames = {QStringLiteral("Jan"),   QStringLiteral("Petr"),   QStringLiteral("Jana"),
                                 QStringLiteral("Tomáš"), QStringLiteral("Eva"),    QStringLiteral("Martin"),
                                 QStringLiteral("Lucie"), QStringLiteral("Jiří"),   QStringLiteral("Kateřina")};
const QStringList kTowns = {QStringLiteral("Praha 9 - Vysočany"), QStringLiteral("Brno"),
                            QStringLiteral("Ostrava - Vítkovice"), QStringLiteral("Plzeň"),
                            QStringLiteral("Hradec Králové"),      QStringLiteral("České Budějovice"),
                            QStringLiteral("Olomouc"),             QStringLiteral("Ústí nad Labem")};
const QStringList kPostCodes = {QStringLiteral("19000"), QStringLiteral("60200"), QStringLiteral("70300"),
                                QStringLiteral("30100"), QStringLiteral("50002"), QStringLiteral("37001"),
                                QStringLiteral("77900"), QStringLiteral("40001")};
const QStringList kStreets = {QStringLiteral("Průmyslová 1482/7"), QStringLiteral("Na Žertvách 2247/29"),
                              QStringLiteral("Vítkovická 3083/1"),  QStringLiteral("Domažlická 1256/22"),
                              QStringLiteral("Kladská 1082/4"),     QStringLiteral("Husova 1750/11"),
                              QStringLiteral("Hodolanská 413/32"),  QStringLiteral("Masarykova 3186/76")};
const QStringList kFirmKinds = {QStringLiteral("ELEKTRO"),  QStringLiteral("FEROMET"), QStringLiteral("ŠROUBY"),
                                QStringLiteral("NÁSTROJE"), QStringLiteral("PAPÍRNICTVÍ"), QStringLiteral("BARVY")};
const QStringList kLegal = {QStringLiteral("s.r.o."), QStringLiteral("a.s."), QStringLiteral("spol. s r.o."),
                            QStringLiteral("v.o.s.")};
const QStringList kPayments = {QStringLiteral("Převodním příkazem"), QStringLiteral("Hotově při převzetí"),
                               QStringLiteral("Dobírkou"), QStringLiteral("Zálohovou fakturou")};
const QStringList kTransports = {QStringLiteral("Vlastní odvoz"), QStringLiteral("Dodavatelem na naše náklady"),
                                 QStringLiteral("PPL"), QStringLiteral("Česká pošta - balík")};
const QStringList kItems = {
    QStringLiteral("Kabel CYKY-J 3x2,5 - 100 m"),       QStringLiteral("Jistič LSN 16B/1 - 24 ks"),
    QStringLiteral("Plech DC01 tl. 2 mm 1000x2000 - 15 ks"), QStringLiteral("Šroub M8x40 DIN 933 8.8 Zn - 500 ks"),
    QStringLiteral("Matice M8 DIN 934 Zn - 500 ks"),    QStringLiteral("Vrták HSS-Co 8,5 mm - 10 ks"),
    QStringLiteral("Fréza čelní D50 - 2 ks"),            QStringLiteral("Papír A4 80 g - 20 balení"),
    QStringLiteral("Barva syntetická RAL 7035 - 25 kg"), QStringLiteral("Ředidlo S 6006 - 10 l"),
    QStringLiteral("Trubka 28x1,5 ČSN 42 5715 - 36 m"),  QStringLiteral("Podložka 8,4 DIN 125 Zn - 1000 ks")};

struct User {
    const char16_t* title;
    const char16_t* surname;
    const char16_t* name;
    const char16_t* initials;
    const char16_t* role;
    const char16_t* email;
    const char16_t* phone;
};
const User kUsers[] = {
    {u"Ing.", u"Horák", u"Jaroslav", u"JH", u"jednatel", u"horak@shorak.cz", u"466 612 341"},
    {u"", u"Kratochvílová", u"Zdeňka", u"ZK", u"referentka nákupu", u"kratochvilova@shorak.cz",
     u"466 612 347"},
    {u"Bc.", u"Šimek", u"Ondřej", u"OŠ", u"mistr obrobny", u"simek@shorak.cz", u"466 612 352"},
};

QString supplierName(int i) {
    // The kind of firm follows its trade category (i % 5, as fillSuppliers spreads them); now and
    // then a wholesaler's name long enough to take two lines on the order form.
    if (i % 10 == 5)
        return QStringLiteral("Velkoobchod elektroinstalačním materiálem a svítidly %1 %2")
            .arg(pick(kSurnames, i * 5 + i / 12), pick(kLegal, i));
    return QStringLiteral("%1 %2 %3").arg(kFirmKinds[i % 5], pick(kSurnames, i * 5 + i / 12), pick(kLegal, i));
}

} // namespace

QByteArray sampleLogoBmp(int pixels) {
    QImage image(pixels, pixels, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(pixels / 96.0, pixels / 96.0);
        p.setPen(QPen(QColor(0x0d, 0x47, 0xa1), 5));
        p.setBrush(QColor(0xe3, 0xf2, 0xfd));
        p.drawEllipse(QRectF(6, 6, 84, 84));
        p.setPen(QPen(QColor(0x0d, 0x47, 0xa1), 7, Qt::SolidLine, Qt::RoundCap));
        for (int i = 0; i < 12; ++i) {
            p.save();
            p.translate(48, 48);
            p.rotate(30.0 * i);
            p.drawLine(QPointF(0, 36), QPointF(0, 44));
            p.restore();
        }
        QFont f(QStringLiteral("Liberation Sans"));
        f.setPixelSize(34);
        f.setBold(true);
        p.setFont(f);
        p.setPen(QColor(0x0d, 0x47, 0xa1));
        p.drawText(QRectF(6, 6, 84, 84), Qt::AlignCenter, QStringLiteral("SH"));
    }
    QByteArray bmp;
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bmp;
}

void fillFirm(kv::data::TDM& dm, bool withLogo) {
    Table& t = dm.tabSystem;
    t.first();
    if (t.isEmpty())
        t.append();
    else
        t.edit();
    const QVariantMap values = {
        {QStringLiteral("Firma"), QStringLiteral("STROJÍRNY HORÁK s.r.o.")},
        {QStringLiteral("Ulice_CP"), QStringLiteral("Průmyslová 1482/7")},
        {QStringLiteral("Obec"), QStringLiteral("Pardubice")},
        {QStringLiteral("PSC"), QStringLiteral("53002")},
        {QStringLiteral("IC"), QStringLiteral("25931543")},
        {QStringLiteral("DIC"), QStringLiteral("CZ25931543")},
        {QStringLiteral("Telefon"), QStringLiteral("466 612 345")},
        {QStringLiteral("Fax"), QStringLiteral("466 612 346")},
        {QStringLiteral("GSM"), QStringLiteral("603 214 587")},
        {QStringLiteral("Email"), QStringLiteral("info@shorak.cz")},
        {QStringLiteral("www"), QStringLiteral("www.shorak.cz")},
        {QStringLiteral("Banka"), QStringLiteral("Komerční banka, a.s., pobočka Pardubice")},
        {QStringLiteral("Ucet"), QStringLiteral("27-4561230287/0100")},
        {QStringLiteral("Zapsana"),
         QStringLiteral("Obchodní rejstřík vedený Krajským soudem v Hradci Králové, oddíl C, vložka 14582")},
        {QStringLiteral("Dod_Ulice_CP"), QStringLiteral("Průmyslová 1482/7 - sklad C")},
        {QStringLiteral("Dod_Obec"), QStringLiteral("Pardubice - Semtín")},
        {QStringLiteral("Dod_PSC"), QStringLiteral("53002")},
        {QStringLiteral("Dod_Telefon"), QStringLiteral("466 612 350")},
        {QStringLiteral("Dod_GSM"), QStringLiteral("603 214 590")},
        {QStringLiteral("Dod_email"), QStringLiteral("sklad@shorak.cz")},
        {QStringLiteral("Std_dod_lhuta"), 14},
    };
    for (auto it = values.begin(); it != values.end(); ++it)
        t.fieldByName(it.key()).setValue(it.value());
    if (withLogo)
        t.fieldByName(QStringLiteral("Logo")).setAsBytes(kv::store::wrapBitmap(sampleLogoBmp()));
    else
        t.fieldByName(QStringLiteral("Logo")).clear();
    t.post();
}

void fillUsers(kv::data::TDM& dm) {
    for (const User& u : kUsers)
        addRecord(dm.tabUzivatele, {{QStringLiteral("Titul"), QString::fromUtf16(u.title)},
                                    {QStringLiteral("Prijmeni"), QString::fromUtf16(u.surname)},
                                    {QStringLiteral("Jmeno"), QString::fromUtf16(u.name)},
                                    {QStringLiteral("Inicialy"), QString::fromUtf16(u.initials)},
                                    {QStringLiteral("Funkce"), QString::fromUtf16(u.role)},
                                    {QStringLiteral("Email"), QString::fromUtf16(u.email)},
                                    {QStringLiteral("Telefon"), QString::fromUtf16(u.phone)}});
    for (const QString& p : kPayments)
        addRecord(dm.tabPlatba, {{QStringLiteral("Platba"), p}});
    for (const QString& d : kTransports)
        addRecord(dm.tabDoprava, {{QStringLiteral("Doprava"), d}});
}

void addCategory(kv::data::TDM& dm, const QString& name) {
    addRecord(dm.tabObory, {{QStringLiteral("Obor"), name}});
}

void addSupplier(kv::data::TDM& dm, const QString& category, const QString& name, int variant) {
    const QString person = pick(kFirstNames, variant) + QLatin1Char(' ') + pick(kSurnames, variant + 3);
    const QString domain = QStringLiteral("firma%1.cz").arg(variant + 1);
    addRecord(dm.tabDodavatele,
              {{QStringLiteral("Nazev"), name},
               {QStringLiteral("Obor"), category},
               {QStringLiteral("Zastupce"), person},
               {QStringLiteral("Ulice"), pick(kStreets, variant)},
               {QStringLiteral("Obec"), pick(kTowns, variant)},
               {QStringLiteral("PSC"), pick(kPostCodes, variant)},
               {QStringLiteral("Telefon"), QStringLiteral("+420 %1 %2").arg(541 + variant % 300).arg(100 + variant % 900)},
               {QStringLiteral("Fax"), QStringLiteral("+420 %1 211").arg(541 + variant % 300)},
               {QStringLiteral("GSM"), QStringLiteral("+420 777 %1").arg(100 + variant * 7 % 900)},
               {QStringLiteral("Email"), QStringLiteral("obchod@") + domain},
               {QStringLiteral("www"), QStringLiteral("www.") + domain},
               {QStringLiteral("IC"), QStringLiteral("%1").arg(26000000 + variant * 7919)},
               {QStringLiteral("DIC"), QStringLiteral("CZ%1").arg(26000000 + variant * 7919)},
               {QStringLiteral("Poznamka"),
                QStringLiteral("Dodací lhůta obvykle %1 pracovních dnů, minimální odběr 5 000 Kč.\nKontakt na sklad "
                               "přes recepci.")
                    .arg(3 + variant % 10)}});
}

void fillSuppliers(kv::data::TDM& dm, int count) {
    for (const QString& c : categories())
        addCategory(dm, c);
    const int used = int(categories().size()) - 1;
    for (int i = 0; i < count; ++i)
        addSupplier(dm, categories()[i % used], supplierName(i), i);
    dm.tabObory.first();
}

void addOrder(kv::data::TDM& dm, const SampleOrder& order) {
    const User& u = kUsers[order.sequence % 3];
    const int v = order.sequence;
    QStringList text;
    for (int i = 0; i < order.lines; ++i)
        text << QStringLiteral("%1. %2").arg(i + 1).arg(pick(kItems, v + i * 5));
    const QString supplier = order.supplier.isEmpty() ? supplierName(v) : order.supplier;
    const QDateTime issued(order.issued, QTime(0, 0));
    addRecord(dm.tabKalmorvaty,
              {{QStringLiteral("Cislo"), QStringLiteral("%1/%2/%3/%4")
                                             .arg(order.issued.year())
                                             .arg(order.issued.month())
                                             .arg(v, 5, 10, QLatin1Char('0'))
                                             .arg(QString::fromUtf16(u.initials))},
               {QStringLiteral("Datum"), issued},
               {QStringLiteral("Termin_dod"), issued.addDays(14)},
               {QStringLiteral("Zpusob_platby"), pick(kPayments, v)},
               {QStringLiteral("Doprava"), pick(kTransports, v + 1)},
               {QStringLiteral("Objednal"), QStringLiteral("%1 %2 %3")
                                                .arg(QString::fromUtf16(u.title), QString::fromUtf16(u.name),
                                                     QString::fromUtf16(u.surname))
                                                .trimmed()},
               {QStringLiteral("Funkce"), QString::fromUtf16(u.role)},
               {QStringLiteral("Telefon"), QString::fromUtf16(u.phone)},
               {QStringLiteral("Email"), QString::fromUtf16(u.email)},
               {QStringLiteral("Dod_firma"), supplier},
               {QStringLiteral("Dod_osoba"), pick(kFirstNames, v) + QLatin1Char(' ') + pick(kSurnames, v + 3)},
               {QStringLiteral("Dod_ulice"), pick(kStreets, v)},
               {QStringLiteral("Dod_Obec"), pick(kTowns, v)},
               {QStringLiteral("Dod_PSC"), pick(kPostCodes, v)},
               {QStringLiteral("Dod_Telefon"), QStringLiteral("+420 %1 210").arg(541 + v % 300)},
               {QStringLiteral("Dod_email"), QStringLiteral("obchod@firma%1.cz").arg(v + 1)},
               {QStringLiteral("Vyrizena"), order.completed},
               {QStringLiteral("Stornovana"), order.cancelled},
               {QStringLiteral("Text"), text.join(QStringLiteral("\r\n"))},
               {QStringLiteral("Vyrizena_dne"), order.completed ? QVariant(issued.addDays(12)) : QVariant()}});
}

void fillOrders(kv::data::TDM& dm, int count) {
    const QDate last(2026, 12, 9);
    for (int i = 0; i < count; ++i) {
        SampleOrder o;
        o.sequence = i + 1;
        o.issued = last.addDays(-(count - 1 - i) / 3);
        o.lines = 3 + i % 9;
        o.completed = i % 4 == 1;
        o.cancelled = i % 7 == 5;
        addOrder(dm, o);
    }
    dm.tabKalmorvaty.first();
}

} // namespace kv::tools
