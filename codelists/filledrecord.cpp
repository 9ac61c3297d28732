// Remembering the record an unbound page was filled from, and locking it for the page's save.
#include "filledrecord.h"

#include "codelisttexts.h"

#include "data/store/storeerror.h"
#include "data/store/table.h"
#include "ui/dialogs.h"

namespace kv::codelists {

FilledRecord::FilledRecord(QStringList fieldNames)
    : fieldNames_(std::move(fieldNames)) {}

void FilledRecord::remember(store::Table& table) {
    values_.clear();
    hasRecord_ = table.isOpen() && !table.isEmpty();
    rowId_ = hasRecord_ ? table.rowId() : 0;
    if (!hasRecord_)
        return;
    for (const QString& name : fieldNames_)
        values_ << table.fieldByName(name).value();
}

bool FilledRecord::onRemembered(const store::Table& table) const {
    const bool hasRecord = table.isOpen() && !table.isEmpty();
    return hasRecord == hasRecord_ && (!hasRecord || table.rowId() == rowId_);
}

bool FilledRecord::storedAsRemembered(store::Table& table) const {
    for (qsizetype i = 0; i < fieldNames_.size(); ++i)
        if (table.fieldByName(fieldNames_[i]).value() != values_.value(i))
            return false;
    return true;
}

FilledRecord::Lock FilledRecord::lockForSave(store::Table& table, QWidget* parent) {
    if (!onRemembered(table)) {
        ui::showError(texts::otherRecordCurrent(), parent);
        return Lock::OtherRecord;
    }
    try {
        table.edit();
    } catch (const store::StoreError& e) {
        if (e.kind() == store::StoreError::Kind::Locked || !hasRecord_)
            return Lock::Locked;
        // Whether the record is gone is asked of the server again: any other failure counts as a
        // lock by another station.
        try {
            table.refresh();
        } catch (const store::StoreError&) {
            return Lock::Locked;
        }
        if (onRemembered(table))
            return Lock::Locked;
        ui::showError(texts::deletedElsewhere(), parent);
        return Lock::Gone;
    }
    // The edit read the record again; a new record started on an empty table has nothing to compare.
    if (!hasRecord_ || storedAsRemembered(table))
        return Lock::Ready;
    if (ui::dialogs().message(texts::changedElsewhere(), ui::MsgStyle::Warning,
                              ui::MsgButton::Yes | ui::MsgButton::No, parent) == ui::MsgButton::Yes)
        return Lock::Ready;
    table.cancel();
    remember(table);
    return Lock::TheirsLoaded;
}

} // namespace kv::codelists
