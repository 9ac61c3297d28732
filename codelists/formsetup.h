// TFormSetup: the settings row of table System on three pages: the own firm's data, the delivery
// address with the logo, and the last order number with the standard delivery lead time. The
// edits are unbound: each page loads its fields on request and writes back only its own.
#pragma once

#include "boxset.h"
#include "codelistwindow.h"
#include "recordentry.h"

#include <QImage>

class QLabel;
class QPushButton;
class QTabWidget;

namespace kv::controls {
class TDBImage;
class TDBText;
class TProLabelEdit;
} // namespace kv::controls

namespace kv::data {
class TDM;
}

namespace kv::codelists {

class TFormSetup : public CodeListWindow {
    Q_OBJECT
public:
    explicit TFormSetup(data::TDM& dm, QWidget* parent = nullptr);

    QTabWidget* TabNastaveni;
    QWidget* tabFirma;
    QWidget* tabDodaciAdresa;
    QWidget* TabSheet1;

    controls::TProLabelEdit* edFirma;
    controls::TProLabelEdit* edUliceCP;
    controls::TProLabelEdit* edObec;
    controls::TProLabelEdit* edPSC;
    controls::TProLabelEdit* edIC;
    controls::TProLabelEdit* edDIC;
    controls::TProLabelEdit* edTelefon;
    controls::TProLabelEdit* edFax;
    controls::TProLabelEdit* edGSM;
    controls::TProLabelEdit* edEmail;
    controls::TProLabelEdit* edWWW;
    controls::TProLabelEdit* edBanka;
    controls::TProLabelEdit* edUcet;
    controls::TProLabelEdit* edZapsanaU;
    QPushButton* tlNactiFirmu;
    QPushButton* tlZapisFirmu;
    QPushButton* tlZavrit1;

    controls::TProLabelEdit* edDodUliceCP;
    controls::TProLabelEdit* edDodObec;
    controls::TProLabelEdit* edDodPSC;
    controls::TProLabelEdit* edDodTelefon;
    controls::TProLabelEdit* edDodGSM;
    controls::TProLabelEdit* edDodEmail;
    QPushButton* tlNactiDodAdresu;
    QPushButton* tlZapisDodAdresu;
    QLabel* ukLogo; // the picture picked from a file, not yet stored
    controls::TDBImage* LogoFirmy;
    QPushButton* tlNajdiObr;
    QPushButton* tlUlozObr;
    QPushButton* tlZavrit;

    controls::TDBText* DBText1; // the stored last order number
    QPushButton* tlResetCO;
    controls::TProLabelEdit* edStdDodLhuta;
    QPushButton* tlzapis2;
    QPushButton* tlZavri2;

    // The picture shown in ukLogo; null until one was picked.
    const QImage& pickedLogo() const { return picked_; }

    // Handlers, public so that tests drive them as the buttons do.
    void tlNactiFirmuClick();
    void tlZapisFirmuClick();
    void tlNactiDodAdresuClick();
    void tlZapisDodAdresuClick();
    void tlNajdiObrClick();
    void tlUlozObrClick();
    void tlzapis2Click();
    void tlResetCOClick();

protected:
    void FormShow() override;
    bool hasUnsavedTyping() const override;

private:
    void buildFirmPage();
    void buildDeliveryPage();
    void buildOtherPage();
    // Re-reads the settings row and shows the page's fields, remembered for the page's save.
    void loadPage(BoxSet& boxes, RecordEntry& entry);
    void showPage(BoxSet& boxes, RecordEntry& entry);
    void savePage(BoxSet& boxes, RecordEntry& entry);
    void loadLeadTime();

    data::TDM& dm_;
    BoxSet firm_;
    BoxSet delivery_;
    RecordEntry firmEntry_;
    RecordEntry deliveryEntry_;
    FilledRecord leadTime_;
    QString leadTimeShown_; // as last loaded or stored
    QImage picked_;
};

} // namespace kv::codelists
