// A database in the layout the program wrote before the schema version was kept (version 1):
// date-times as millisecond counts, Booleans as small integers, texts without lengths, no "_Verze"
// table. Tests make one with that layout's own DDL and rows, then upgrade it.
#pragma once

#include "testdatabase.h"

namespace kv::test {

// The seven tables of version 1 with their indexes, the filter indexes and the settings row.
void createVersion1Schema(store::Backend& backend, Engine engine);

} // namespace kv::test
