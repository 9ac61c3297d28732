// The users window: the list and the add/edit page.
#include "formuzivatele.h"

#include "gridlayouts.h"
#include "windowparts.h"

#include "base/programfolder.h"
#include "controls/dbgrid.h"
#include "controls/prolabeledit.h"
#include "controls/tdbnavigator.h"
#include "data/datmod.h"

#include <QPushButton>
#include <QTabWidget>
#include <array>

namespace kv::codelists {

namespace {

// In tab order.
const std::array<BoxField, 7> kUserBoxes = {{
    {"edInicialy", u"Iniciály:", 3, "Inicialy"},
    {"edTitul", u"Titul:", 10, "Titul"},
    {"edJmeno", u"Jméno:", 20, "Jmeno"},
    {"edPrijmeni", u"Příjmení:", 20, "Prijmeni"},
    {"edFunkce", u"Funkce:", 30, "Funkce"},
    {"edEmail", u"E-mail:", 30, "Email"},
    {"edTelefon", u"Telefon:", 15, "Telefon"},
}};

// The order of the values of a new user: the table's field order.
const char* const kInsertOrder[] = {"Titul", "Prijmeni", "Jmeno", "Inicialy", "Email", "Funkce", "Telefon"};

QStringList userFieldNames() {
    QStringList out;
    for (const BoxField& b : kUserBoxes)
        out << QLatin1String(b.fieldName);
    return out;
}

} // namespace

TFormUzivatele::TFormUzivatele(data::TDM& dm, QWidget* parent)
    : CodeListWindow("FormUzivatele", QStringLiteral("Seznam uživatelů..."), QSize(692, 386), parent)
    , dm_(dm)
    , pages_(dm.tabUzivatele, userFieldNames()) {
    pages_.requiredField = QStringLiteral("Inicialy");
    pages_.requiredMessage = texts::userInitialsMissing();
    ZalozkyUzivatelu = new QTabWidget(this);
    ZalozkyUzivatelu->setObjectName(QStringLiteral("ZalozkyUzivatelu"));
    ZalozkyUzivatelu->setAccessibleName(QStringLiteral("Uživatelé"));
    ZalozkyUzivatelu->setGeometry(QRect(QPoint(0, 0), size()));
    tabSeznamUzivatelu =
        makePage(ZalozkyUzivatelu, "tabSeznamUzivatelu", QStringLiteral("   Seznam uživatelů   "));
    tabNovyUzivatel =
        makePage(ZalozkyUzivatelu, "tabNovyUzivatel", QStringLiteral("   Přidání / úprava uživatele   "));

    QWidget* list = tabSeznamUzivatelu;
    GridUziv = makeGrid(list, "GridUziv", QStringLiteral("Seznam uživatelů"), &dm_.dsUzivatele,
                        QRect(8, 8, 670, 280));
    NavDoprava = makeNavigator(list, "NavDoprava", &dm_.dsUzivatele, QPoint(8, 296));
    tlZavrit = makeButton(list, "tlZavrit", QStringLiteral("Zavřít"), QRect(528, 296, 150, 25));
    setTabOrder(GridUziv, tlZavrit);
    connect(tlZavrit, &QPushButton::clicked, this, &QDialog::close);

    QWidget* entry = tabNovyUzivatel;
    const auto edits = makeBoxes(
        entry, kUserBoxes, dm_.tabUzivatele.definition(), pages_.boxes(),
        [](int i) { return QRect(8, 10 + i * 30, 400, 25); }, 80);
    nameBoxes(edits, {&edInicialy, &edTitul, &edJmeno, &edPrijmeni, &edFunkce, &edEmail, &edTelefon});
    tlUlozZm = makeButton(entry, "tlUlozZm", QStringLiteral("Uložit změny"), QRect(212, 296, 150, 25));
    tlNovyUz = makeButton(entry, "tlNovyUz", QStringLiteral("Nový uživatel...."), QRect(370, 296, 150, 25));
    Button2 = makeButton(entry, "Button2", QStringLiteral("Zavřít"), QRect(528, 296, 150, 25));
    setTabChain({edTelefon->editBox(), tlUlozZm, tlNovyUz, Button2});
    connect(tlUlozZm, &QPushButton::clicked, this, &TFormUzivatele::tlUlozZmClick);
    connect(tlNovyUz, &QPushButton::clicked, this, &TFormUzivatele::tlNovyUzClick);
    connect(Button2, &QPushButton::clicked, this, &QDialog::close);

    pages_.setPages(ZalozkyUzivatelu, tabSeznamUzivatelu, tabNovyUzivatel);
    pages_.newRecord = [this] {
        QVariantList values;
        for (const char* field : kInsertOrder)
            values << pages_.boxes().text(QLatin1String(field));
        return values;
    };
    pages_.changedRecord = [this] { return pages_.boxes().values(); };
    connect(ZalozkyUzivatelu, &QTabWidget::currentChanged, this, &TFormUzivatele::ZalozkyUzivateluChange);
    GridLayouts::load(layoutPath(), *GridUziv);
}

QString TFormUzivatele::layoutPath() {
    return programFolder() + QStringLiteral("Uzivatele.grd");
}

void TFormUzivatele::FormShow() {
    dm_.tabUzivatele.refresh();
}

void TFormUzivatele::FormClose() {
    GridLayouts::saveReported(layoutPath(), *GridUziv);
}

void TFormUzivatele::ZalozkyUzivateluChange(int index) {
    pages_.tabChanged(index);
}

void TFormUzivatele::tlNovyUzClick() {
    pages_.newClicked(this);
}

void TFormUzivatele::tlUlozZmClick() {
    pages_.save(this);
}

} // namespace kv::codelists
