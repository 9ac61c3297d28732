// Making and dropping the throwaway test databases on either engine.
#include "testdatabase.h"

#include "data/schema.h"
#include "data/schemaddl.h"
#include "data/store/sqlitebackend.h"

#include <QCoreApplication>
#include <QTest>
#include <atomic>
#include <cstdio>

namespace kv::test {
namespace {
Engine g_engine = Engine::Sqlite;

// libpq keywords of KV_TEST_PG: "host=127.0.0.1 port=5432 user=postgres dbname=postgres".
QHash<QString, QString> pgSettings() {
    QHash<QString, QString> out;
    for (const QString& part : QString::fromLocal8Bit(qgetenv("KV_TEST_PG")).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const qsizetype eq = part.indexOf(QLatin1Char('='));
        if (eq > 0)
            out.insert(part.left(eq), part.mid(eq + 1));
    }
    return out;
}
} // namespace

QString engineName(Engine e) { return e == Engine::Sqlite ? QStringLiteral("sqlite") : QStringLiteral("postgres"); }

bool postgresAvailable() { return !qEnvironmentVariableIsEmpty("KV_TEST_PG"); }

Engine currentEngine() { return g_engine; }

TestDatabase::TestDatabase(Engine engine) : engine_(engine) {
    params_.folder = dir_.path() + QLatin1Char('/');
    params_.createMissing = true;
    if (engine == Engine::Sqlite) {
        params_.protocol = store::ConnectParams::Protocol::SingleUser;
        params_.database = QStringLiteral("Kalmorvaty");
    } else {
        static std::atomic<int> counter{0};
        const auto pg = pgSettings();
        params_.protocol = store::ConnectParams::Protocol::TcpIp;
        params_.server = pg.value(QStringLiteral("host"), QStringLiteral("127.0.0.1")) + QLatin1Char(':') +
                         pg.value(QStringLiteral("port"), QStringLiteral("5432"));
        params_.user = pg.value(QStringLiteral("user"), QStringLiteral("postgres"));
        params_.database = QStringLiteral("kvtest_%1_%2").arg(QCoreApplication::applicationPid()).arg(++counter);
    }
    admin_ = store::openBackend(params_);
    if (engine == Engine::Postgres)
        admin_->execute(QStringLiteral("SET client_min_messages = warning"), {});
    params_.createMissing = false;
}

TestDatabase::~TestDatabase() {
    if (engine_ == Engine::Postgres && admin_) {
        admin_.reset();
        store::ConnectParams p = params_;
        p.database = QStringLiteral("postgres");
        try {
            auto b = store::openBackend(p);
            b->execute(QStringLiteral("DROP DATABASE IF EXISTS \"%1\" WITH (FORCE)").arg(params_.database), {});
        } catch (...) {
        }
    }
}

const QString& TestDatabase::folder() const { return params_.folder; }

void TestDatabase::createSchema() { data::createMissing(*admin_); }

void TestDatabase::createTable(const store::TableDef& def) { data::createTableIfMissing(*admin_, def); }

store::Backend& TestDatabase::admin() { return *admin_; }

TestStation::TestStation(const TestDatabase& db)
    : database(db.params().database) {
    const auto p = db.params();
    transport.setProtocol(p.protocol);
    transport.setServerName(p.server);
    client.setUserName(p.user);
    client.setPassword(p.password);
    session.setFolder(p.folder);
    session.setDefaultDatabase(p.database);
    client.setActive(true);
    session.setActive(true);
}

std::unique_ptr<store::Table> TestStation::openTable(const QString& name) {
    auto t = std::make_unique<store::Table>(session, name);
    t->setDefinition(data::tableDef(name));
    t->setDatabaseName(database);
    t->open();
    return t;
}

EmbeddedFixture::EmbeddedFixture() {
    db.createSchema();
    station = std::make_unique<TestStation>(db);
}

int runPerEngine(QObject& testObject, int argc, char** argv) {
    int failures = 0;
    g_engine = Engine::Sqlite;
    std::printf("== engine: sqlite\n");
    failures += QTest::qExec(&testObject, argc, argv);
    if (postgresAvailable()) {
        g_engine = Engine::Postgres;
        std::printf("== engine: postgres\n");
        failures += QTest::qExec(&testObject, argc, argv);
    } else if (qEnvironmentVariable("CI") == QLatin1String("true")) {
        std::printf("FAIL: KV_TEST_PG is not set; the PostgreSQL side must run in CI\n");
        ++failures;
    } else {
        std::printf("== engine: postgres skipped (KV_TEST_PG not set; run through tools/test.sh)\n");
    }
    return failures;
}

} // namespace kv::test
