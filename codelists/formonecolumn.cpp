// The payment methods and transport types windows.
#include "formonecolumn.h"

#include "codelisttexts.h"
#include "onecolumnlist.h"
#include "windowparts.h"

#include "controls/dbgrid.h"
#include "controls/prolabeledit.h"
#include "controls/tdbnavigator.h"
#include "data/datmod.h"
#include "ui/dialogs.h"

#include <QPushButton>

namespace kv::codelists {

TFormOneColumnList::TFormOneColumnList(const OneColumnListSetup& setup, QWidget* parent)
    : CodeListWindow(setup.objectName, setup.caption, QSize(365, 416), parent)
    , setup_(setup) {
    GridDoprava = makeGrid(this, "GridDoprava", setup.editCaption, setup.source, QRect(8, 8, 349, 290));
    NavDoprava = makeNavigator(this, "NavDoprava", setup.source, QPoint(8, 304));
    makeSeparator(this, QRect(8, 338, 349, 2));
    box_ = makeLabelEdit(this, setup.editName, setup.editCaption, 30, QRect(8, 348, 349, 25), 100);
    tlPridat = makeButton(this, "tlPridat", setup.addCaption, QRect(8, 383, 170, 25));
    tlZavrit = makeButton(this, "tlZavrit", QStringLiteral("Zavřít"), QRect(187, 383, 170, 25));
    setTabChain({GridDoprava, box_->editBox(), tlPridat, tlZavrit});

    connect(box_, &controls::TProLabelEdit::changed, this, &TFormOneColumnList::boxChange);
    connect(tlPridat, &QPushButton::clicked, this, &TFormOneColumnList::tlPridatClick);
    connect(tlZavrit, &QPushButton::clicked, this, &TFormOneColumnList::tlZavritClick);
    tlPridat->setEnabled(false);
}

store::Table& TFormOneColumnList::table() const {
    return *setup_.source->dataSet();
}

QString TFormOneColumnList::currentEntry() const {
    const store::Table& t = table();
    return t.isOpen() && !t.isEmpty() ? table().fieldByName(setup_.fieldName).asString() : QString();
}

void TFormOneColumnList::FormShow() {
    box_->setText({});
    tlPridat->setEnabled(false);
    table().refresh();
}

void TFormOneColumnList::boxChange() {
    tlPridat->setEnabled(canAddEntry(box_->text()));
}

void TFormOneColumnList::tlPridatClick() {
    switch (addEntry(table(), setup_.fieldName, box_->text())) {
    case AddEntry::Added:
        box_->setText({});
        break;
    case AddEntry::Duplicate:
        ui::showError(setup_.duplicateMessage, this);
        break;
    case AddEntry::Blank:
        ui::showError(texts::entryBlank(), this);
        break;
    case AddEntry::Failed:
        ui::showError(texts::insertFailed(), this);
        break;
    }
}

void TFormOneColumnList::tlZavritClick() {
    close();
}

TFormPlatba::TFormPlatba(data::TDM& dm, QWidget* parent)
    : TFormOneColumnList({"FormPlatba", QStringLiteral("Způsoby platby..."), &dm.DSPlatba,
                          QStringLiteral("Platba"), "edTypPlatby", QStringLiteral("Způsob platby:"),
                          QStringLiteral("Přidat způsob platby"),
                          QStringLiteral("Tento způsob platby je již v tabulce zadán!")},
                         parent)
    , edTypPlatby(addBox()) {}

TFormDoprava::TFormDoprava(data::TDM& dm, QWidget* parent)
    : TFormOneColumnList({"FormDoprava", QStringLiteral("Typ dopravy...."), &dm.DSDoprava,
                          QStringLiteral("Doprava"), "edTypDopr", QStringLiteral("Typ dopravy:"),
                          QStringLiteral("Přidat typ dopravy.."),
                          QStringLiteral("Tento způsob dopravy je již v tabulce zadán!")},
                         parent)
    , edTypDopr(addBox()) {}

} // namespace kv::codelists
