// The new order window: its two pages, the pick buttons, the line limit and completing an order.
#include "formnovaobj.h"

#include "controlnames.h"
#include "neworder.h"
#include "ordernumberui.h"
#include "orderprinting.h"

#include "base/clock.h"
#include "data/datmod.h"
#include "data/schema.h"
#include "data/store/storeerror.h"
#include "ui/appwindows.h"
#include "ui/dialogs.h"
#include "ui/windowplacement.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QShowEvent>
#include <QVBoxLayout>

namespace kv::orders {
namespace {

QString text(store::Table& table, const char* field) {
    return table.fieldByName(QLatin1String(field)).asString();
}

QDateEdit* datePicker(const char* name, const QString& caption, QWidget* parent) {
    auto* d = namedDate(new QDateEdit(parent), name, caption);
    d->setDisplayFormat(QStringLiteral("d.M.yyyy"));
    d->setCalendarPopup(true);
    return d;
}

} // namespace

TFormNovaObj::TFormNovaObj(data::TDM& dm, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , dm_(dm) {
    setObjectName(QStringLiteral("FormNovaObj"));
    setWindowTitle(QStringLiteral("Nová objednávka...."));
    setAccessibleName(windowTitle());
    PageControl1 = named(new QTabWidget(this), "PageControl1", QStringLiteral("Stránky nové objednávky"));
    PageControl1->addTab(makeEntryPage(), QStringLiteral("    Základní informace    "));
    PageControl1->addTab(makeTextPage(), QStringLiteral("    Text objednávky...   "));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(PageControl1);
    resize(600, 560);

    const QList<QWidget*> order{edDatVytvoreni, edDodani, edZpPlatby, edDoprava,   edObjednal, edFunkce,
                                edTelefon,      edEmail,  edInicialy, edDodavatel, edKontakt,  edUliceCP,
                                edObec,         edPSC,    tlHotovo,   tlZavrit};
    for (qsizetype i = 0; i + 1 < order.size(); ++i)
        setTabOrder(order[i], order[i + 1]);
    setTabOrder(edTextObj, tlHotovo1);
    setTabOrder(tlHotovo1, tlZavri1);
}

QPushButton* TFormNovaObj::makeButton(const char* name, const QString& caption, const QString& accessibleName,
                                      QWidget* parent) {
    auto* b = named(new QPushButton(caption, parent), name, accessibleName);
    b->setAutoDefault(false);
    return b;
}

QWidget* TFormNovaObj::makeEntryPage() {
    tabParametry = named(new QWidget, "tabParametry", QStringLiteral("Základní informace"));
    // Each box takes what its field of the order holds, so nothing typed or copied is cut on saving.
    auto edit = [this](const char* name, const QString& caption, const char* field) {
        auto* e = namedEdit(new controls::TProLabelEdit(tabParametry), name, caption);
        e->setLabelWidth(110);
        e->setMaxLength(data::textSize(field ? data::tables::kOrders : data::tables::kUsers,
                                       QLatin1String(field ? field : "Inicialy")));
        e->setFixedHeight(e->height());
        return e;
    };
    labDatVytvoreni = named(new QLabel(QStringLiteral("Datum vystavení:"), tabParametry), "labDatVytvoreni",
                            QStringLiteral("Datum vystavení:"));
    edDatVytvoreni = datePicker("edDatVytvoreni", QStringLiteral("Datum vystavení:"), tabParametry);
    labDodani = named(new QLabel(QStringLiteral("Termín dodání:"), tabParametry), "labDodani",
                      QStringLiteral("Termín dodání:"));
    edDodani = datePicker("edDodani", QStringLiteral("Termín dodání:"), tabParametry);
    labDatVytvoreni->setBuddy(edDatVytvoreni);
    labDodani->setBuddy(edDodani);
    edZpPlatby = edit("edZpPlatby", QStringLiteral("Způsob platby:"), "Zpusob_platby");
    edDoprava = edit("edDoprava", QStringLiteral("Doprava zboží:"), "Doprava");
    edObjednal = edit("edObjednal", QStringLiteral("Objednal:"), "Objednal");
    edFunkce = edit("edFunkce", QStringLiteral("Funkce:"), "Funkce");
    edTelefon = edit("edTelefon", QStringLiteral("Telefon:"), "Telefon");
    edEmail = edit("edEmail", QStringLiteral("E-mail:"), "Email");
    edInicialy = edit("edInicialy", QStringLiteral("Iniciály:"), nullptr); // the users' initials
    edInicialy->setLabelWidth(60);
    edDodavatel = edit("edDodavatel", QStringLiteral("Dodavatel:"), "Dod_firma");
    edKontakt = edit("edKontakt", QStringLiteral("Kontakt:"), "Dod_osoba");
    edUliceCP = edit("edUliceCP", QStringLiteral("Ulice a ČP:"), "Dod_ulice");
    edObec = edit("edObec", QStringLiteral("Obec:"), "Dod_Obec");
    edPSC = edit("edPSC", QStringLiteral("PSČ:"), "Dod_PSC");

    tlVybZpPlatby = makeButton("tlVybZpPlatby", QStringLiteral("..."), QStringLiteral("Vybrat způsob platby"),
                               tabParametry);
    tlVybDopravu =
        makeButton("tlVybDopravu", QStringLiteral("..."), QStringLiteral("Vybrat typ dopravy"), tabParametry);
    tlVybObjednal = makeButton("tlVybObjednal", QStringLiteral("..."), QStringLiteral("Vybrat objednatele"),
                               tabParametry);
    tlVybDodavatele = makeButton("tlVybDodavatele", QStringLiteral("..."),
                                 QStringLiteral("Vybrat dodavatele"), tabParametry);
    for (QPushButton* b : {tlVybZpPlatby, tlVybDopravu, tlVybObjednal, tlVybDodavatele}) {
        b->setFocusPolicy(Qt::ClickFocus);
        b->setToolTip(b->accessibleName());
        b->setFixedWidth(28);
    }
    tlHotovo = makeButton("tlHotovo", QStringLiteral("Hotovo - tisk..."), QStringLiteral("Hotovo - tisk..."),
                          tabParametry);
    tlZavrit = makeButton("tlZavrit", QStringLiteral("Zavřít"), QStringLiteral("Zavřít"), tabParametry);
    connect(tlVybZpPlatby, &QPushButton::clicked, this, &TFormNovaObj::tlVybZpPlatbyClick);
    connect(tlVybDopravu, &QPushButton::clicked, this, &TFormNovaObj::tlVybDopravuClick);
    connect(tlVybObjednal, &QPushButton::clicked, this, &TFormNovaObj::tlVybObjednalClick);
    connect(tlVybDodavatele, &QPushButton::clicked, this, &TFormNovaObj::tlVybDodavateleClick);
    connect(tlHotovo, &QPushButton::clicked, this, &TFormNovaObj::tlHotovoClick);
    connect(tlZavrit, &QPushButton::clicked, this, &TFormNovaObj::tlZavritClick);

    auto* dates = new QHBoxLayout;
    dates->addWidget(labDatVytvoreni);
    dates->addWidget(edDatVytvoreni);
    dates->addSpacing(24);
    dates->addWidget(labDodani);
    dates->addWidget(edDodani);
    dates->addStretch();

    // The pick buttons sit at the right end of the payment, transport, e-mail and postcode rows.
    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(4);
    const QList<controls::TProLabelEdit*> rows{edZpPlatby, edDoprava, edObjednal,  edFunkce,
                                               edTelefon,  edEmail,   edDodavatel, edKontakt,
                                               edUliceCP,  edObec,    edPSC};
    for (int r = 0; r < rows.size(); ++r)
        grid->addWidget(rows[r], r, 0, 1, rows[r] == edEmail ? 1 : 2);
    grid->addWidget(edInicialy, rows.indexOf(edEmail), 1);
    grid->addWidget(tlVybZpPlatby, rows.indexOf(edZpPlatby), 2);
    grid->addWidget(tlVybDopravu, rows.indexOf(edDoprava), 2);
    grid->addWidget(tlVybObjednal, rows.indexOf(edEmail), 2);
    grid->addWidget(tlVybDodavatele, rows.indexOf(edPSC), 2);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(tlHotovo);
    buttons->addWidget(tlZavrit);

    auto* layout = new QVBoxLayout(tabParametry);
    layout->addLayout(dates);
    layout->addSpacing(8);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addLayout(buttons);
    return tabParametry;
}

QWidget* TFormNovaObj::makeTextPage() {
    tabTextObj = named(new QWidget, "tabTextObj", QStringLiteral("Text objednávky"));
    edTextObj = named(new QPlainTextEdit(tabTextObj), "edTextObj", QStringLiteral("Text objednávky"));
    QFont f(QStringLiteral("Arial"));
    f.setBold(true);
    edTextObj->setFont(f);
    edTextObj->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    labZbyva = named(new QLabel(QStringLiteral("Zbývá řádků:"), tabTextObj), "labZbyva",
                     QStringLiteral("Zbývá řádků:"));
    labZbRadek = named(new QLabel(tabTextObj), "labZbRadek", QStringLiteral("Zbývá řádků"));
    tlHotovo1 = makeButton("tlHotovo1", QStringLiteral("Hotovo - tisk..."),
                           QStringLiteral("Hotovo - tisk..."), tabTextObj);
    tlZavri1 = makeButton("tlZavri1", QStringLiteral("Zavřít"), QStringLiteral("Zavřít"), tabTextObj);
    // Lines are counted as the order form prints them: a long paragraph takes several of the 26.
    textLimit_ = new TextLineLimit(*edTextObj, kMaxTextLines, orderFormLines);
    connect(textLimit_, &TextLineLimit::remainingChanged, this, &TFormNovaObj::showRemainingLines);
    connect(tlHotovo1, &QPushButton::clicked, this, &TFormNovaObj::tlHotovoClick);
    connect(tlZavri1, &QPushButton::clicked, this, &TFormNovaObj::tlZavritClick);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(labZbyva);
    bottom->addWidget(labZbRadek);
    bottom->addStretch();
    bottom->addWidget(tlHotovo1);
    bottom->addWidget(tlZavri1);
    auto* layout = new QVBoxLayout(tabTextObj);
    layout->addWidget(edTextObj, 1);
    layout->addLayout(bottom);
    return tabTextObj;
}

void TFormNovaObj::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TFormNovaObj::FormShow() {
    const QDate today = clock::today();
    edDatVytvoreni->setMinimumDate(today);
    edDatVytvoreni->setDate(today);
    edDodani->setMinimumDate(today);
    edDodani->setDate(deliveryDate(dm_.tabSystem, today));
    for (controls::TProLabelEdit* e : {edZpPlatby, edDoprava, edObjednal, edFunkce, edTelefon, edEmail,
                                       edInicialy, edDodavatel, edKontakt, edUliceCP, edObec, edPSC})
        e->setText(QString());
    heldNumber_.clear();
    picked_ = {};
    edTextObj->clear();
    PageControl1->setCurrentWidget(tabParametry);
    showRemainingLines(textLimit_->remaining());
}

void TFormNovaObj::showRemainingLines(int lines) {
    labZbRadek->setText(QString::number(lines));
}

void TFormNovaObj::pick(const char* className, QPoint offset, void (TFormNovaObj::*copy)()) {
    if (auto* window = ui::appWindows().find<QDialog>(QLatin1String(className)))
        ui::showModalAtOpener(*window, *this, offset);
    (this->*copy)();
}

void TFormNovaObj::tlVybZpPlatbyClick() {
    pick("TFormPlatba", QPoint(290, 60), &TFormNovaObj::copyPayment);
}

void TFormNovaObj::tlVybDopravuClick() {
    pick("TFormDoprava", QPoint(290, 95), &TFormNovaObj::copyTransport);
}

void TFormNovaObj::tlVybObjednalClick() {
    pick("TFormUzivatele", QPoint(40, 150), &TFormNovaObj::copyUser);
}

void TFormNovaObj::tlVybDodavateleClick() {
    pick("TFormDodavatele", QPoint(40, 270), &TFormNovaObj::copySupplier);
}

void TFormNovaObj::copyPayment() {
    edZpPlatby->setText(text(dm_.tabPlatba, "Platba"));
}

void TFormNovaObj::copyTransport() {
    edDoprava->setText(text(dm_.tabDoprava, "Doprava"));
}

void TFormNovaObj::copyUser() {
    store::Table& users = dm_.tabUzivatele;
    edObjednal->setText(ordererName(text(users, "Titul"), text(users, "Jmeno"), text(users, "Prijmeni")));
    edFunkce->setText(text(users, "Funkce"));
    edTelefon->setText(text(users, "Telefon"));
    edEmail->setText(text(users, "Email"));
    edInicialy->setText(text(users, "Inicialy"));
}

void TFormNovaObj::copySupplier() {
    store::Table& suppliers = dm_.tabDodavatele;
    edDodavatel->setText(text(suppliers, "Nazev"));
    edKontakt->setText(text(suppliers, "Zastupce"));
    edUliceCP->setText(text(suppliers, "Ulice"));
    edObec->setText(text(suppliers, "Obec"));
    edPSC->setText(text(suppliers, "PSC"));
    // Read back from the boxes, which may hold less than the field (their length limits typing).
    picked_.boxes = supplierBoxes(entries());
    picked_.telephone =
        supplierPhone(text(suppliers, "Telefon"), text(suppliers, "GSM"), text(suppliers, "Fax"));
    picked_.email = text(suppliers, "Email");
}

NewOrderEntries TFormNovaObj::entries() const {
    NewOrderEntries e;
    e.issued = edDatVytvoreni->date();
    e.due = edDodani->date();
    e.payment = edZpPlatby->text();
    e.transport = edDoprava->text();
    e.orderer = edObjednal->text();
    e.function = edFunkce->text();
    e.phone = edTelefon->text();
    e.email = edEmail->text();
    e.initials = edInicialy->text();
    e.supplier = edDodavatel->text();
    e.contact = edKontakt->text();
    e.street = edUliceCP->text();
    e.town = edObec->text();
    e.postcode = edPSC->text();
    e.text = edTextObj->toPlainText();
    return e;
}

bool TFormNovaObj::checksPass() {
    const NewOrderCheck failed = firstFailedCheck(entries());
    if (failed == NewOrderCheck::None)
        return true;
    ui::showError(checkMessage(failed), this);
    switch (failed) {
    case NewOrderCheck::Payment:
        tlVybZpPlatbyClick();
        break;
    case NewOrderCheck::Transport:
        tlVybDopravuClick();
        break;
    case NewOrderCheck::Orderer:
        tlVybObjednalClick();
        break;
    case NewOrderCheck::Initials:
        edInicialy->setFocus();
        break;
    case NewOrderCheck::Supplier:
        tlVybDodavateleClick();
        break;
    case NewOrderCheck::Text:
        PageControl1->setCurrentWidget(tabTextObj);
        edTextObj->setFocus();
        break;
    case NewOrderCheck::None:
        break;
    }
    return false;
}

void TFormNovaObj::tlHotovoClick() {
    if (!checksPass())
        return;
    if (!ui::askYesNo(confirmQuestion(), ui::MsgStyle::Warning, this))
        return;
    if (heldNumber_.isEmpty()) {
        WindowOrderNumberUi numberUi(this);
        heldNumber_ = dm_.NextOrderNumber(edInicialy->text(), numberUi);
    }
    if (heldNumber_.isEmpty()) {
        ui::showError(noNumberMessage(), this);
        return;
    }
    try {
        const NewOrderEntries e = entries();
        const auto [phone, email] = supplierContact(picked_, e);
        dm_.tabKalmorvaty.insertRecord(orderValues(e, heldNumber_, phone, email));
    } catch (const store::StoreError&) {
        ui::showError(orderNotSavedMessage(), this);
        return;
    }
    showOrderForm();
    accept();
}

void TFormNovaObj::keyPressEvent(QKeyEvent* event) {
    // Escape would close the window and drop the order begun; it asks as "Zavřít" does.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && orderBegun(entries())) {
        tlZavritClick();
        return;
    }
    // F4 in a box with a pick button picks, as the button does: the buttons stay out of the Tab
    // and Enter ways through the boxes.
    if (event->key() == Qt::Key_F4 && event->modifiers() == Qt::NoModifier) {
        const std::pair<QWidget*, QPushButton*> picks[] = {{edZpPlatby, tlVybZpPlatby},
                                                           {edDoprava, tlVybDopravu},
                                                           {edObjednal, tlVybObjednal},
                                                           {edDodavatel, tlVybDodavatele}};
        QWidget* focus = QApplication::focusWidget();
        for (const auto& [box, button] : picks) {
            if (focus && (box == focus || box->isAncestorOf(focus))) {
                button->click();
                return;
            }
        }
    }
    QDialog::keyPressEvent(event);
}

void TFormNovaObj::tlZavritClick() {
    if (ui::askYesNo(closeQuestion(), ui::MsgStyle::Warning, this))
        close();
}

} // namespace kv::orders
