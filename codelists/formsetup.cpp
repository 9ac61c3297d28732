// The system settings window: the three pages, their loads and saves, the logo and the order number.
#include "formsetup.h"

#include "codelisttexts.h"
#include "settingsinput.h"
#include "windowparts.h"

#include "base/clock.h"
#include "controls/prolabeledit.h"
#include "controls/tdbimage.h"
#include "controls/tdbtext.h"
#include "data/datmod.h"
#include "data/store/storeerror.h"
#include "ui/dialogs.h"

#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <array>

namespace kv::codelists {

namespace {

// Every edit takes as much as its field holds.
constexpr int kAll = BoxField::kFieldSize;

const std::array<BoxField, 14> kFirmEdits = {{
    {"edFirma", u"Název firmy:", kAll, "Firma"},
    {"edUliceCP", u"Ulice a ČP:", kAll, "Ulice_CP"},
    {"edObec", u"Obec:", kAll, "Obec"},
    {"edPSC", u"PSČ:", kAll, "PSC"},
    {"edIC", u"IČ:", kAll, "IC"},
    {"edDIC", u"DIČ:", kAll, "DIC"},
    {"edTelefon", u"Telefon:", kAll, "Telefon"},
    {"edFax", u"Fax:", kAll, "Fax"},
    {"edGSM", u"GSM:", kAll, "GSM"},
    {"edEmail", u"E-mail:", kAll, "Email"},
    {"edWWW", u"WWW:", kAll, "www"},
    {"edBanka", u"Banka:", kAll, "Banka"},
    {"edUcet", u"Účet:", kAll, "Ucet"},
    {"edZapsanaU", u"Zapsaná u:", kAll, "Zapsana"},
}};

const std::array<BoxField, 6> kDeliveryEdits = {{
    {"edDodUliceCP", u"Ulice a ČP:", kAll, "Dod_Ulice_CP"},
    {"edDodObec", u"Obec:", kAll, "Dod_Obec"},
    {"edDodPSC", u"PSČ:", kAll, "Dod_PSC"},
    {"edDodTelefon", u"Telefon:", kAll, "Dod_Telefon"},
    {"edDodGSM", u"GSM:", kAll, "Dod_GSM"},
    {"edDodEmail", u"E-mail:", kAll, "Dod_email"},
}};

const QString kLeadTimeField = QStringLiteral("Std_dod_lhuta");

template <std::size_t N> QStringList fieldNames(const std::array<BoxField, N>& edits) {
    QStringList out;
    for (const BoxField& e : edits)
        out << QLatin1String(e.fieldName);
    return out;
}

EntryMessages settingsMessages() {
    return {texts::settingsLocked(), texts::settingsPostFailed()};
}

QRect columnPlace(int i) {
    return QRect(8, 8 + i * 27, 540, 25);
}

} // namespace

TFormSetup::TFormSetup(data::TDM& dm, QWidget* parent)
    : CodeListWindow("FormSetup", QStringLiteral("Nastavení systému..."), QSize(560, 470), parent)
    , dm_(dm)
    , firmEntry_(dm.tabSystem, fieldNames(kFirmEdits), settingsMessages())
    , deliveryEntry_(dm.tabSystem, fieldNames(kDeliveryEdits), settingsMessages())
    , leadTime_({kLeadTimeField}) {
    TabNastaveni = new QTabWidget(this);
    TabNastaveni->setObjectName(QStringLiteral("TabNastaveni"));
    TabNastaveni->setAccessibleName(QStringLiteral("Nastavení"));
    TabNastaveni->setGeometry(QRect(QPoint(0, 0), size()));
    tabFirma = makePage(TabNastaveni, "tabFirma", QStringLiteral("   Vaše firma....    "));
    tabDodaciAdresa =
        makePage(TabNastaveni, "tabDodaciAdresa", QStringLiteral("   Dodací adresa + logo firmy    "));
    TabSheet1 = makePage(TabNastaveni, "TabSheet1", QStringLiteral("   Ostatní   "));
    buildFirmPage();
    buildDeliveryPage();
    buildOtherPage();
}

void TFormSetup::buildFirmPage() {
    QWidget* p = tabFirma;
    const auto edits = makeBoxes(p, kFirmEdits, dm_.tabSystem.definition(), firm_, columnPlace, 110);
    nameBoxes(edits, {&edFirma, &edUliceCP, &edObec, &edPSC, &edIC, &edDIC, &edTelefon, &edFax, &edGSM,
                      &edEmail, &edWWW, &edBanka, &edUcet, &edZapsanaU});
    tlNactiFirmu = makeButton(p, "tlNactiFirmu", QStringLiteral("Načíst data"), QRect(8, 400, 130, 25));
    tlZapisFirmu = makeButton(p, "tlZapisFirmu", QStringLiteral("Zapsat data"), QRect(146, 400, 130, 25));
    tlZavrit1 = makeButton(p, "tlZavrit1", QStringLiteral("Zavřít"), QRect(418, 400, 130, 25));
    setTabChain({edZapsanaU->editBox(), tlNactiFirmu, tlZapisFirmu, tlZavrit1});
    connect(tlNactiFirmu, &QPushButton::clicked, this, &TFormSetup::tlNactiFirmuClick);
    connect(tlZapisFirmu, &QPushButton::clicked, this, &TFormSetup::tlZapisFirmuClick);
    connect(tlZavrit1, &QPushButton::clicked, this, &QDialog::close);
}

void TFormSetup::buildDeliveryPage() {
    QWidget* p = tabDodaciAdresa;
    const auto edits = makeBoxes(p, kDeliveryEdits, dm_.tabSystem.definition(), delivery_, columnPlace, 110);
    nameBoxes(edits, {&edDodUliceCP, &edDodObec, &edDodPSC, &edDodTelefon, &edDodGSM, &edDodEmail});
    tlNactiDodAdresu =
        makeButton(p, "tlNactiDodAdresu", QStringLiteral("Načíst data"), QRect(8, 174, 130, 25));
    tlZapisDodAdresu =
        makeButton(p, "tlZapisDodAdresu", QStringLiteral("Zapsat data"), QRect(146, 174, 130, 25));

    auto* panel = new QLabel(p);
    panel->setObjectName(QStringLiteral("panLogo"));
    panel->setAccessibleName(QStringLiteral("Logo firmy"));
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setGeometry(QRect(8, 214, 540, 124));
    ukLogo = new QLabel(panel);
    ukLogo->setObjectName(QStringLiteral("ukLogo"));
    ukLogo->setAccessibleName(QStringLiteral("Nalistovaný obrázek"));
    ukLogo->setAlignment(Qt::AlignCenter);
    ukLogo->setFrameShape(QFrame::Box);
    ukLogo->setGeometry(QRect(10, 12, 100, 100));
    LogoFirmy = new controls::TDBImage(panel);
    LogoFirmy->setObjectName(QStringLiteral("LogoFirmy"));
    LogoFirmy->setAccessibleName(QStringLiteral("Logo uložené v programu"));
    LogoFirmy->setDataSource(&dm_.DSSystem);
    LogoFirmy->setDataField(QStringLiteral("Logo"));
    LogoFirmy->setStretch(true);
    LogoFirmy->setGeometry(QRect(120, 12, 100, 100));
    tlNajdiObr =
        makeButton(panel, "tlNajdiObr", QStringLiteral("Nalistovat obrázek"), QRect(240, 12, 160, 25));
    tlUlozObr = makeButton(panel, "tlUlozObr", QStringLiteral("Uložit do programu"), QRect(240, 45, 160, 25));
    tlZavrit = makeButton(p, "tlZavrit", QStringLiteral("Zavřít"), QRect(418, 400, 130, 25));

    setTabChain({edDodEmail->editBox(), tlNactiDodAdresu, tlZapisDodAdresu, tlNajdiObr, tlUlozObr, tlZavrit});
    connect(tlNactiDodAdresu, &QPushButton::clicked, this, &TFormSetup::tlNactiDodAdresuClick);
    connect(tlZapisDodAdresu, &QPushButton::clicked, this, &TFormSetup::tlZapisDodAdresuClick);
    connect(tlNajdiObr, &QPushButton::clicked, this, &TFormSetup::tlNajdiObrClick);
    connect(tlUlozObr, &QPushButton::clicked, this, &TFormSetup::tlUlozObrClick);
    connect(tlZavrit, &QPushButton::clicked, this, &QDialog::close);
}

void TFormSetup::buildOtherPage() {
    QWidget* p = TabSheet1;
    auto* caption =
        makeLabel(p, "Label1", QStringLiteral("Poslední číslo objednávky:"), QRect(8, 20, 540, 18));
    caption->setAlignment(Qt::AlignCenter);
    DBText1 = new controls::TDBText(p);
    DBText1->setObjectName(QStringLiteral("DBText1"));
    DBText1->setCaption(QStringLiteral("Poslední číslo objednávky"));
    DBText1->setDataSource(&dm_.DSSystem);
    DBText1->setDataField(QStringLiteral("PosledniObj"));
    DBText1->setAlignment(Qt::AlignCenter);
    QFont big = DBText1->font();
    big.setBold(true);
    big.setPixelSize(16);
    DBText1->setFont(big);
    DBText1->setGeometry(QRect(8, 42, 540, 24));
    tlResetCO = makeButton(p, "tlResetCO", QStringLiteral("Nastavit..."), QRect(213, 76, 130, 25));
    edStdDodLhuta = makeLabelEdit(p, "edStdDodLhuta", QStringLiteral("Standartní dodací lhůta:"), 3,
                                  QRect(8, 140, 200, 25), 150);
    tlzapis2 = makeButton(p, "tlzapis2", QStringLiteral("Zapsat data"), QRect(216, 140, 130, 25));
    tlZavri2 = makeButton(p, "tlZavri2", QStringLiteral("Zavřít"), QRect(418, 400, 130, 25));
    setTabChain({tlResetCO, edStdDodLhuta->editBox(), tlzapis2, tlZavri2});
    connect(tlResetCO, &QPushButton::clicked, this, &TFormSetup::tlResetCOClick);
    connect(tlzapis2, &QPushButton::clicked, this, &TFormSetup::tlzapis2Click);
    connect(tlZavri2, &QPushButton::clicked, this, &QDialog::close);
}

void TFormSetup::FormShow() {
    dm_.tabSystem.refresh();
    showPage(firm_, firmEntry_);
    showPage(delivery_, deliveryEntry_);
    loadLeadTime();
}

void TFormSetup::loadPage(BoxSet& boxes, RecordEntry& entry) {
    dm_.tabSystem.refresh();
    showPage(boxes, entry);
}

void TFormSetup::showPage(BoxSet& boxes, RecordEntry& entry) {
    boxes.fill(dm_.tabSystem);
    entry.filled().remember(dm_.tabSystem);
}

void TFormSetup::loadLeadTime() {
    store::Table& t = dm_.tabSystem;
    const store::Field& f = t.fieldByName(kLeadTimeField);
    edStdDodLhuta->setText(f.isNull() ? QString() : QString::number(f.asInteger()));
    leadTimeShown_ = edStdDodLhuta->text();
    leadTime_.remember(t);
}

void TFormSetup::savePage(BoxSet& boxes, RecordEntry& entry) {
    switch (entry.update(boxes.values(), this)) {
    case RecordEntry::Saved::Updated:
        boxes.settle();
        break;
    case RecordEntry::Saved::TheirsLoaded:
        boxes.fill(dm_.tabSystem);
        break;
    case RecordEntry::Saved::Inserted:
    case RecordEntry::Saved::NotSaved:
        break;
    }
}

bool TFormSetup::hasUnsavedTyping() const {
    return firm_.edited() || delivery_.edited() || edStdDodLhuta->text() != leadTimeShown_;
}

void TFormSetup::tlNactiFirmuClick() {
    loadPage(firm_, firmEntry_);
}

void TFormSetup::tlZapisFirmuClick() {
    savePage(firm_, firmEntry_);
}

void TFormSetup::tlNactiDodAdresuClick() {
    loadPage(delivery_, deliveryEntry_);
}

void TFormSetup::tlZapisDodAdresuClick() {
    savePage(delivery_, deliveryEntry_);
}

void TFormSetup::tlNajdiObrClick() {
    const QString path =
        ui::dialogs().openFileName(QStringLiteral("Nalistovat obrázek"), logoFilter(), QString(), this);
    if (path.isEmpty())
        return;
    const QImage picture = loadLogoPicture(path);
    if (picture.isNull()) {
        ui::showError(texts::pictureLoadFailed(), this);
        return;
    }
    picked_ = picture;
    ukLogo->setPixmap(QPixmap::fromImage(
        picture.scaled(ukLogo->contentsRect().size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

void TFormSetup::tlUlozObrClick() {
    store::Table& t = dm_.tabSystem;
    try {
        t.edit();
    } catch (const store::StoreError&) {
        ui::showError(texts::settingsLocked(), this);
        return;
    }
    try {
        // The data-bound image stores the picture as a bitmap, whatever file it came from.
        LogoFirmy->setPicture(picked_);
        t.post();
    } catch (const store::StoreError&) {
        t.cancel();
        ui::showError(texts::settingsPostFailed(), this);
    }
}

void TFormSetup::tlzapis2Click() {
    store::Table& t = dm_.tabSystem;
    switch (leadTime_.lockForSave(t, this)) {
    case FilledRecord::Lock::Ready:
        break;
    case FilledRecord::Lock::Locked:
        ui::showError(texts::settingsLocked(), this);
        return;
    case FilledRecord::Lock::TheirsLoaded:
        loadLeadTime();
        return;
    case FilledRecord::Lock::Gone:
    case FilledRecord::Lock::OtherRecord:
        return;
    }
    const std::optional<int> days = parseLeadTime(edStdDodLhuta->text());
    if (!days) {
        ui::showError(texts::leadTimeRange(), this);
        t.cancel();
        return;
    }
    try {
        t.fieldByName(kLeadTimeField).setAsInteger(*days);
        t.post();
    } catch (const store::StoreError&) {
        t.cancel();
        ui::showError(texts::settingsPostFailed(), this);
        return;
    }
    leadTimeShown_ = edStdDodLhuta->text();
    leadTime_.remember(t);
}

void TFormSetup::tlResetCOClick() {
    if (!ui::askYesNo(texts::orderNumberQuestion(), ui::MsgStyle::Confirmation, this))
        return;
    QString entered;
    if (!ui::dialogs().inputQuery(texts::orderNumberCaption(), texts::orderNumberPrompt(), entered, this))
        return;
    const OrderSequence sequence = parseOrderSequence(entered);
    if (sequence.kind == OrderSequence::Kind::Empty)
        return;
    if (sequence.kind == OrderSequence::Kind::Invalid) {
        ui::showError(texts::orderNumberInvalid(), this);
        return;
    }
    const QString resetForm = orderNumberResetForm(clock::today(), sequence.digits);
    try {
        const int highest = dm_.highestOrderSequence(resetForm.section(QLatin1Char('/'), 0, 1));
        if (sequence.digits.toInt() < highest &&
            !ui::askYesNo(texts::orderNumberBelowIssued(highest), ui::MsgStyle::Warning, this))
            return;
    } catch (const store::StoreError& e) {
        ui::showError(e.message(), this);
        return;
    }
    store::Table& t = dm_.tabSystem;
    try {
        t.edit();
    } catch (const store::StoreError&) {
        ui::showError(texts::orderNumberLocked(), this);
        return;
    }
    try {
        t.fieldByName(QStringLiteral("PosledniObj")).setAsString(resetForm);
        t.post();
    } catch (const store::StoreError&) {
        t.cancel();
        ui::showError(texts::orderNumberPostFailed(), this);
    }
}

} // namespace kv::codelists
