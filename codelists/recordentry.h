// The add/edit page of a code list whose edits are not bound to the table: its save mode and its
// save, either as a new record or over the record the edits were filled from. Every failure is
// reported through the dialog seam and leaves the table in browse state, the edits untouched.
#pragma once

#include "codelisttexts.h"
#include "filledrecord.h"

#include <QList>
#include <QVariantList>
#include <utility>

namespace kv::codelists {

// What an edit-mode save says when the record cannot be locked or the post is refused.
struct EntryMessages {
    QString locked = texts::recordLocked();
    QString postFailed = texts::postFailed();
};

class RecordEntry {
public:
    enum class Mode { New, Edit };
    enum class Saved {
        Inserted,     // a new record was stored and is current; the mode is Edit now
        Updated,      // the record was written
        NotSaved,     // a message said why; nothing was written
        TheirsLoaded, // another station's values are to be shown instead; nothing was written
    };

    // `table` outlives the entry; `fieldNames` are the fields the page's edits hold.
    RecordEntry(store::Table& table, QStringList fieldNames, EntryMessages messages = {});

    store::Table& table() const { return *table_; }
    // Edit at start; it survives the hiding of the window.
    Mode mode() const { return mode_; }
    void setMode(Mode m) { mode_ = m; }
    FilledRecord& filled() { return filled_; }

    // New mode: inserts and posts one record from `values` in the table's field order. A failure
    // shows "Chyba při zápisu do tabulky!…", stores nothing and keeps the mode New.
    Saved insert(const QVariantList& values, QWidget* parent = nullptr);
    // Edit mode: locks the record the edits were filled from (see FilledRecord::lockForSave),
    // assigns `values` by field name and posts. A record that cannot be locked shows the locked
    // message; a refused post shows the post message and cancels the edit, so no later cursor move
    // writes it behind the user's back.
    Saved update(const QList<std::pair<QString, QVariant>>& values, QWidget* parent = nullptr);

private:
    store::Table* table_;
    FilledRecord filled_;
    EntryMessages messages_;
    Mode mode_ = Mode::Edit;
};

} // namespace kv::codelists
