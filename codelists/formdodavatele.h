// TFormDodavatele: the trade categories and their suppliers. The suppliers shown are always those
// of the category current in the categories table (the data module filters them on every move);
// an unbound add/edit page stores a new supplier or writes back the current one. A category that
// still has suppliers is not deleted.
#pragma once

#include "codelistwindow.h"
#include "entrypages.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace kv::controls {
class DBGrid;
class TDBMemo;
class TDBNavigator;
class TDBText;
class TProLabelEdit;
} // namespace kv::controls

namespace kv::data {
class TDM;
}

namespace kv::codelists {

// Why the current trade category cannot be deleted: "Obor nelze vymazat: patří k němu N dodavatel…"
// while suppliers still name it, counted in the whole suppliers table; empty when it has none.
QString categoryDeleteRefusal(data::TDM& dm);

class TFormDodavatele : public CodeListWindow {
    Q_OBJECT
public:
    // Loads the suppliers grid's layout from "Dodavatele.grd" in the program folder.
    explicit TFormDodavatele(data::TDM& dm, QWidget* parent = nullptr);

    QTabWidget* ZalozkyDodavatelu;
    QWidget* tabObory;
    QWidget* tabSeznamDodavatelu;
    QWidget* tabNovyDodavatel;

    controls::DBGrid* GridObory;
    controls::TDBNavigator* DBNavigator1;
    QLabel* labPocFirem;
    controls::TProLabelEdit* edOborPus;
    QPushButton* Button2;
    QPushButton* Button3;

    controls::TDBText* DBText1; // the current category's name
    controls::DBGrid* GridDodavatele;
    controls::TDBMemo* DBMemo1; // the current supplier's note, read-only
    controls::TDBNavigator* NavDoprava;
    QPushButton* tlTisk;
    QPushButton* tlZavrit;

    controls::TProLabelEdit* edNazev;
    controls::TProLabelEdit* edZastupce;
    controls::TProLabelEdit* edUliceCP;
    controls::TProLabelEdit* edObec;
    controls::TProLabelEdit* edPSC;
    controls::TProLabelEdit* edTelefon;
    controls::TProLabelEdit* edFax;
    controls::TProLabelEdit* edGSM;
    controls::TProLabelEdit* edEmail;
    controls::TProLabelEdit* edWWW;
    controls::TProLabelEdit* edIC;
    controls::TProLabelEdit* edDIC;
    QPlainTextEdit* edPoznamka;
    QPushButton* tlNovyDodavatel;
    QPushButton* tlPridat;
    QPushButton* Button1;

    // New or edit: what "Uložit změny" does. Edit at start; kept while the window is hidden.
    RecordEntry::Mode saveMode() { return pages_.entry().mode(); }
    // The layout file of the suppliers grid.
    static QString layoutPath();

    // Handlers, public so that tests drive them as the controls do.
    void ZalozkyDodavateluChange(int index);
    void tlNovyDodavatelClick();
    void tlPridatClick();
    void Button2Click();
    void tlTiskClick();

protected:
    void FormShow() override;
    void FormClose() override;
    bool hasUnsavedTyping() const override { return pages_.hasTyping(); }

private:
    void buildCategoriesPage();
    void buildSuppliersPage();
    void buildEntryPage();
    QVariantList newSupplier();
    void showCount();

    data::TDM& dm_;
    EntryPages pages_;
};

} // namespace kv::codelists
