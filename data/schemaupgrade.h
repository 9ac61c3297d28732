// Brings a database made by an earlier build of the program to the current schema version in place:
// each table is rebuilt with native column types and every row copied with its storage key, its
// sort keys and every value converted exactly, all in one transaction.
#pragma once

#include "data/store/backend.h"

namespace kv::data {

struct UpgradeReport {
    int from = 0;       // the version found (kNoSchema for a database without the program's tables)
    int to = 0;         // the version the database has now
    QStringList tables; // the tables rebuilt
};

// Does nothing to a database of the current version or one without the program's tables. Throws
// SchemaVersionError for a newer or unknown version and store::StoreError when the engine refuses
// (then nothing has changed).
UpgradeReport upgradeDatabase(store::Backend& backend);

} // namespace kv::data
