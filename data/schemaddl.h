// Creates what is missing of the database: the seven tables with their columns in stored order and
// native types, the hidden storage key, one binary sort-key column, index and trigger per named index,
// the unique index of the order numbers, the settings row's last number as wide as an order number,
// the schema version row and the one settings row. Running it again on a complete database changes nothing.
#pragma once

#include "data/store/backend.h"

namespace kv::data {

// Standard delivery lead time of a newly created settings row, in days.
inline constexpr int kDefaultLeadTimeDays = 14;

struct DdlReport {
    QStringList createdTables;
    bool createdSettingsRow = false;
    // Order numbers stored more than once: the orders' numbers cannot be made unique until they are
    // mended, and the index that keeps them so is left out meanwhile.
    QStringList duplicateNumbers;
};

// All in one transaction. Throws SchemaVersionError for a database of another version (an earlier
// one is upgraded by upgradeDatabase(), never here) and store::StoreError when the engine refuses.
DdlReport createMissing(store::Backend& backend);
// Creates one table (and its indexes) when it is missing; used by tests for tables of their own.
bool createTableIfMissing(store::Backend& backend, const store::TableDef& def);

} // namespace kv::data
