// The tab change rule, the save modes and the saves of a code list's add/edit page.
#include "entrypages.h"

#include "codelisttexts.h"
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
    shownPage_ = pages->currentWidget();
}

void EntryPages::setPage(QWidget* page) {
    settingPage_ = true;
    pages_->setCurrentWidget(page);
    shownPage_ = page;
    settingPage_ = false;
}

void EntryPages::tabChanged(int index) {
    if (settingPage_)
        return;
    QWidget* page = pages_->widget(index);
    if (shownPage_ == entryPage_ && page != entryPage_) {
        if (!typingMayGo(pages_)) {
            setPage(entryPage_);
            return;
        }
        // What was dropped is not asked about again; entering the page fills it anew anyway.
        fillFromCurrentOrEmpty();
    }
    shownPage_ = page;
    if (page == entryPage_)
        enterEntryPage();
}

bool EntryPages::hasTyping() const {
    return boxes_.edited() || (othersTyped && othersTyped());
}

bool EntryPages::typingMayGo(QWidget* parent) {
    return !hasTyping() || ui::askYesNo(texts::discardEntryQuestion(), ui::MsgStyle::Warning, parent);
}

void EntryPages::newClicked(QWidget* parent) {
    if (typingMayGo(parent))
        startNew();
}

void EntryPages::enterEntryPage() {
    entry_.setMode(table_.isEmpty() ? RecordEntry::Mode::New : RecordEntry::Mode::Edit);
    fillFromCurrentOrEmpty();
}

void EntryPages::fillFromCurrentOrEmpty() {
    if (table_.isEmpty()) {
        boxes_.clear();
        if (clearOthers)
            clearOthers();
        return;
    }
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
        // The page shows what is stored now: nothing typed is left unsaved.
        fillFromCurrent();
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
