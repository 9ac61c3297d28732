// A table's column as texts, for tests that look for every record's value in an output.
#pragma once

#include "data/store/table.h"

#include <QStringList>

namespace kv::test {

// The text of `field` in every record of `table`, first to last; the cursor ends after the last.
inline QStringList columnValues(kv::store::Table& table, const QString& field) {
    QStringList values;
    for (table.first(); !table.eof(); table.next())
        values << table.fieldByName(field).asString();
    return values;
}

} // namespace kv::test
