// TFormNovaObj: entering one new order. Dates, payment, transport, the person who orders and the
// supplier (each group filled from its code-list window by a "..." button, or typed), the order
// text of at most 26 lines; "Hotovo - tisk..." checks the entries, obtains the order number, stores
// the order and shows its order form in the print preview, then closes.
#pragma once

#include "neworder.h"
#include "textlinelimit.h"

#include "controls/prolabeledit.h"

#include <QDateEdit>
#include <QDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>

namespace kv::data {
class TDM;
}

namespace kv::orders {

class TFormNovaObj : public QDialog {
    Q_OBJECT
public:
    explicit TFormNovaObj(data::TDM& dm, QWidget* parent = nullptr);

    QTabWidget* PageControl1;
    QWidget* tabParametry;
    QLabel* labDatVytvoreni;
    QDateEdit* edDatVytvoreni;
    QLabel* labDodani;
    QDateEdit* edDodani;
    controls::TProLabelEdit* edZpPlatby;
    controls::TProLabelEdit* edDoprava;
    controls::TProLabelEdit* edObjednal;
    controls::TProLabelEdit* edFunkce;
    controls::TProLabelEdit* edTelefon;
    controls::TProLabelEdit* edEmail;
    controls::TProLabelEdit* edInicialy;
    controls::TProLabelEdit* edDodavatel;
    controls::TProLabelEdit* edKontakt;
    controls::TProLabelEdit* edUliceCP;
    controls::TProLabelEdit* edObec;
    controls::TProLabelEdit* edPSC;
    QPushButton* tlVybZpPlatby;
    QPushButton* tlVybDopravu;
    QPushButton* tlVybObjednal;
    QPushButton* tlVybDodavatele;
    QPushButton* tlHotovo;
    QPushButton* tlZavrit;

    QWidget* tabTextObj;
    QPlainTextEdit* edTextObj;
    QLabel* labZbyva;
    QLabel* labZbRadek;
    QPushButton* tlHotovo1;
    QPushButton* tlZavri1;

    // The number obtained for the order being entered; empty until the first one is issued.
    const QString& heldNumber() const { return heldNumber_; }

    // Handlers, public so that tests drive them as the buttons do.
    void FormShow();
    void tlVybZpPlatbyClick();
    void tlVybDopravuClick();
    void tlVybObjednalClick();
    void tlVybDodavateleClick();
    void tlHotovoClick();
    void tlZavritClick();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QWidget* makeEntryPage();
    QWidget* makeTextPage();
    QPushButton* makeButton(const char* name, const QString& text, const QString& accessibleName,
                            QWidget* parent);
    // Opens the code-list window `className` at `offset` from this window's corner, then copies.
    void pick(const char* className, QPoint offset, void (TFormNovaObj::*copy)());
    void copyPayment();
    void copyTransport();
    void copyUser();
    void copySupplier();
    NewOrderEntries entries() const;
    // The first check that fails shows its message and follow-up; false then.
    bool checksPass();
    void showRemainingLines(int lines);

    data::TDM& dm_;
    QString heldNumber_;
    PickedSupplier picked_;
    TextLineLimit* textLimit_ = nullptr;
};

} // namespace kv::orders
