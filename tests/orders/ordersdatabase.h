// The orders tests' database: a throwaway database on either engine with SERVER.INI written into a
// temporary program folder and the data module DM connected to it, as the program starts. Other
// stations connect to the same database through the same SERVER.INI.
#pragma once

#include "tests/support/testdatabase.h"

#include "data/datmod.h"

#include <memory>

namespace kv::test {

class OrdersDatabase {
public:
    // Throws std::runtime_error when the database cannot be made or connected.
    explicit OrdersDatabase(Engine engine);
    ~OrdersDatabase();
    OrdersDatabase(const OrdersDatabase&) = delete;
    OrdersDatabase& operator=(const OrdersDatabase&) = delete;

    data::TDM& dm() { return *dm_; }
    // The program folder, ending with "/", holding SERVER.INI.
    QString folder() const { return db_.folder(); }
    // A second workstation on the same database.
    std::unique_ptr<TestStation> otherStation() const { return std::make_unique<TestStation>(db_); }
    TestDatabase& database() { return db_; }
    // Starts a test afresh on the same database: no orders, the orders table's filter off.
    void clearOrders();

private:
    TestDatabase db_;
    std::unique_ptr<data::TDM> dm_;
};

// Connects a data module through the SERVER.INI of the current program folder; nullptr with the
// messages in `errors` when that fails.
std::unique_ptr<data::TDM> connectDataModule(QString* errors);
// A station process of a test: makes `folder` the program folder and connects through its
// SERVER.INI; nullptr, with the messages written to the standard error, when that fails.
std::unique_ptr<data::TDM> connectStation(const QString& folder);

} // namespace kv::test
