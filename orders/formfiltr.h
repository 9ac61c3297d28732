// TFormFiltr: the orders filter, shown beside the orders list without being modal. Five state
// radio buttons and three date ranges, each with its "aktivní" box; every change is applied to the
// orders table's filter at once. The chosen state and the ranges' condition outlive its showings.
#pragma once

#include "orderfilter.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDialog>
#include <QPushButton>
#include <QRadioButton>

namespace kv::data {
class TDM;
}

namespace kv::orders {

class TFormFiltr : public QDialog {
    Q_OBJECT
public:
    // The ranges start at today - 7 to today for creation and settling, today to today + 7 for
    // delivery, none of them active.
    explicit TFormFiltr(data::TDM& dm, QWidget* parent = nullptr);

    QRadioButton* chVeskere;
    QRadioButton* cdVyrizene;
    QRadioButton* chNevyrizene;
    QRadioButton* chStornovane;
    QRadioButton* chPoTerminu;
    QDateEdit* fOdZalozeni;
    QDateEdit* fDoZalozeni;
    QCheckBox* edZalozenaAkt;
    QDateEdit* fOdUzavrena;
    QDateEdit* fDoUzavrena;
    QCheckBox* edAktUkoncena;
    QDateEdit* fOdTerminDod;
    QDateEdit* fDoTerminDod;
    QCheckBox* edChTerminDodAkt;
    QPushButton* tlZavri;

    const OrdersFilter& filterState() const { return filter_; }

    // Showing: the remembered state's radio button is selected and the state applied.
    void FormShow();
    // A radio button's click: applies its state and remembers it.
    void applyState(int kind);
    // A picker changed or a box was clicked: the condition is rebuilt and the state re-applied.
    void rangesChanged();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QRadioButton* stateButton(int kind) const;
    FilterRanges ranges() const;

    data::TDM& dm_;
    OrdersFilter filter_;
};

} // namespace kv::orders
