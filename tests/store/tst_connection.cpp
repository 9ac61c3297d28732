// Creating the data module: SERVER.INI and its defaults, the set-up program, the connection loop with
// its two questions, opening the tables in order, and the set-up program's own work.
#include "tests/support/testdatabase.h"

#include "base/iniprofile.h"
#include "base/programfolder.h"
#include "data/connectionui.h"
#include "data/datmod.h"
#include "data/store/sqlitebackend.h"
#include "tools/initdataserver.h"

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
        QCOMPARE(ui.log, (QStringList{"minimise", "restore", "error: " + kConnectError, "confirm: " + kRetry,
                                      "terminate"}));
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
        QCOMPARE(ui.log, (QStringList{"error: " + kConnectError, "confirm: " + kRetry}));
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
        QCOMPARE(ui.log.value(0), "error: " + kConnectError);
        f.open(QIODevice::ReadOnly);
        QCOMPARE(f.readAll(), content); // nothing was written into the user's file
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
        QCOMPARE(ui.log, (QStringList{"error: " + kConnectError, "confirm: " + kRetry,
                                      "error: " + kConnectError, "confirm: " + kRetry, "terminate"}));
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
        }
    }
};

QTEST_GUILESS_MAIN(TestConnection)
#include "tst_connection.moc"
