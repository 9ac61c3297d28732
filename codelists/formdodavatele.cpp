// The suppliers window: categories, the suppliers of the current category, and the add/edit page.
#include "formdodavatele.h"

#include "codelisttexts.h"
#include "gridlayouts.h"
#include "onecolumnlist.h"
#include "supplierentry.h"
#include "windowparts.h"

#include "base/programfolder.h"
#include "controls/dbgrid.h"
#include "controls/prolabeledit.h"
#include "controls/tdbmemo.h"
#include "controls/tdbnavigator.h"
#include "controls/tdbtext.h"
#include "data/datmod.h"
#include "print/printwindows.h"
#include "print/sestavy.h"
#include "ui/dialogs.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>

namespace kv::codelists {

namespace {

QStringList supplierFieldNames() {
    QStringList out;
    for (const BoxField& b : kSupplierBoxes)
        out << QLatin1String(b.fieldName);
    return out << QStringLiteral("Poznamka");
}

} // namespace

QString categoryDeleteRefusal(data::TDM& dm) {
    store::Table& categories = dm.tabObory;
    // A category being typed in is not stored yet; deleting it drops the typing.
    if (categories.isEmpty() || categories.state() == store::Table::State::Insert)
        return {};
    const int suppliers = dm.suppliersOfCategory(categories.fieldByName(QStringLiteral("Obor")).asString());
    return suppliers > 0 ? texts::categoryHasSuppliers(suppliers) : QString();
}

TFormDodavatele::TFormDodavatele(data::TDM& dm, QWidget* parent)
    : CodeListWindow("FormDodavatele", QStringLiteral("Seznam dodavatelů...."), QSize(692, 416), parent)
    , dm_(dm)
    , pages_(dm.tabDodavatele, supplierFieldNames()) {
    pages_.requiredField = QStringLiteral("Nazev");
    pages_.requiredMessage = texts::supplierNameMissing();
    ZalozkyDodavatelu = new QTabWidget(this);
    ZalozkyDodavatelu->setObjectName(QStringLiteral("ZalozkyDodavatelu"));
    ZalozkyDodavatelu->setAccessibleName(QStringLiteral("Dodavatelé"));
    ZalozkyDodavatelu->setGeometry(QRect(QPoint(0, 0), size()));
    tabObory = makePage(ZalozkyDodavatelu, "tabObory", QStringLiteral("    Obory působnosti    "));
    tabSeznamDodavatelu =
        makePage(ZalozkyDodavatelu, "tabSeznamDodavatelu", QStringLiteral("   Seznam dodavatelů   "));
    tabNovyDodavatel =
        makePage(ZalozkyDodavatelu, "tabNovyDodavatel", QStringLiteral("   Přidání / úprava dodavatele   "));
    buildCategoriesPage();
    buildSuppliersPage();
    buildEntryPage();
    pages_.setPages(ZalozkyDodavatelu, tabSeznamDodavatelu, tabNovyDodavatel);
    pages_.fillOthers = [this](store::Table& t) {
        edPoznamka->setPlainText(
            controls::TDBMemo::toShown(t.fieldByName(QStringLiteral("Poznamka")).asString()));
    };
    pages_.clearOthers = [this] { edPoznamka->clear(); };
    pages_.othersTyped = [this] { return edPoznamka->document()->isModified(); };
    pages_.newRecord = [this] { return newSupplier(); };
    pages_.changedRecord = [this] {
        auto values = pages_.boxes().values();
        values.append({QStringLiteral("Poznamka"), noteForEdit(edPoznamka->toPlainText())});
        return values;
    };
    connect(ZalozkyDodavatelu, &QTabWidget::currentChanged, this, &TFormDodavatele::ZalozkyDodavateluChange);
    connect(&dm_, &data::TDM::suppliersFiltered, this, &TFormDodavatele::showCount);
    // A supplier names its category only by a copy of the name: deleting a category still named so
    // would hide its suppliers from the window and the printed list. The check lives as long as the
    // data module, so it holds nothing of the window.
    dm_.DSObory.setDeleteCheck([&dm = dm_] { return categoryDeleteRefusal(dm); });
    // The suppliers were filtered when the tables opened, before this window existed.
    showCount();
    GridLayouts::load(layoutPath(), *GridDodavatele);
}

void TFormDodavatele::buildCategoriesPage() {
    QWidget* p = tabObory;
    GridObory =
        makeGrid(p, "GridObory", QStringLiteral("Obory působnosti"), &dm_.DSObory, QRect(8, 8, 670, 270));
    DBNavigator1 = makeNavigator(p, "DBNavigator1", &dm_.DSObory, QPoint(8, 286));
    makeLabel(p, "Label1", QStringLiteral("Počet dodavatelů v oboru:"), QRect(190, 290, 160, 18));
    labPocFirem = makeLabel(p, "labPocFirem", QStringLiteral("0"), QRect(352, 290, 80, 18));
    edOborPus =
        makeLabelEdit(p, "edOborPus", QStringLiteral("Obor působnosti:"), 80, QRect(8, 324, 500, 25), 110);
    Button2 = makeButton(p, "Button2", QStringLiteral("Přidat obor..."), QRect(528, 322, 150, 25));
    Button3 = makeButton(p, "Button3", QStringLiteral("Zavřít"), QRect(528, 354, 150, 25));
    setTabChain({GridObory, edOborPus->editBox(), Button2, Button3});
    connect(Button2, &QPushButton::clicked, this, &TFormDodavatele::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &QDialog::close);
}

void TFormDodavatele::buildSuppliersPage() {
    QWidget* p = tabSeznamDodavatelu;
    makeLabel(p, "Label2", QStringLiteral("Vybraný obor:"), QRect(8, 8, 90, 18));
    DBText1 = new controls::TDBText(p);
    DBText1->setObjectName(QStringLiteral("DBText1"));
    DBText1->setCaption(QStringLiteral("Vybraný obor"));
    DBText1->setDataSource(&dm_.DSObory);
    DBText1->setDataField(QStringLiteral("Obor"));
    QFont bold = DBText1->font();
    bold.setBold(true);
    DBText1->setFont(bold);
    DBText1->setGeometry(QRect(100, 8, 578, 18));
    GridDodavatele = makeGrid(p, "GridDodavatele", QStringLiteral("Seznam dodavatelů"), &dm_.DSDodavatele,
                              QRect(8, 30, 670, 220));
    DBMemo1 = new controls::TDBMemo(p);
    DBMemo1->setObjectName(QStringLiteral("DBMemo1"));
    DBMemo1->setAccessibleName(QStringLiteral("Poznámka"));
    DBMemo1->setDataSource(&dm_.DSDodavatele);
    DBMemo1->setDataField(QStringLiteral("Poznamka"));
    DBMemo1->setReadOnlySetting(true);
    DBMemo1->setTabChangesFocus(true);
    DBMemo1->setGeometry(QRect(8, 256, 670, 60));
    NavDoprava = makeNavigator(p, "NavDoprava", &dm_.DSDodavatele, QPoint(8, 324));
    tlTisk = makeButton(p, "tlTisk", QStringLiteral("Tisk seznamu"), QRect(370, 324, 150, 25));
    tlZavrit = makeButton(p, "tlZavrit", QStringLiteral("Zavřít"), QRect(528, 324, 150, 25));
    setTabChain({GridDodavatele, DBMemo1, tlTisk, tlZavrit});
    connect(tlTisk, &QPushButton::clicked, this, &TFormDodavatele::tlTiskClick);
    connect(tlZavrit, &QPushButton::clicked, this, &QDialog::close);
}

void TFormDodavatele::buildEntryPage() {
    QWidget* p = tabNovyDodavatel;
    // Two columns of six, the left one first in tab order.
    const auto edits = makeBoxes(
        p, kSupplierBoxes, dm_.tabDodavatele.definition(), pages_.boxes(),
        [](int i) { return QRect(i < 6 ? 8 : 352, 10 + (i % 6) * 30, 326, 25); }, 80);
    nameBoxes(edits, {&edNazev, &edZastupce, &edUliceCP, &edObec, &edPSC, &edTelefon, &edFax, &edGSM,
                      &edEmail, &edWWW, &edIC, &edDIC});
    edPoznamka = new QPlainTextEdit(p);
    edPoznamka->setObjectName(QStringLiteral("edPoznamka"));
    edPoznamka->setAccessibleName(QStringLiteral("Poznámka"));
    edPoznamka->setTabChangesFocus(true);
    edPoznamka->setGeometry(QRect(8, 192, 670, 120));
    tlNovyDodavatel =
        makeButton(p, "tlNovyDodavatel", QStringLiteral("Nový dodavatel...."), QRect(8, 322, 150, 25));
    tlPridat = makeButton(p, "tlPridat", QStringLiteral("Uložit změny"), QRect(370, 322, 150, 25));
    Button1 = makeButton(p, "Button1", QStringLiteral("Zavřít"), QRect(528, 322, 150, 25));
    setTabChain({edDIC->editBox(), edPoznamka, tlNovyDodavatel, tlPridat, Button1});
    connect(tlNovyDodavatel, &QPushButton::clicked, this, &TFormDodavatele::tlNovyDodavatelClick);
    connect(tlPridat, &QPushButton::clicked, this, &TFormDodavatele::tlPridatClick);
    connect(Button1, &QPushButton::clicked, this, &QDialog::close);
}

QString TFormDodavatele::layoutPath() {
    return programFolder() + QStringLiteral("Dodavatele.grd");
}

void TFormDodavatele::FormShow() {
    dm_.tabDodavatele.refresh();
}

void TFormDodavatele::FormClose() {
    GridLayouts::saveReported(layoutPath(), *GridDodavatele);
}

void TFormDodavatele::ZalozkyDodavateluChange(int index) {
    pages_.tabChanged(index);
}

void TFormDodavatele::tlNovyDodavatelClick() {
    pages_.newClicked(this);
}

void TFormDodavatele::tlPridatClick() {
    pages_.save(this);
}

QVariantList TFormDodavatele::newSupplier() {
    store::Table& categories = dm_.tabObory;
    const QString category =
        categories.isEmpty() ? QString() : categories.fieldByName(QStringLiteral("Obor")).asString();
    QVariantList values;
    for (const auto& [field, text] : pages_.boxes().values())
        values << text;
    // In the table's field order: the name, the category, the edits' other fields, the note.
    values.insert(1, category);
    values << noteForInsert(edPoznamka->toPlainText());
    return values;
}

void TFormDodavatele::Button2Click() {
    switch (addEntry(dm_.tabObory, QStringLiteral("Obor"), edOborPus->text())) {
    case AddEntry::Added:
        edOborPus->setText({});
        // The new category is current but no move has filtered the suppliers to it.
        dm_.tabOboryAfterScroll();
        break;
    case AddEntry::Duplicate:
        ui::showError(texts::categoryExists(), this);
        break;
    case AddEntry::Blank:
        ui::showError(texts::entryBlank(), this);
        break;
    case AddEntry::Failed:
        ui::showError(texts::insertFailed(), this);
        break;
    }
}

void TFormDodavatele::tlTiskClick() {
    print::showReport(print::Sestavy ? print::Sestavy->SeznamDodavatelu : nullptr,
                      QStringLiteral("Seznam dodavatelů"));
}

void TFormDodavatele::showCount() {
    // The count is a courtesy: a table not open yet leaves the label as it is.
    try {
        labPocFirem->setText(QString::number(dm_.tabDodavatele.recordCount()));
        // A screen reader hears the count shown, not the one the label was made with.
        labPocFirem->setAccessibleName(labPocFirem->text());
    } catch (const std::exception&) {
    }
}

} // namespace kv::codelists
