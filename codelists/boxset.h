// The unbound labelled edits of an add/edit page, each holding one field of a table: filled from
// the current record, emptied, and read back as values by field name; and whether they were typed
// in since they were last filled, emptied or saved.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <utility>

namespace kv::controls {
class TProLabelEdit;
}

namespace kv::store {
class Table;
}

namespace kv::codelists {

// One edit of a page: its name, caption, what may be typed (kFieldSize: as much as the field
// holds) and the field it holds.
struct BoxField {
    static constexpr int kFieldSize = -1;
    const char* editName;
    const char16_t* caption;
    int maxLength;
    const char* fieldName;
};

class BoxSet {
public:
    void add(controls::TProLabelEdit* edit, const char* fieldName);

    // The field names in the order the edits were added.
    QStringList fieldNames() const;
    // Each edit receives its field of the current record of `table` as text.
    void fill(store::Table& table);
    void clear();
    // Field name and the edit's text as typed, in the order the edits were added.
    QList<std::pair<QString, QVariant>> values() const;
    // The text of the edit holding `fieldName`; empty when no edit holds it.
    QString text(const QString& fieldName) const;

    // Whether any edit's text differs from what fill(), clear() or settle() left there.
    bool edited() const;
    // The texts as they stand are the saved ones now.
    void settle();

private:
    QStringList texts() const;

    QList<std::pair<controls::TProLabelEdit*, QString>> boxes_;
    QStringList settled_; // empty until first filled, emptied or settled: every edit empty then
};

} // namespace kv::codelists
