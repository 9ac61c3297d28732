// TFormSeznamObj: the list of issued orders. A read-only grid whose row fonts tell each order's
// state, the order's text and details, and the commands that complete or cancel an order, open
// the orders filter beside the list, and print the list or a copy of one order. Every control is
// bound to the orders table's data source, so all three pages show the same current order.
#pragma once

#include "controls/dbgrid.h"
#include "controls/prodblabeledit.h"
#include "controls/tdbcheckbox.h"
#include "controls/tdbmemo.h"
#include "controls/tdbnavigator.h"
#include "controls/tdbtext.h"

#include <QDialog>
#include <QPushButton>
#include <QTabWidget>

namespace kv::data {
class TDM;
}

namespace kv::orders {

class TFormSeznamObj : public QDialog {
    Q_OBJECT
public:
    // Binds to `dm`'s orders table and loads "SeznamObj.grd" from the program folder (a missing
    // or unreadable file leaves the default columns).
    explicit TFormSeznamObj(data::TDM& dm, QWidget* parent = nullptr);
    ~TFormSeznamObj() override;

    // The name of the grid layout file in the program folder.
    static QString layoutPath();

    QTabWidget* PageControl1;
    QWidget* TabSheet1;
    controls::DBGrid* GridUkazObj;
    controls::TDBMemo* UkazText;
    controls::TDBNavigator* DBNavigator1;
    QPushButton* tlVyrizena;
    QPushButton* tlStornovana;
    QPushButton* tlFiltr;
    QPushButton* tlKopie;
    QPushButton* tlSeznam;
    QPushButton* tlZavri2;

    QWidget* tabParametry;
    controls::TDBText* txDatum;
    controls::TDBText* txTerminDod;
    controls::TProDBLabelEdit* edZpusobPlatby;
    controls::TProDBLabelEdit* edDoprava;
    controls::TProDBLabelEdit* edObjednal;
    controls::TProDBLabelEdit* edFunkce;
    controls::TProDBLabelEdit* edTelefon;
    controls::TProDBLabelEdit* edEmail;
    controls::TProDBLabelEdit* edDodFirma;
    controls::TProDBLabelEdit* edDodOsoba;
    controls::TProDBLabelEdit* edDodUlice;
    controls::TProDBLabelEdit* edDodObec;
    controls::TProDBLabelEdit* edDodPSC;
    controls::TDBCheckBox* chVyrizena;
    controls::TDBCheckBox* chStornovana;
    controls::TDBText* txVyrizenaDne;
    controls::TDBNavigator* DBNavigator2;
    QPushButton* tlZavrit;

    QWidget* TabSheet2;
    controls::TDBMemo* DBMemo1;
    controls::TDBNavigator* DBNavigator3;
    QPushButton* tlZavri1;

    // Handlers, public so that tests drive them as the buttons do.
    void tlVyrizenaClick();
    void tlStornovanaClick();
    void tlFiltrClick();
    void tlKopieClick();
    void tlSeznamClick();

    // Closing any way: a text being edited is stored first (a failed save keeps the window open
    // after its message), the grid's columns are written to "SeznamObj.grd" and the filter window
    // is closed.
    void done(int result) override;

private:
    QWidget* makeListPage();
    QWidget* makeDetailPage();
    QWidget* makeTextPage();
    controls::TDBNavigator* makeNavigator(const char* name, QWidget* parent);
    QPushButton* makeButton(const char* name, const QString& caption, QWidget* parent);
    QDialog* filterWindow() const;

    data::TDM& dm_;
};

} // namespace kv::orders
