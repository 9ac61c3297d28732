// Saving an unbound add/edit page as a new record or over the record it was filled from.
#include "recordentry.h"

#include "codelisttexts.h"

#include "data/store/storeerror.h"
#include "data/store/table.h"
#include "ui/dialogs.h"

namespace kv::codelists {

RecordEntry::RecordEntry(store::Table& table, QStringList fieldNames, EntryMessages messages)
    : table_(&table)
    , filled_(std::move(fieldNames))
    , messages_(std::move(messages)) {}

RecordEntry::Saved RecordEntry::insert(const QVariantList& values, QWidget* parent) {
    try {
        table_->insertRecord(values);
    } catch (const store::StoreError&) {
        ui::showError(texts::insertFailed(), parent);
        return Saved::NotSaved;
    }
    mode_ = Mode::Edit;
    return Saved::Inserted;
}

RecordEntry::Saved RecordEntry::update(const QList<std::pair<QString, QVariant>>& values, QWidget* parent) {
    switch (filled_.lockForSave(*table_, parent)) {
    case FilledRecord::Lock::Ready:
        break;
    case FilledRecord::Lock::Locked:
        ui::showError(messages_.locked, parent);
        return Saved::NotSaved;
    case FilledRecord::Lock::TheirsLoaded:
        return Saved::TheirsLoaded;
    case FilledRecord::Lock::Gone:
    case FilledRecord::Lock::OtherRecord:
        return Saved::NotSaved;
    }
    try {
        for (const auto& [name, value] : values)
            table_->fieldByName(name).setValue(value);
        table_->post();
    } catch (const store::StoreError&) {
        table_->cancel();
        ui::showError(messages_.postFailed, parent);
        return Saved::NotSaved;
    }
    filled_.remember(*table_);
    return Saved::Updated;
}

} // namespace kv::codelists
