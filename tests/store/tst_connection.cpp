// Creating the data module: SERVER.INI and its defaults, the set-up program, the connection loop with
// its two questions and the reason for each failure, the schema version check, opening the tables in
// order, the set-up program's own work (passwords, upgrades), the durability of every connection, and
// an embedded database on a network drive refused.
#include "tests/support/legacydatabase.h"
#include "tests/support/testdatabase.h"

#include "base/iniprofile.h"
#include "base/programfolder.h"
#include "data/connectionui.h"
#include "data/datmod.h"
#include "data/schemaddl.h"
#include "data/schemaversion.h"
#include "data/serversettings.h"
#include "data/store/networkdrive.h"
#include "data/store/pgbackend.h"
#include "data/store/sqlitebackend.h"
#include "data/store/storeerror.h"
#include "tools/initdataserver.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace kv;

namespace {

const QString kConnectError =
    QStringLiteral("Nelze připojit datový server!!\n\n1. není spuštěn server\n"
                   "2. síťový server není dostupný\n3. není založena databáze KALMORVATY");
const QString kRetry = QStringLiteral("Server nebyl aktivní, ale již je spuštěn - pokračovat....");

struct ScriptedUi : data::ConnectionUi {
    QStringList log;
    QList<bool> answers; // for confirm(); No when empty
    void showError(const QString& t) override { log << QStringLiteral("error: ") + t; }
    bool confirm(const QString& t) override {
        log << QStringLiteral("confirm: ") + t;
        return answers.isEmpty() ? false : answers.takeFirst();
    }
    void showMessage(const QString& t) override { log << QStringLiteral("message: ") + t; }
    void beforeSetupProgram() override { log << QStringLiteral("minimise"); }
    void afterSetupProgram() override { log << QStringLiteral("restore"); }
    void requestTerminate() override { log << QStringLiteral("terminate"); }
};

void writeIni(const QString& folder, const QByteArray& text) {
    QFile f(folder + QLatin1String("SERVER.INI"));
    f.open(QIODevice::WriteOnly);
    f.write(text);
}

tools::SetupRequest embeddedRequest(const QString& folder) {
    tools::SetupRequest r;
    r.folder = folder;
    return r;
}

// The log with every connection failure written as "error: connect": the message above is always
// shown whole, and what follows it (why this attempt failed) is checked where it matters.
QStringList withoutReasons(const QStringList& log) {
    QStringList out;
    for (const QString& entry : log)
        out << (entry.startsWith(QLatin1String("error: ") + kConnectError + QLatin1String("\n\n"))
                    ? QStringLiteral("error: connect")
                    : entry);
    return out;
}

QString reasonOf(const QString& entry) {
    return entry.mid(QString(QLatin1String("error: ") + kConnectError).size() + 2);
}

// The embedded database of `folder` in the layout of version 1, with one order in it.
void makeVersion1Database(const QString& folder) {
    store::ConnectParams p;
    p.folder = folder;
    p.database = QStringLiteral("Kalmorvaty");
    p.createMissing = true;
    auto backend = store::openBackend(p);
    test::createVersion1Schema(*backend, test::Engine::Sqlite);
    backend->execute(
        QStringLiteral("INSERT INTO \"Kalmorvaty\" (\"Cislo\", \"Datum\", \"Vyrizena\") VALUES (?, ?, ?)"),
        {QStringLiteral("2026/12/00001/JNO"), qint64(1796825100123), qint64(1)});
}

int versionOf(const QString& folder) {
    store::ConnectParams p;
    p.folder = folder;
    p.database = QStringLiteral("Kalmorvaty");
    return data::databaseVersion(*store::openBackend(p));
}

QString pgPort() {
    return QString::fromLatin1(qgetenv("KV_TEST_PG"))
        .section(QStringLiteral("port="), 1)
        .section(QLatin1Char(' '), 0, 0);
}

} // namespace

class TestConnection : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> dir_;
    QString folder_;

private Q_SLOTS:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        folder_ = dir_->path() + QLatin1Char('/');
        setProgramFolder(folder_);
    }
    void cleanup() { setProgramFolder(QString()); }

    void noIniAndNoSetupProgramUsesTheDefaults() {
        data::TDM dm;
        int setupRuns = 0;
        dm.runSetupProgram = [&](const QString& f) {
            ++setupRuns;
            return f == folder_ ? 0 : -1;
        };
        ScriptedUi ui;
        QVERIFY(!dm.DMCreate(ui));
        QCOMPARE(setupRuns, 1);
        QCOMPARE(withoutReasons(ui.log),
                 (QStringList{"minimise", "restore", "error: connect", "confirm: " + kRetry, "terminate"}));
        QCOMPARE(dm.userName(), QStringLiteral("SYSDBA"));
        QCOMPARE(dm.serverName(), QStringLiteral("localhost"));
        QCOMPARE(dm.databaseName(), QStringLiteral("Kalmorvaty"));
        QCOMPARE(dm.protocol(), quint8(0));
        QCOMPARE(dm.client.userName(), QStringLiteral("SYSDBA"));
        QCOMPARE(dm.transport.serverName(), QStringLiteral("localhost"));
        QCOMPARE(dm.transport.protocol(), store::Transport::Protocol::SingleUser);
        for (store::Table* t : dm.tablesInOpenOrder())
            QVERIFY(!t->isOpen());
    }

    void setupProgramPreparesTheDatabaseAndEverythingOpens() {
        data::TDM dm;
        dm.runSetupProgram = [](const QString& f) {
            return tools::prepareDatabase(embeddedRequest(f)).ok ? 0 : 1;
        };
        ScriptedUi ui;
        QVERIFY(dm.DMCreate(ui));
        QCOMPARE(ui.log, (QStringList{"minimise", "restore"}));
        for (store::Table* t : dm.tablesInOpenOrder())
            QVERIFY2(t->isOpen(), qPrintable(t->tableName()));
        QCOMPARE(dm.tabSystem.fieldByName(QStringLiteral("Std_dod_lhuta")).asInteger(), 14);
        QCOMPARE(dm.tabSystem.recordCount(), 1);
        dm.DMDestroy();
        QVERIFY(!dm.tabSystem.isOpen());
    }

    void settingsAreTakenFromServerIni_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<int>("transportProtocol");
        QTest::addColumn<QString>("password");
        QTest::newRow("PROTOKOL 7 leaves single-user") << QByteArray("[SERVER]\r\nPROTOKOL=7\r\n") << 0 << "";
        QTest::newRow("PROTOKOL 2 is IPX/SPX") << QByteArray("[SERVER]\r\nPROTOKOL=2\r\n") << 2 << "";
        QTest::newRow("HESLO decoded") << QByteArray("[SERVER]\r\nHESLO=xx636261yy\r\n") << 0 << "abc";
        QTest::newRow("corrupt file gives defaults") << QByteArray("\x00\x01garbage[[\n=", 14) << 0 << "";
    }
    void settingsAreTakenFromServerIni() {
        QFETCH(QByteArray, ini);
        QFETCH(int, transportProtocol);
        QFETCH(QString, password);
        writeIni(folder_, ini);
        data::TDM dm;
        dm.runSetupProgram = [](const QString&) -> int { throw std::logic_error("must not run"); };
        ScriptedUi ui;
        QVERIFY(!dm.DMCreate(ui)); // no database: the loop asks once and gives up
        QCOMPARE(int(dm.transport.protocol()), transportProtocol);
        QCOMPARE(dm.password(), password);
        QCOMPARE(ui.log.size(), 3);
    }

    void hesloThatIsNotHexEndsCreationBeforeConnecting() {
        writeIni(folder_, "[SERVER]\r\nHESLO=00GG00\r\n");
        data::TDM dm;
        ScriptedUi ui;
        bool thrown = false;
        try {
            dm.DMCreate(ui);
        } catch (const std::runtime_error& e) {
            thrown = QString::fromUtf8(e.what()).contains(QStringLiteral("HESLO"));
        }
        QVERIFY(thrown);
        QVERIFY(ui.log.isEmpty());
        QVERIFY(!dm.connected());
    }

    void retryConnectsOnceTheDatabaseExists() {
        writeIni(folder_, "[SERVER]\r\nPROTOKOL=0\r\n");
        data::TDM dm;
        struct RetryUi : ScriptedUi {
            QString folder;
            bool confirm(const QString& t) override {
                ScriptedUi::confirm(t);
                tools::prepareDatabase(embeddedRequest(folder)); // "the server is running now"
                return true;
            }
        } ui;
        ui.folder = folder_;
        QVERIFY(dm.DMCreate(ui));
        QCOMPARE(withoutReasons(ui.log), (QStringList{"error: connect", "confirm: " + kRetry}));
        QVERIFY(dm.tabKalmorvaty.isOpen());
    }

    void unusableDatabaseFileIsAConnectionFailure_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("not a database")
            << QByteArray("This is not a database file at all, just some text.\n").repeated(100);
        QTest::newRow("empty header of zeros") << QByteArray(4096, '\0').replace(0, 16, "SQLite format 3\0");
    }
    void unusableDatabaseFileIsAConnectionFailure() {
        QFETCH(QByteArray, content);
        QFile f(store::SqliteBackend::databasePath(folder_, QStringLiteral("Kalmorvaty")));
        f.open(QIODevice::WriteOnly);
        f.write(content);
        f.close();
        writeIni(folder_, "[SERVER]\r\n");
        data::TDM dm;
        ScriptedUi ui;
        QVERIFY(!dm.DMCreate(ui));
        QCOMPARE(withoutReasons(ui.log).value(0), QStringLiteral("error: connect"));
        f.open(QIODevice::ReadOnly);
        QCOMPARE(f.readAll(), content); // nothing was written into the user's file
    }

    // Every way the program, the set-up program and the tools open the embedded database syncs the
    // log at each commit: a commit returned survives a power loss.
    void everyEmbeddedConnectionSyncsEachCommit() {
        QVERIFY(tools::prepareDatabase(embeddedRequest(folder_)).ok);
        data::TDM dm;
        ScriptedUi ui;
        QVERIFY(dm.DMCreate(ui));
        store::ConnectParams params;
        params.folder = folder_;
        params.database = QStringLiteral("Kalmorvaty");
        const std::unique_ptr<store::Backend> tool = store::openBackend(params);
        for (store::Backend* b : {&dm.session.backend(dm.session.defaultDatabase()), tool.get()}) {
            QCOMPARE(b->query(QStringLiteral("PRAGMA synchronous"), {}, 1).value(0).value(0).toInt(), 2); // FULL
            QCOMPARE(b->query(QStringLiteral("PRAGMA journal_mode"), {}, 1).value(0).value(0).toString(),
                     QStringLiteral("wal"));
        }
    }

    void postgresConnectionKeepsTheServersDurability() {
        if (!test::postgresAvailable())
            QSKIP("KV_TEST_PG not set");
        test::TestDatabase db(test::Engine::Postgres);
        const std::unique_ptr<store::Backend> b = store::openBackend(db.params());
        QCOMPARE(b->query(QStringLiteral("SHOW synchronous_commit"), {}, 1).value(0).value(0).toString(),
                 QStringLiteral("on"));
    }

    // Columns an earlier layout made narrower than the values the windows copy into them (a
    // six-digit number, "530 02", a user's 15-character telephone, title and names of 52) are
    // widened when the database is next prepared, and their rows stay. Only PostgreSQL holds a
    // text to its column's length.
    void narrowTextColumnsAreWidenedKeepingTheirRows() {
        if (!test::postgresAvailable())
            QSKIP("KV_TEST_PG not set");
        test::TestDatabase db(test::Engine::Postgres);
        db.createSchema();
        store::Backend& b = db.admin();
        const struct {
            const char* table;
            const char* column;
            int before;
            const char* value;
        } columns[] = {
            {"System", "PosledniObj", 17, "2026/12/100000/ABC"},
            {"System", "PSC", 5, "530 02"},
            {"System", "Dod_PSC", 5, "530 02"},
            {"Kalmorvaty", "Objednal", 45, "Ing. Jan Maria Bohuslav Novák Dvořák Horák-Procházka"},
            {"Kalmorvaty", "Telefon", 14, "+420 495123456"},
            {"Kalmorvaty", "Dod_PSC", 5, "530 02"},
            {"Kalmorvaty", "Dod_Telefon", 14, "+420 777111222"},
        };
        b.execute(QStringLiteral("INSERT INTO \"Kalmorvaty\" (\"Cislo\", \"Dod_Obec\") VALUES ('2026/12/00001/JN', 'Kolín')"));
        for (const auto& c : columns)
            b.execute(QStringLiteral("ALTER TABLE \"%1\" ALTER COLUMN \"%2\" TYPE varchar(%3)")
                          .arg(QLatin1String(c.table), QLatin1String(c.column))
                          .arg(c.before));
        data::createMissing(b);
        for (const auto& c : columns) {
            const QString value = QString::fromUtf8(c.value);
            const QString table = QStringLiteral("\"%1\"").arg(QLatin1String(c.table));
            const QString column = QStringLiteral("\"%1\"").arg(QLatin1String(c.column));
            b.execute(QLatin1String("UPDATE ") + table + QLatin1String(" SET ") + column + QLatin1String(" = ?"), {value});
            QCOMPARE(b.query(QLatin1String("SELECT ") + column + QLatin1String(" FROM ") + table, {}, 1)
                         .value(0).value(0).toString(),
                     value);
        }
        QCOMPARE(b.query(QStringLiteral("SELECT \"Dod_Obec\" FROM \"Kalmorvaty\""), {}, 2).size(), 1);
    }

    // Orders stored under one number before the database kept numbers unique: the set-up program
    // names them and leaves the index out instead of failing; once mended, it makes the index.
    void numbersStoredTwiceAreNamedBySetUp() {
        QVERIFY(tools::prepareDatabase(embeddedRequest(folder_)).ok);
        store::ConnectParams params;
        params.folder = folder_;
        params.database = QStringLiteral("Kalmorvaty");
        {
            const std::unique_ptr<store::Backend> b = store::openBackend(params);
            b->execute(QStringLiteral("DROP INDEX \"ux_Kalmorvaty_Cislo\""));
            for (int i = 0; i < 2; ++i)
                b->execute(QStringLiteral("INSERT INTO \"Kalmorvaty\" (\"Cislo\") VALUES ('2026/12/00002/JNO')"));
        }
        const tools::SetupResult named = tools::prepareDatabase(embeddedRequest(folder_));
        QVERIFY(named.ok);
        QVERIFY2(named.message.endsWith(tools::duplicateNumbersText({QStringLiteral("2026/12/00002/JNO")})),
                 qPrintable(named.message));
        {
            const std::unique_ptr<store::Backend> b = store::openBackend(params);
            b->execute(QStringLiteral("UPDATE \"Kalmorvaty\" SET \"Cislo\" = '2026/12/00003/JNO' WHERE \"_id\" = "
                                      "(SELECT MAX(\"_id\") FROM \"Kalmorvaty\")"));
        }
        QVERIFY(!tools::prepareDatabase(embeddedRequest(folder_)).message.contains(QStringLiteral("Pozor")));
        const std::unique_ptr<store::Backend> b = store::openBackend(params);
        QVERIFY_THROWS_EXCEPTION(
            store::StoreError,
            b->execute(QStringLiteral("INSERT INTO \"Kalmorvaty\" (\"Cislo\") VALUES ('2026/12/00003/JNO')")));
    }

    // A folder on a network drive: the set-up program and the program refuse it, say why and what to
    // use instead, and write nothing there.
    void embeddedDatabaseOnANetworkDriveIsRefused() {
        store::setFileSystemProbe([](const QString&) { return QStringLiteral("SMB/CIFS"); });
        const QString message = store::networkDriveMessage(QStringLiteral("Kalmorvaty"), dir_->path(),
                                                           QStringLiteral("SMB/CIFS"));
        const tools::SetupResult setup = tools::prepareDatabase(embeddedRequest(folder_));
        QVERIFY(!setup.ok);
        QCOMPARE(setup.message, message);
        writeIni(folder_, "[SERVER]\r\n");
        data::TDM dm;
        dm.runSetupProgram = [](const QString&) { return 1; };
        ScriptedUi ui;
        QVERIFY(!dm.DMCreate(ui));
        store::setFileSystemProbe({});
        QVERIFY2(ui.log.join(QLatin1Char('\n')).contains(message), qPrintable(ui.log.join(QLatin1Char('\n'))));
        QVERIFY(message.contains(QStringLiteral("server PostgreSQL")));
        QCOMPARE(QDir(folder_).entryList(QDir::Files), QStringList{"SERVER.INI"});
        // This machine's own temporary folder is local.
        QCOMPARE(store::networkFileSystem(folder_), QString());
    }

    void truncatedDatabaseReportsTablesItCannotOpen() {
        QVERIFY(tools::prepareDatabase(embeddedRequest(folder_)).ok);
        const QString path = store::SqliteBackend::databasePath(folder_, QStringLiteral("Kalmorvaty"));
        QFile::remove(path + QLatin1String("-wal"));
        QFile f(path);
        QVERIFY(f.resize(4096)); // the first page survives, the tables' pages do not
        data::TDM dm;
        ScriptedUi ui;
        dm.DMCreate(ui);
        QVERIFY(!ui.log.isEmpty()); // reported, whether at connecting or per table
        QVERIFY(!dm.tabKalmorvaty.isOpen());
    }

    void missingTableIsReportedOnceAndTheOthersOpen() {
        QVERIFY(tools::prepareDatabase(embeddedRequest(folder_)).ok);
        {
            store::ConnectParams p;
            p.folder = folder_;
            p.database = QStringLiteral("Kalmorvaty");
            store::openBackend(p)->execute(QStringLiteral("DROP TABLE \"Obory\""), {});
        }
        data::TDM dm;
        ScriptedUi ui;
        QVERIFY(dm.DMCreate(ui));
        QCOMPARE(ui.log.size(), 1);
        QVERIFY(ui.log[0].startsWith(QStringLiteral("message: ")) &&
                ui.log[0].contains(QStringLiteral("Obory")));
        QVERIFY(!dm.tabObory.isOpen());
        QVERIFY(dm.tabDodavatele.isOpen());
        QVERIFY(dm.tabKalmorvaty.isOpen());
    }

    void postgresServerDownOrLoginRefused_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::newRow("nobody listens on the port")
            << QByteArray("[SERVER]\r\nPROTOKOL=1\r\nSERVER=127.0.0.1:1\r\n");
        QTest::newRow("unknown user") << QByteArray("[SERVER]\r\nPROTOKOL=1\r\nLOGIN=nikdo\r\n");
        QTest::newRow("database missing")
            << QByteArray("[SERVER]\r\nPROTOKOL=1\r\nLOGIN=postgres\r\nDATAB\xC1ZE=neni\r\n");
    }
    void postgresServerDownOrLoginRefused() {
        QFETCH(QByteArray, ini);
        if (test::postgresAvailable()) {
            const QString server = QString::fromLatin1(qgetenv("KV_TEST_PG"));
            const QString port = server.section(QStringLiteral("port="), 1).section(QLatin1Char(' '), 0, 0);
            ini.replace("LOGIN=", "SERVER=127.0.0.1:" + port.toLatin1() + "\r\nLOGIN=");
        }
        writeIni(folder_, ini);
        data::TDM dm;
        ScriptedUi ui;
        ui.answers = {true}; // retry once, then give up
        QVERIFY(!dm.DMCreate(ui));
        QCOMPARE(withoutReasons(ui.log), (QStringList{"error: connect", "confirm: " + kRetry,
                                                      "error: connect", "confirm: " + kRetry, "terminate"}));
    }

    // The message stays the one users know; the reason after it says what to look at.
    void connectionFailureTellsWhyAfterTheMessage_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QByteArray>("pgport"); // libpq's environment, empty: unset
        QTest::addColumn<QString>("reason");
        QTest::newRow("IPX/SPX is not available here")
            << QByteArray("[SERVER]\r\nPROTOKOL=2\r\n") << QByteArray() << "IPX/SPX";
        QTest::newRow("PostgreSQL host and port tried")
            << QByteArray("[SERVER]\r\nPROTOKOL=1\r\nSERVER=127.0.0.1:1\r\n") << QByteArray()
            << "127.0.0.1:1";
        QTest::newRow("port left to libpq's environment is the one named")
            << QByteArray("[SERVER]\r\nPROTOKOL=1\r\nSERVER=127.0.0.1\r\n") << QByteArray("1")
            << "127.0.0.1:1";
        QTest::newRow("embedded database file missing")
            << QByteArray("[SERVER]\r\nPROTOKOL=0\r\n") << QByteArray() << "Kalmorvaty.sqlite";
    }
    void connectionFailureTellsWhyAfterTheMessage() {
        QFETCH(QByteArray, ini);
        QFETCH(QByteArray, pgport);
        QFETCH(QString, reason);
        writeIni(folder_, ini);
        const QByteArray savedPort = qgetenv("PGPORT");
        if (!pgport.isEmpty())
            qputenv("PGPORT", pgport);
        data::TDM dm;
        ScriptedUi ui;
        const bool connected = dm.DMCreate(ui);
        if (savedPort.isEmpty())
            qunsetenv("PGPORT");
        else
            qputenv("PGPORT", savedPort);
        QVERIFY(!connected);
        QCOMPARE(withoutReasons(ui.log), (QStringList{"error: connect", "confirm: " + kRetry, "terminate"}));
        QVERIFY2(reasonOf(ui.log[0]).contains(reason), qPrintable(ui.log[0]));
    }

    // libpq takes whatever the keywords do not say from its environment variables, password file and
    // service file; so the keywords hold SERVER.INI's values and the program's own needs only.
    void connectionKeywordsLeaveTheRestToLibpq_data() {
        QTest::addColumn<QString>("server");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("keywords");
        QTest::newRow("host and port from SERVER, password given")
            << "db.firma.cz:5433" << QStringLiteral("tajné")
            << QStringLiteral("host=db.firma.cz port=5433 user=SYSDBA password=tajné dbname=Kalmorvaty");
        QTest::newRow("no port: PGPORT or the default")
            << "db.firma.cz"
            << "x"
            << "host=db.firma.cz user=SYSDBA password=x dbname=Kalmorvaty";
        QTest::newRow("empty HESLO: no password, the password file serves")
            << "db.firma.cz"
            << ""
            << "host=db.firma.cz user=SYSDBA dbname=Kalmorvaty";
    }
    void connectionKeywordsLeaveTheRestToLibpq() {
        QFETCH(QString, server);
        QFETCH(QString, password);
        QFETCH(QString, keywords);
        store::ConnectParams p;
        p.server = server;
        p.user = QStringLiteral("SYSDBA");
        p.password = password;
        p.database = QStringLiteral("Kalmorvaty");
        QStringList got;
        for (const auto& [key, value] : store::PgBackend::connectionKeywords(p))
            got << QString::fromUtf8(key + '=' + value);
        const QString own = QStringLiteral(" client_encoding=UTF8 fallback_application_name=Kalmorvaty");
        const QString timeout = qEnvironmentVariableIsEmpty("PGCONNECT_TIMEOUT")
                                    ? QStringLiteral(" connect_timeout=10")
                                    : QString();
        QCOMPARE(got.join(QLatin1Char(' ')), keywords + own + timeout);
    }

    // An administrator requires TLS with PGSSLMODE alone; the test server speaks no TLS, so the
    // connection must fail for exactly that reason, and work again without the variable.
    void libpqEnvironmentCanRequireTls() {
        if (!test::postgresAvailable()) {
            if (qEnvironmentVariable("CI") == QLatin1String("true"))
                QFAIL("KV_TEST_PG is not set in CI");
            QSKIP("KV_TEST_PG not set");
        }
        test::TestDatabase db(test::Engine::Postgres);
        db.createSchema();
        writeIni(folder_, "[SERVER]\r\nPROTOKOL=1\r\nSERVER=127.0.0.1:" + pgPort().toLatin1() +
                              "\r\nLOGIN=postgres\r\nDATAB\xC1ZE=" + db.params().database.toLatin1() +
                              "\r\n");
        qputenv("PGSSLMODE", "require");
        {
            data::TDM dm;
            ScriptedUi ui;
            QVERIFY(!dm.DMCreate(ui));
            QVERIFY2(reasonOf(ui.log.value(0)).contains(QStringLiteral("SSL")), qPrintable(ui.log.value(0)));
        }
        qunsetenv("PGSSLMODE");
        data::TDM dm;
        ScriptedUi ui;
        QVERIFY(dm.DMCreate(ui));
        QVERIFY(ui.log.isEmpty());
    }

    // SERVER.INI keeps each password character as its Windows-1250 code, so a password typed with Czech
    // letters reaches the server as typed; one that code page cannot hold is refused at set-up.
    void passwordIsStoredAsWindows1250Codes_data() {
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("stored"); // empty: the set-up program refuses the password
        QTest::newRow("plain ASCII") << "abc"
                                     << "0063626100";
        QTest::newRow("č is E8, not a carriage return") << QStringLiteral("č") << "00E800";
        QTest::newRow("Czech letters, last character first")
            << QStringLiteral("žluťoučký kůň") << "00F2F96B20FD6BE8756F9D756C9E00";
        QTest::newRow("a character Windows-1250 has not") << QStringLiteral("heslo日") << "";
    }
    void passwordIsStoredAsWindows1250Codes() {
        QFETCH(QString, password);
        QFETCH(QString, stored);
        tools::SetupRequest r = embeddedRequest(folder_);
        r.password = password;
        const tools::SetupResult result = tools::prepareDatabase(r);
        if (stored.isEmpty()) {
            QVERIFY(!result.ok);
            QVERIFY2(result.message.contains(QStringLiteral("„日“")) &&
                         result.message.contains(QStringLiteral("Windows-1250")),
                     qPrintable(result.message));
            QVERIFY(!QFile::exists(folder_ + QLatin1String("SERVER.INI")));
            return;
        }
        QVERIFY2(result.ok, qPrintable(result.message));
        const IniProfile ini(folder_ + QLatin1String("SERVER.INI"));
        QCOMPARE(ini.readString(QStringLiteral("SERVER"), QStringLiteral("HESLO")), stored);
        QCOMPARE(data::decodeHeslo(stored), std::optional(password));
        data::TDM dm;
        ScriptedUi ui;
        QVERIFY(dm.DMCreate(ui));
        QCOMPARE(dm.password(), password);
        QCOMPARE(dm.client.password(), password);
    }

    // One message naming both versions, no question, no table opened, nothing written.
    void databaseOfAnotherVersionIsRefusedWithOneMessage_data() {
        QTest::addColumn<int>("version");
        QTest::newRow("earlier layout, before the version was kept") << 1;
        QTest::newRow("a newer program's database") << 3;
    }
    void databaseOfAnotherVersionIsRefusedWithOneMessage() {
        QFETCH(int, version);
        if (version == 1) {
            makeVersion1Database(folder_);
        } else {
            QVERIFY(tools::prepareDatabase(embeddedRequest(folder_)).ok);
            store::ConnectParams p;
            p.folder = folder_;
            p.database = QStringLiteral("Kalmorvaty");
            store::openBackend(p)->execute(QStringLiteral("UPDATE \"_Verze\" SET \"Verze\" = ?"),
                                           {qint64(version)});
        }
        writeIni(folder_, "[SERVER]\r\nPROTOKOL=0\r\n");
        data::TDM dm;
        ScriptedUi ui;
        QVERIFY(!dm.DMCreate(ui));
        const QString message = data::versionMismatchMessage(QStringLiteral("Kalmorvaty"), version);
        QCOMPARE(ui.log, (QStringList{"error: " + message, "terminate"}));
        QVERIFY(message.contains(QStringLiteral("verzi %1").arg(version)) &&
                message.contains(QStringLiteral("verzí 2")));
        QCOMPARE(message.contains(QStringLiteral("--upgrade")), version == 1);
        for (store::Table* t : dm.tablesInOpenOrder())
            QVERIFY(!t->isOpen());
        QCOMPARE(versionOf(folder_), version);
    }

    // With SERVER.INI already there the set-up program works on the database it names; without
    // --upgrade it refuses an earlier version, with it the program can work on the database again.
    void setupProgramUpgradesOnlyWhenAsked() {
        makeVersion1Database(folder_);
        writeIni(folder_, "[SERVER]\r\nPROTOKOL=0\r\nLOGIN=spravce\r\n");
        auto request = [&](const QStringList& args) {
            tools::SetupRequest r = tools::requestFromFolder(folder_);
            QString error;
            [&] { QVERIFY(tools::parseBatchArguments(args, &r, &error)); }();
            return r;
        };
        const tools::SetupResult refused = tools::prepareDatabase(request({"--batch"}));
        QVERIFY(!refused.ok);
        QCOMPARE(refused.message, data::versionMismatchMessage(QStringLiteral("Kalmorvaty"), 1));
        QCOMPARE(versionOf(folder_), 1);
        const tools::SetupResult upgraded = tools::prepareDatabase(request({"--batch", "--upgrade"}));
        QVERIFY2(upgraded.ok, qPrintable(upgraded.message));
        QCOMPARE(upgraded.upgradedFrom, 1);
        QCOMPARE(versionOf(folder_), data::kSchemaVersion);
        QCOMPARE(IniProfile(folder_ + QLatin1String("SERVER.INI"))
                     .readString(QStringLiteral("SERVER"), QStringLiteral("LOGIN")),
                 QStringLiteral("spravce"));
        data::TDM dm;
        ScriptedUi ui;
        QVERIFY(dm.DMCreate(ui));
        QVERIFY(ui.log.isEmpty());
        QCOMPARE(dm.tabKalmorvaty.fieldByName(QStringLiteral("Datum")).asDateTime(),
                 QDateTime(QDate(2026, 12, 9), QTime(14, 5, 0, 123)));
        QVERIFY(dm.tabKalmorvaty.fieldByName(QStringLiteral("Vyrizena")).asBoolean());
        QVERIFY(tools::prepareDatabase(request({"--batch", "--upgrade"})).upgradedFrom ==
                0); // nothing left to do
    }

    void setupProgramRunTwiceChangesNothing() {
        QVERIFY(tools::prepareDatabase(embeddedRequest(folder_)).ok);
        {
            data::TDM dm;
            ScriptedUi ui;
            QVERIFY(dm.DMCreate(ui));
            dm.tabPlatba.insertRecord({QStringLiteral("Hotově")});
            dm.tabSystem.edit();
            dm.tabSystem.fieldByName(QStringLiteral("Std_dod_lhuta")).setAsInteger(21);
            dm.tabSystem.post();
        }
        const tools::SetupResult again = tools::prepareDatabase(embeddedRequest(folder_));
        QVERIFY(again.ok);
        QVERIFY(again.createdTables.isEmpty());
        data::TDM dm;
        ScriptedUi ui;
        QVERIFY(dm.DMCreate(ui));
        QCOMPARE(dm.tabPlatba.recordCount(), 1);
        QCOMPARE(dm.tabSystem.recordCount(), 1);
        QCOMPARE(dm.tabSystem.fieldByName(QStringLiteral("Std_dod_lhuta")).asInteger(), 21);
        const IniProfile ini(folder_ + QLatin1String("SERVER.INI"));
        QCOMPARE(ini.readString(QStringLiteral("SERVER"), QStringLiteral("DATABÁZE")),
                 QStringLiteral("Kalmorvaty"));
        QCOMPARE(ini.readInteger(QStringLiteral("SERVER"), QStringLiteral("PROTOKOL"), -1), 0);
    }

    void setupProgramPreparesPostgres() {
        if (!test::postgresAvailable()) {
            if (qEnvironmentVariable("CI") == QLatin1String("true"))
                QFAIL("KV_TEST_PG is not set in CI");
            QSKIP("KV_TEST_PG not set");
        }
        test::TestDatabase db(test::Engine::Postgres); // makes and later drops a fresh database
        tools::SetupRequest r;
        r.protocol = 1;
        r.server = db.params().server;
        r.login = db.params().user;
        r.password = QStringLiteral("tajné");
        r.database = db.params().database;
        r.folder = folder_;
        QCOMPARE(tools::prepareDatabase(r).createdTables.size(), 7);
        data::TDM dm;
        ScriptedUi ui;
        QVERIFY(dm.DMCreate(ui));
        QCOMPARE(dm.password(), QStringLiteral("tajné"));
        QCOMPARE(dm.tabSystem.fieldByName(QStringLiteral("Std_dod_lhuta")).asInteger(), 14);
        QVERIFY(tools::prepareDatabase(r).createdTables.isEmpty());
    }

    void suppliersFollowTheCurrentCategory() {
        QVERIFY(tools::prepareDatabase(embeddedRequest(folder_)).ok);
        data::TDM dm;
        ScriptedUi ui;
        QVERIFY(dm.DMCreate(ui));
        QSignalSpy filtered(&dm, &data::TDM::suppliersFiltered);
        for (const char* c : {"O'Neil", "Stavba"})
            dm.tabObory.insertRecord({QString::fromUtf8(c)});
        QCOMPARE(filtered.size(), 0); // inserting is not a move
        for (auto [name, category] :
             {std::pair{"Alfa", "Stavba"}, std::pair{"Beta", "O'Neil"}, std::pair{"Gama", "Stavba"}})
            dm.tabDodavatele.insertRecord({QString::fromUtf8(name), QString::fromUtf8(category)});
        auto suppliers = [&] {
            QStringList names;
            for (dm.tabDodavatele.first(); !dm.tabDodavatele.eof(); dm.tabDodavatele.next())
                names << dm.tabDodavatele.field(0).asString();
            return names;
        };
        dm.tabObory.first();
        QCOMPARE(dm.tabDodavatele.filter(), QStringLiteral("Obor='O''Neil'"));
        QCOMPARE(suppliers(), QStringList{QStringLiteral("Beta")});
        dm.tabObory.next();
        QCOMPARE(suppliers(), (QStringList{QStringLiteral("Alfa"), QStringLiteral("Gama")}));
        QCOMPARE(filtered.size(), 2);
        dm.tabObory.refresh(); // re-reading is not a move either
        QCOMPARE(filtered.size(), 2);
        dm.tabObory.deleteRecord();
        dm.tabObory.deleteRecord();
        QCOMPARE(dm.tabDodavatele.filter(), QStringLiteral("Obor=''"));
        QVERIFY(suppliers().isEmpty());
    }

    void batchArgumentsParse_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("protocol");
        QTest::addColumn<QString>("database");
        QTest::newRow("defaults") << QStringList{"--batch"} << true << 0 << "Kalmorvaty";
        QTest::newRow("server") << QStringList{"--batch", "--protocol", "1", "--database", "Firma"} << true
                                << 1 << "Firma";
        QTest::newRow("upgrade") << QStringList{"--batch", "--upgrade"} << true << 0 << "Kalmorvaty";
        QTest::newRow("protocol 2 refused") << QStringList{"--batch", "--protocol", "2"} << false << 0 << "";
        QTest::newRow("missing value") << QStringList{"--batch", "--server"} << false << 0 << "";
        QTest::newRow("unknown option") << QStringList{"--batch", "--force"} << false << 0 << "";
    }
    void batchArgumentsParse() {
        QFETCH(QStringList, args);
        QFETCH(bool, ok);
        QFETCH(int, protocol);
        QFETCH(QString, database);
        tools::SetupRequest r;
        QString error;
        QCOMPARE(tools::parseBatchArguments(args, &r, &error), ok);
        QCOMPARE(error.isEmpty(), ok);
        if (ok) {
            QCOMPARE(r.protocol, protocol);
            QCOMPARE(r.database, database);
            QCOMPARE(r.upgrade, args.contains(QStringLiteral("--upgrade")));
        }
    }
};

QTEST_GUILESS_MAIN(TestConnection)
#include "tst_connection.moc"
