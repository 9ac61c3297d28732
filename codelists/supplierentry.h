// The supplier fields of the add/edit page and how the page's note becomes the stored note.
#pragma once

#include "boxset.h"

#include <QString>
#include <array>

namespace kv::codelists {

// The twelve edits of the suppliers' add/edit page in tab order, with the field each holds.
extern const std::array<BoxField, 12> kSupplierBoxes;

// The note as a new supplier stores it: every line of the memo followed by CR LF, the last one
// included; an empty memo gives an empty note.
QString noteForInsert(const QString& memoText);
// The note as an edited supplier stores it: the memo's text with CR LF between its lines.
QString noteForEdit(const QString& memoText);

} // namespace kv::codelists
