// The record whose values an unbound page of edits was filled from. A page that writes its edits
// back over that record first locks it through lockForSave(), which makes sure the edits still
// belong to the current record and that no other station changed the page's fields meanwhile, so
// nothing another station wrote is overwritten without the user's word.
#pragma once

#include <QStringList>
#include <QVariant>

class QWidget;

namespace kv::store {
class Table;
}

namespace kv::codelists {

class FilledRecord {
public:
    // `fieldNames`: the fields the page shows and writes; only they are compared.
    explicit FilledRecord(QStringList fieldNames);

    const QStringList& fieldNames() const { return fieldNames_; }

    // Remembers the current record of `table` and its values of the page's fields; an empty table
    // is remembered as no record.
    void remember(store::Table& table);
    // Whether `table` stands on the remembered record (or both have none).
    bool onRemembered(const store::Table& table) const;

    enum class Lock {
        Ready,        // the record is locked in edit state and holds the remembered values
        Locked,       // the record could not be put into edit state; nothing changed
        Gone,         // another station deleted the record; the cursor has moved on
        OtherRecord,  // the cursor stands on another record than the page was filled from
        TheirsLoaded, // another station changed it and the user took its values: the edit is
                      // cancelled and they are remembered, for the page to show
    };
    // Puts the current record of `table` into edit state for the page's save. When another
    // station changed the page's fields since they were remembered, asks the user whether to
    // overwrite (Ready) or to take that station's values (TheirsLoaded). Shows the messages of Gone
    // and OtherRecord through the dialog seam; Locked is the caller's to report, in its own words.
    Lock lockForSave(store::Table& table, QWidget* parent = nullptr);

private:
    bool storedAsRemembered(store::Table& table) const;

    QStringList fieldNames_;
    bool hasRecord_ = false;
    qint64 rowId_ = 0;
    QList<QVariant> values_;
};

} // namespace kv::codelists
