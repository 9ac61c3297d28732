// TFormUzivatele: the people who issue orders, listed by surname, first name and title, with an
// unbound add/edit page that stores a new user or writes back the current one.
#pragma once

#include "codelistwindow.h"
#include "entrypages.h"

class QPushButton;
class QTabWidget;

namespace kv::controls {
class DBGrid;
class TDBNavigator;
class TProLabelEdit;
} // namespace kv::controls

namespace kv::data {
class TDM;
}

namespace kv::codelists {

class TFormUzivatele : public CodeListWindow {
    Q_OBJECT
public:
    // Loads the users grid's layout from "Uzivatele.grd" in the program folder.
    explicit TFormUzivatele(data::TDM& dm, QWidget* parent = nullptr);

    QTabWidget* ZalozkyUzivatelu;
    QWidget* tabSeznamUzivatelu;
    QWidget* tabNovyUzivatel;

    controls::DBGrid* GridUziv;
    controls::TDBNavigator* NavDoprava;
    QPushButton* tlZavrit;

    controls::TProLabelEdit* edInicialy;
    controls::TProLabelEdit* edTitul;
    controls::TProLabelEdit* edJmeno;
    controls::TProLabelEdit* edPrijmeni;
    controls::TProLabelEdit* edFunkce;
    controls::TProLabelEdit* edEmail;
    controls::TProLabelEdit* edTelefon;
    QPushButton* tlUlozZm;
    QPushButton* tlNovyUz;
    QPushButton* Button2;

    RecordEntry::Mode saveMode() { return pages_.entry().mode(); }
    static QString layoutPath();

    // Handlers, public so that tests drive them as the controls do.
    void ZalozkyUzivateluChange(int index);
    void tlNovyUzClick();
    void tlUlozZmClick();

protected:
    void FormShow() override;
    void FormClose() override;
    bool hasUnsavedTyping() const override { return pages_.hasTyping(); }

private:
    data::TDM& dm_;
    EntryPages pages_;
};

} // namespace kv::codelists
