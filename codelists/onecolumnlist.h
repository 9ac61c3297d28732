// Adding an entry to a one-column code list (payment methods, transport types, trade categories):
// when a text may be added, and the add itself with its duplicate check.
#pragma once

#include <QString>

namespace kv::store {
class Table;
}

namespace kv::codelists {

// The text with blanks and control characters removed at both ends.
QString trimmedOfControls(const QString& text);
// Whether the add button may be pressed: something is left of `text` once trimmed.
bool canAddEntry(const QString& text);

enum class AddEntry {
    Added,     // stored; the new entry is current
    Duplicate, // an entry equal to the text exists and is now current; nothing stored
    Blank,     // nothing is left of the text once trimmed; nothing stored
    Failed,    // the insert failed; nothing stored
};
// Whether two entries are the same to a reader: trimmed, letter case not counting ("Hotově" and
// "HOTOVĚ ").
bool sameEntry(const QString& a, const QString& b);
// Re-reads `table` and looks for an entry whose `fieldName` is the same as `text` (sameEntry());
// stores the text as typed as a new entry when there is none. Errors of the re-read and the
// look-up pass on.
AddEntry addEntry(store::Table& table, const QString& fieldName, const QString& text);

} // namespace kv::codelists
