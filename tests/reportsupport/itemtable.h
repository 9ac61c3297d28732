// A throwaway embedded database with one small table of items (name, number, note, picture, done
// flag, date) and a data source over it, for report tests that walk records.
#pragma once

#include "tests/support/testdatabase.h"

#include "data/store/table.h"

#include "data/store/datasource.h"

#include <memory>

namespace kv::report::test {

class ItemTable {
public:
    // `count` items named "Položka 1", "Položka 2", ... numbered 1, 2, ... with the note "Poznámka n",
    // done when odd, dated December (n mod 28) + 1, 2026 at 8:05.
    explicit ItemTable(int count, const QString& tableName = QStringLiteral("Polozky"));
    ~ItemTable();

    kv::store::Table& table() { return *table_; }
    kv::store::DataSource& source() { return source_; }
    // Another table of the same database, with its own data source.
    static kv::store::TableDef definition(const QString& tableName);

private:
    kv::test::TestDatabase db_{kv::test::Engine::Sqlite};
    std::unique_ptr<kv::test::TestStation> station_;
    std::unique_ptr<kv::store::Table> table_;
    kv::store::DataSource source_;
};

} // namespace kv::report::test
