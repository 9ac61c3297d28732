// The add rule and the add of a one-column code list.
#include "onecolumnlist.h"

#include "data/store/field.h"
#include "data/store/storeerror.h"
#include "data/store/table.h"

namespace kv::codelists {

namespace {
bool trimmable(QChar c) {
    return c.unicode() <= 0x20 || c.category() == QChar::Other_Control;
}
} // namespace

QString trimmedOfControls(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && trimmable(text[begin]))
        ++begin;
    while (end > begin && trimmable(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

bool canAddEntry(const QString& text) {
    return !trimmedOfControls(text).isEmpty();
}

bool sameEntry(const QString& a, const QString& b) {
    return trimmedOfControls(a).compare(trimmedOfControls(b), Qt::CaseInsensitive) == 0;
}

AddEntry addEntry(store::Table& table, const QString& fieldName, const QString& text) {
    if (!canAddEntry(text))
        return AddEntry::Blank;
    table.refresh();
    // A code list holds tens of entries: reading them all finds a variant the index would not.
    store::Field& field = table.fieldByName(fieldName);
    for (table.first(); !table.eof(); table.next()) {
        if (sameEntry(field.asString(), text))
            return AddEntry::Duplicate;
    }
    try {
        table.insertRecord({text});
    } catch (const store::StoreError&) {
        return AddEntry::Failed;
    }
    return AddEntry::Added;
}

} // namespace kv::codelists
