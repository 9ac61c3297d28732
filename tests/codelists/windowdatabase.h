// The database the window tests run on: the program's tables made by the set-up program's code on
// either engine, the program folder pointed at it, and the data module DM connected as the
// program connects it. A second station on the same database plays another workstation. Made once
// per test run; restart() gives each test an empty database and a fresh start of the program.
#pragma once

#include "tests/support/testdatabase.h"

#include "data/datmod.h"

#include <memory>

namespace kv::test {

class WindowDatabase {
public:
    // Throws std::runtime_error when the database cannot be made or DM cannot connect.
    explicit WindowDatabase(Engine engine);
    ~WindowDatabase();
    WindowDatabase(const WindowDatabase&) = delete;
    WindowDatabase& operator=(const WindowDatabase&) = delete;

    // As a new start of the program on a new database: every table emptied, a new settings row,
    // no grid layout files, no refusals, and a new data module connected.
    void restart();

    data::TDM& dm() { return *dm_; }
    // The program folder, ending with "/".
    QString folder() const { return db_.folder(); }
    // Another workstation connected to the same database.
    std::unique_ptr<TestStation> otherStation() const { return std::make_unique<TestStation>(db_); }
    // Another workstation writes `value` into `fieldName` of the first record of `table`.
    void changeElsewhere(const QString& table, const QString& fieldName, const QString& value) const;

    // Makes every insert or update ("INSERT", "UPDATE") of `table` fail in the engine, as a server
    // that refuses the write; refuseNothing() takes every such refusal back.
    void refuse(const QString& table, const QString& operation);
    void refuseNothing();

private:
    void connect();

    TestDatabase db_;
    std::unique_ptr<data::TDM> dm_;
    QStringList refusals_; // "table|operation"
};

} // namespace kv::test
