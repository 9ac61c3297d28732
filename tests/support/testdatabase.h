// Throwaway databases for tests: an embedded SQLite file in a temporary folder, or a fresh
// database on the test PostgreSQL server named by KV_TEST_PG (started by the test command).
// A TestStation is one workstation's client, session and transport connected to it.
#pragma once

#include "data/store/backend.h"
#include "data/store/client.h"
#include "data/store/session.h"
#include "data/store/table.h"
#include "data/store/transport.h"

#include <QTemporaryDir>
#include <memory>

namespace kv::test {

enum class Engine { Sqlite, Postgres };
QString engineName(Engine e);

// True when PostgreSQL tests can run; when not, and CI is set, the caller must fail instead of skipping.
bool postgresAvailable();

class TestDatabase {
public:
    explicit TestDatabase(Engine engine); // an empty database; throws StoreError when it cannot be made
    ~TestDatabase();

    Engine engine() const { return engine_; }
    store::ConnectParams params() const { return params_; }
    const QString& folder() const; // the temporary folder (also the SQLite database's folder)

    // The seven tables of the program with their settings row.
    void createSchema();
    void createTable(const store::TableDef& def);
    // A connection of its own, for setting up data with plain SQL.
    store::Backend& admin();

private:
    Engine engine_;
    QTemporaryDir dir_;
    store::ConnectParams params_;
    std::unique_ptr<store::Backend> admin_;
};

struct TestStation {
    explicit TestStation(const TestDatabase& db);
    // One of the program's tables opened on this station as the data module opens it.
    std::unique_ptr<store::Table> openTable(const QString& name);

    QString database;
    store::Transport transport;
    store::Client client{transport};
    store::Session session{QStringLiteral("Kalmorvaty"), client};
};

// An embedded database with the program's seven tables and one station on it: the fixture of tests
// that need real tables but not both engines.
struct EmbeddedFixture {
    EmbeddedFixture();
    std::unique_ptr<store::Table> openTable(const QString& name) { return station->openTable(name); }

    TestDatabase db{Engine::Sqlite};
    std::unique_ptr<TestStation> station;
};

// Runs a Qt test object once per engine: "sqlite" always, "postgres" when available; in CI a missing
// server is a failure. Returns the summed exit codes. The object reads kv::test::currentEngine().
int runPerEngine(QObject& testObject, int argc, char** argv);
Engine currentEngine();

} // namespace kv::test
