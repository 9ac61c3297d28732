// The tab change rule, the save modes and the saves of a code list's add/edit page.
#include "entrypages.h"

#include "onecolumnlist.h"

#include "data/store/table.h"
#include "ui/dialogs.h"

#include <QTabWidget>

namespace kv::codelists {

EntryPages::EntryPages(store::Table& table, QStringList fieldNames)
    : table_(table)
    , entry_(table, std::move(fieldNames)) {}

void EntryPages::setPages(QTabWidget* pages, QWidget* listPage, QWidget* entryPage) {
    pages_ = pages;
    listPage_ = listPage;
    entryPage_ = entryPage;
}

void EntryPages::setPage(QWidget* page) {
    settingPage_ = true;
    pages_->setCurrentWidget(page);
    settingPage_ = false;
}

void EntryPages::tabChanged(int index) {
    if (!settingPage_ && pages_->widget(index) == entryPage_)
        enterEntryPage();
}

void EntryPages::enterEntryPage() {
    if (table_.isEmpty()) {
        startNew();
        return;
    }
    entry_.setMode(RecordEntry::Mode::Edit);
    fillFromCurrent();
}

void EntryPages::fillFromCurrent() {
    boxes_.fill(table_);
    if (fillOthers)
        fillOthers(table_);
    entry_.filled().remember(table_);
}

void EntryPages::startNew() {
    entry_.setMode(RecordEntry::Mode::New);
    boxes_.clear();
    if (clearOthers)
        clearOthers();
}

void EntryPages::save(QWidget* parent) {
    if (!requiredField.isEmpty()) {
        for (const auto& [field, text] : boxes_.values()) {
            if (field == requiredField && trimmedOfControls(text.toString()).isEmpty()) {
                ui::showError(requiredMessage, parent);
                return;
            }
        }
    }
    if (entry_.mode() == RecordEntry::Mode::New) {
        if (entry_.insert(newRecord(), parent) != RecordEntry::Saved::Inserted)
            return;
        // The page shows the record as stored, ready for the next press to write it again.
        enterEntryPage();
        setPage(listPage_);
        return;
    }
    switch (entry_.update(changedRecord(), parent)) {
    case RecordEntry::Saved::Updated:
        setPage(listPage_);
        break;
    case RecordEntry::Saved::TheirsLoaded:
        fillFromCurrent();
        break;
    case RecordEntry::Saved::Inserted:
    case RecordEntry::Saved::NotSaved:
        break;
    }
}

} // namespace kv::codelists
