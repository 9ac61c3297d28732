// The orders list window: its three pages, the state fonts of the grid, the commands and closing.
#include "formseznamobj.h"

#include "controlnames.h"
#include "orderprinting.h"
#include "ordersettle.h"
#include "orderstate.h"
#include "textlinelimit.h"

#include "base/clock.h"
#include "base/programfolder.h"
#include "codelists/gridlayouts.h"
#include "data/datmod.h"
#include "data/store/storeerror.h"
#include "data/store/valueconv.h"
#include "ui/appwindows.h"
#include "ui/dialogs.h"
#include "ui/windowplacement.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

namespace kv::orders {
namespace {

using controls::TNavigateBtn;

// The row's font by its order's state, read from the stored values the grid holds.
controls::DBGridRowStyleHook stateStyle(const store::TableDef& def, const QFont& base) {
    const int vyrizena = def.fieldIndex(QStringLiteral("Vyrizena"));
    const int stornovana = def.fieldIndex(QStringLiteral("Stornovana"));
    const int terminDod = def.fieldIndex(QStringLiteral("Termin_dod"));
    return [=](const store::Record& r) {
        auto flag = [&](int i) {
            return store::fromStored(store::FieldType::Boolean, r.values.value(i)).toBool();
        };
        const QDate due =
            store::fromStored(store::FieldType::DateTime, r.values.value(terminDod)).toDateTime().date();
        controls::DBGridRowStyle style;
        style.font = stateFont(orderState(flag(vyrizena), flag(stornovana), due, clock::today()), base);
        return style;
    };
}

QFont memoFont() {
    QFont f(QStringLiteral("Arial"));
    f.setBold(true);
    return f;
}

QLabel* caption(const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setAccessibleName(text);
    return l;
}

} // namespace

TFormSeznamObj::TFormSeznamObj(data::TDM& dm, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , dm_(dm) {
    setObjectName(QStringLiteral("FormSeznamObj"));
    setWindowTitle(QStringLiteral("Seznam vystavených objednávek..."));
    setAccessibleName(windowTitle());

    PageControl1 = named(new QTabWidget(this), "PageControl1", QStringLiteral("Stránky seznamu objednávek"));
    PageControl1->addTab(makeListPage(), QStringLiteral("   Seznam objednávek   "));
    PageControl1->addTab(makeDetailPage(), QStringLiteral("   Detailní informace   "));
    PageControl1->addTab(makeTextPage(), QStringLiteral("   Text objednávky   "));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(PageControl1);
    resize(780, 540);

    codelists::GridLayouts::load(layoutPath(), *GridUkazObj);
}

TFormSeznamObj::~TFormSeznamObj() {
    // The filter window sits beside this one as its child while shown, but belongs to the program.
    if (QDialog* filter = filterWindow(); filter && filter->parentWidget() == this)
        filter->setParent(nullptr, filter->windowFlags());
}

QString TFormSeznamObj::layoutPath() {
    return programFolder() + QLatin1String("SeznamObj.grd");
}

QPushButton* TFormSeznamObj::makeButton(const char* name, const QString& text, QWidget* parent) {
    auto* b = named(new QPushButton(text, parent), name, text);
    b->setAutoDefault(false);
    return b;
}

controls::TDBNavigator* TFormSeznamObj::makeNavigator(const char* name, QWidget* parent) {
    auto* n = named(new controls::TDBNavigator(parent), name, QStringLiteral("Navigátor objednávek"));
    n->setVisibleButtons({TNavigateBtn::nbFirst, TNavigateBtn::nbPrior, TNavigateBtn::nbNext,
                          TNavigateBtn::nbLast, TNavigateBtn::nbRefresh});
    // The buttons show glyphs; a screen reader reads their hints.
    for (int b = 0; b < controls::kNavigateButtonCount; ++b)
        n->button(TNavigateBtn(b))->setAccessibleName(n->button(TNavigateBtn(b))->toolTip());
    n->setDataSource(&dm_.DSKalmorvaty);
    return n;
}

QWidget* TFormSeznamObj::makeListPage() {
    TabSheet1 = named(new QWidget, "TabSheet1", QStringLiteral("Seznam objednávek"));
    GridUkazObj = named(new controls::DBGrid(TabSheet1), "GridUkazObj", QStringLiteral("Seznam objednávek"));
    GridUkazObj->setDataSource(&dm_.DSKalmorvaty);
    GridUkazObj->setReadOnly(true);
    GridUkazObj->verticalHeader()->hide();
    GridUkazObj->setShowGrid(true);
    // The selected row stays as visible when the focus is elsewhere (on a button, the memo).
    QPalette p = GridUkazObj->palette();
    for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        p.setColor(QPalette::Inactive, role, p.color(QPalette::Active, role));
    GridUkazObj->setPalette(p);
    GridUkazObj->setRowStyleHook(stateStyle(dm_.tabKalmorvaty.definition(), GridUkazObj->font()));

    UkazText = named(new controls::TDBMemo(TabSheet1), "UkazText", QStringLiteral("Text objednávky"));
    UkazText->setDataSource(&dm_.DSKalmorvaty);
    UkazText->setDataField(QStringLiteral("Text"));
    UkazText->setFont(memoFont());
    UkazText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    UkazText->setFixedHeight(110);
    // An order's text edited here is printed by "Tisk kopie" and must fit the form as a new one does.
    new TextLineLimit(*UkazText, kMaxTextLines, orderFormLines);

    DBNavigator1 = makeNavigator("DBNavigator1", TabSheet1);
    tlVyrizena = makeButton("tlVyrizena", QStringLiteral("Vyřízena!"), TabSheet1);
    tlStornovana = makeButton("tlStornovana", QStringLiteral("Stornována!"), TabSheet1);
    tlFiltr = makeButton("tlFiltr", QStringLiteral("Filtr..."), TabSheet1);
    tlKopie = makeButton("tlKopie", QStringLiteral("Tisk kopie"), TabSheet1);
    tlSeznam = makeButton("tlSeznam", QStringLiteral("Tisk seznamu"), TabSheet1);
    tlZavri2 = makeButton("tlZavri2", QStringLiteral("Zavřít"), TabSheet1);
    connect(tlVyrizena, &QPushButton::clicked, this, &TFormSeznamObj::tlVyrizenaClick);
    connect(tlStornovana, &QPushButton::clicked, this, &TFormSeznamObj::tlStornovanaClick);
    connect(tlFiltr, &QPushButton::clicked, this, &TFormSeznamObj::tlFiltrClick);
    connect(tlKopie, &QPushButton::clicked, this, &TFormSeznamObj::tlKopieClick);
    connect(tlSeznam, &QPushButton::clicked, this, &TFormSeznamObj::tlSeznamClick);
    connect(tlZavri2, &QPushButton::clicked, this, &QDialog::close);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(DBNavigator1);
    buttons->addStretch();
    for (QPushButton* b : {tlVyrizena, tlStornovana, tlFiltr, tlKopie, tlSeznam, tlZavri2})
        buttons->addWidget(b);
    auto* layout = new QVBoxLayout(TabSheet1);
    layout->addWidget(GridUkazObj, 1);
    layout->addWidget(UkazText);
    layout->addLayout(buttons);
    return TabSheet1;
}

QWidget* TFormSeznamObj::makeDetailPage() {
    tabParametry = named(new QWidget, "tabParametry", QStringLiteral("Detailní informace"));
    auto dbText = [this](const char* name, const QString& field, const QString& text) {
        auto* t = named(new controls::TDBText(tabParametry), name, text);
        t->setDataSource(&dm_.DSKalmorvaty);
        t->setDataField(field);
        t->setCaption(text);
        t->setFrameShape(QFrame::StyledPanel);
        t->setMinimumWidth(140);
        return t;
    };
    auto edit = [this](const char* name, const QString& text, const QString& field) {
        auto* e = namedEdit(new controls::TProDBLabelEdit(tabParametry), name, text);
        e->setLabelWidth(105);
        e->setDataSource(&dm_.DSKalmorvaty);
        e->setDataField(field);
        e->setReadOnly(true);
        e->setFixedHeight(e->height());
        e->setMinimumWidth(300);
        return e;
    };
    auto check = [this](const char* name, const QString& text, const QString& field) {
        auto* c = named(new controls::TDBCheckBox(tabParametry), name, text);
        c->setText(text);
        c->setDataSource(&dm_.DSKalmorvaty);
        c->setDataField(field);
        c->setReadOnly(true);
        return c;
    };
    txDatum = dbText("txDatum", QStringLiteral("Datum"), QStringLiteral("Datum vystavení:"));
    txTerminDod = dbText("txTerminDod", QStringLiteral("Termin_dod"), QStringLiteral("Termín dodání:"));
    edZpusobPlatby =
        edit("edZpusobPlatby", QStringLiteral("Způsob platby:"), QStringLiteral("Zpusob_platby"));
    edDoprava = edit("edDoprava", QStringLiteral("Doprava zboží:"), QStringLiteral("Doprava"));
    edObjednal = edit("edObjednal", QStringLiteral("Objednal:"), QStringLiteral("Objednal"));
    edFunkce = edit("edFunkce", QStringLiteral("Funkce:"), QStringLiteral("Funkce"));
    edTelefon = edit("edTelefon", QStringLiteral("Telefon:"), QStringLiteral("Telefon"));
    edEmail = edit("edEmail", QStringLiteral("E-mail:"), QStringLiteral("Email"));
    edDodFirma = edit("edDodFirma", QStringLiteral("Dodavatel:"), QStringLiteral("Dod_firma"));
    edDodOsoba = edit("edDodOsoba", QStringLiteral("Kontakt:"), QStringLiteral("Dod_osoba"));
    edDodUlice = edit("edDodUlice", QStringLiteral("Ulice a ČP:"), QStringLiteral("Dod_ulice"));
    edDodObec = edit("edDodObec", QStringLiteral("Obec:"), QStringLiteral("Dod_Obec"));
    edDodPSC = edit("edDodPSC", QStringLiteral("PSČ:"), QStringLiteral("Dod_PSC"));
    chVyrizena =
        check("chVyrizena", QStringLiteral("Objednávka je již vyřízena..."), QStringLiteral("Vyrizena"));
    chStornovana =
        check("chStornovana", QStringLiteral("Objednávka byla stornována!"), QStringLiteral("Stornovana"));
    txVyrizenaDne = dbText("txVyrizenaDne", QStringLiteral("Vyrizena_dne"), QStringLiteral("Datum:"));
    DBNavigator2 = makeNavigator("DBNavigator2", tabParametry);
    tlZavrit = makeButton("tlZavrit", QStringLiteral("Zavřít"), tabParametry);
    connect(tlZavrit, &QPushButton::clicked, this, &QDialog::close);

    auto* dates = new QHBoxLayout;
    dates->addWidget(caption(QStringLiteral("Datum vystavení:"), tabParametry));
    dates->addWidget(txDatum);
    dates->addSpacing(20);
    dates->addWidget(caption(QStringLiteral("Termín dodání:"), tabParametry));
    dates->addWidget(txTerminDod);
    dates->addStretch();

    // The orderer on the left, the supplier on the right.
    auto* edits = new QGridLayout;
    edits->setHorizontalSpacing(16);
    const QList<controls::TProDBLabelEdit*> left{edZpusobPlatby, edDoprava, edObjednal,
                                                 edFunkce,       edTelefon, edEmail};
    const QList<controls::TProDBLabelEdit*> right{edDodFirma, edDodOsoba, edDodUlice, edDodObec, edDodPSC};
    for (int i = 0; i < left.size(); ++i)
        edits->addWidget(left[i], i, 0);
    for (int i = 0; i < right.size(); ++i)
        edits->addWidget(right[i], i, 1);

    auto* state = new QHBoxLayout;
    state->addWidget(chVyrizena);
    state->addSpacing(20);
    state->addWidget(chStornovana);
    state->addSpacing(20);
    state->addWidget(caption(QStringLiteral("Datum:"), tabParametry));
    state->addWidget(txVyrizenaDne);
    state->addStretch();

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(DBNavigator2);
    bottom->addStretch();
    bottom->addWidget(tlZavrit);

    auto* layout = new QVBoxLayout(tabParametry);
    layout->addLayout(dates);
    layout->addSpacing(8);
    layout->addLayout(edits);
    layout->addSpacing(8);
    layout->addLayout(state);
    layout->addStretch();
    layout->addLayout(bottom);
    return tabParametry;
}

QWidget* TFormSeznamObj::makeTextPage() {
    TabSheet2 = named(new QWidget, "TabSheet2", QStringLiteral("Text objednávky"));
    DBMemo1 = named(new controls::TDBMemo(TabSheet2), "DBMemo1", QStringLiteral("Text objednávky"));
    DBMemo1->setDataSource(&dm_.DSKalmorvaty);
    DBMemo1->setDataField(QStringLiteral("Text"));
    DBMemo1->setFont(memoFont());
    new TextLineLimit(*DBMemo1, kMaxTextLines, orderFormLines);
    DBNavigator3 = makeNavigator("DBNavigator3", TabSheet2);
    tlZavri1 = makeButton("tlZavri1", QStringLiteral("Zavřít"), TabSheet2);
    connect(tlZavri1, &QPushButton::clicked, this, &QDialog::close);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(DBNavigator3);
    bottom->addStretch();
    bottom->addWidget(tlZavri1);
    auto* layout = new QVBoxLayout(TabSheet2);
    layout->addWidget(DBMemo1, 1);
    layout->addLayout(bottom);
    return TabSheet2;
}

QDialog* TFormSeznamObj::filterWindow() const {
    return ui::appWindows().find<QDialog>(QStringLiteral("TFormFiltr"));
}

void TFormSeznamObj::tlVyrizenaClick() {
    settleOrder(dm_.tabKalmorvaty, Settle::Complete, this);
}

void TFormSeznamObj::tlStornovanaClick() {
    settleOrder(dm_.tabKalmorvaty, Settle::Cancel, this);
}

void TFormSeznamObj::tlFiltrClick() {
    QDialog* filter = filterWindow();
    if (!filter)
        return;
    // A window belonging to this one is not blocked while this one is modal.
    if (filter->parentWidget() != this)
        filter->setParent(this, filter->windowFlags());
    filter->adjustSize(); // a window never shown has no size of its own yet
    ui::placeAtOpener(*filter, *this, QPoint(frameGeometry().width() + 5, 0));
    filter->show();
    filter->raise();
    filter->activateWindow();
}

void TFormSeznamObj::tlKopieClick() {
    showOrderForm();
}

void TFormSeznamObj::tlSeznamClick() {
    showOrdersList();
}

void TFormSeznamObj::done(int result) {
    store::Table& orders = dm_.tabKalmorvaty;
    if (orders.state() == store::Table::State::Edit) {
        try {
            orders.post();
        } catch (const store::StoreError&) {
            ui::showError(settleNotSavedMessage(), this);
            return;
        }
    }
    codelists::GridLayouts::saveReported(layoutPath(), *GridUkazObj);
    if (QDialog* filter = filterWindow(); filter && filter->isVisible())
        filter->close();
    QDialog::done(result);
}

} // namespace kv::orders
