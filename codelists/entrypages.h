// The list page and the unbound add/edit page of a code list (suppliers, users): entering the
// add/edit page by the user fills it from the current record or starts a new one, "Nový…" empties
// it, and "Uložit změny" stores a new record or writes back the one it was filled from.
#pragma once

#include "boxset.h"
#include "recordentry.h"

#include <functional>

class QTabWidget;
class QWidget;

namespace kv::codelists {

class EntryPages {
public:
    // `fieldNames`: every field the add/edit page shows and writes, its edits' and any others.
    EntryPages(store::Table& table, QStringList fieldNames);

    // The page control with the list page shown after a save and the add/edit page; the edits of
    // the add/edit page are added to boxes() by the window.
    void setPages(QTabWidget* pages, QWidget* listPage, QWidget* entryPage);
    BoxSet& boxes() { return boxes_; }
    RecordEntry& entry() { return entry_; }

    // What the window adds to the edits: filling and emptying its other controls, the values of a
    // new record in the table's field order, and the values written over an edited record.
    std::function<void(store::Table&)> fillOthers;
    std::function<void()> clearOthers;
    // Whether the other controls were typed in since they were last filled or emptied.
    std::function<bool()> othersTyped;
    std::function<QVariantList()> newRecord;
    std::function<QList<std::pair<QString, QVariant>>()> changedRecord;
    // A field whose box may not be left blank, and the message that says so; none when empty.
    QString requiredField;
    QString requiredMessage;

    // The tab change handler: entering the add/edit page by the user fills it from the current
    // record (edit mode), or starts a new record when the table shows none. Leaving it with typing
    // not saved asks first; the page stays when the clerk keeps the typing.
    void tabChanged(int index);
    // "Nový…": new mode, every edit empty; the page stays. Typing not saved is dropped only when
    // the clerk agrees.
    void newClicked(QWidget* parent);
    void startNew();

    // The add/edit page holds typing not saved.
    bool hasTyping() const;
    // "Uložit změny" in the save mode in force. After a save the list page is shown; after a
    // failure, or a required box left blank, the add/edit page stays with what was typed.
    void save(QWidget* parent);

private:
    void setPage(QWidget* page);
    void enterEntryPage();
    void fillFromCurrent();
    void fillFromCurrentOrEmpty();
    // False when there is typing not saved and the clerk keeps it.
    bool typingMayGo(QWidget* parent);

    store::Table& table_;
    BoxSet boxes_;
    RecordEntry entry_;
    QTabWidget* pages_ = nullptr;
    QWidget* listPage_ = nullptr;
    QWidget* entryPage_ = nullptr;
    QWidget* shownPage_ = nullptr;
    bool settingPage_ = false;
};

} // namespace kv::codelists
