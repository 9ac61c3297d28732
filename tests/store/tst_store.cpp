// The table store's behaviour, run once against the embedded engine and once against PostgreSQL:
// ordering, navigation, field conversion and cutting, editing, filters, locks between stations and
// between processes, and the failures a user can meet.
#include "tests/support/testdatabase.h"

#include "data/schema.h"
#include "data/store/datasource.h"
#include "data/store/storeerror.h"
#include "data/store/table.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

using namespace kv;
using kv::store::StoreError;
using kv::store::Table;

namespace {

// Runs `f` and returns the kind of StoreError it threw; fails the test when it throws nothing.
template <typename F> std::optional<StoreError::Kind> errorKind(F f, QString* message = nullptr) {
    try {
        f();
    } catch (const StoreError& e) {
        if (message)
            *message = e.message();
        return e.kind();
    }
    return std::nullopt;
}

QStringList column(Table& t, const QString& field) {
    QStringList out;
    t.first();
    while (!t.eof()) {
        out << t.fieldByName(field).asString();
        t.next();
    }
    return out;
}

} // namespace

class TestStore : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TestDatabase> db_;
    std::unique_ptr<test::TestStation> station_;

    std::unique_ptr<Table> table(const QString& name, test::TestStation* station = nullptr) {
        return (station ? station : station_.get())->openTable(name);
    }

    // 1,500 payment methods "Platba 0000".."Platba 1499": more than one read window of the cursor.
    std::unique_ptr<Table> longTable() {
        auto t = table(QStringLiteral("Platba"));
        for (int i = 0; i < 1500; ++i)
            t->insertRecord({name(i)});
        return t;
    }
    static QString name(int i) { return QStringLiteral("Platba %1").arg(i, 4, 10, QLatin1Char('0')); }

private Q_SLOTS:
    void init() {
        db_ = std::make_unique<test::TestDatabase>(test::currentEngine());
        db_->createSchema();
        station_ = std::make_unique<test::TestStation>(*db_);
    }
    void cleanup() {
        station_.reset();
        db_.reset();
    }

    void czechOrderIgnoresCaseAndKeepsStorageOrderForTies() {
        auto t = table(QStringLiteral("Obory"));
        // Stored in this order; "stavba" and "Stavba" tie, so storage order decides.
        for (const char16_t* s : {u"Zámečnictví", u"chemie", u"Čalounictví", u"stavba", u"Hutnictví", u"Cukrárny",
                                  u"Stavba", u"Řeznictví", u"Šperky", u"Rybářství", u"Železářství", u"Interiéry"})
            t->insertRecord({QString::fromUtf16(s)});
        const QStringList expected = {
            QStringLiteral("Cukrárny"), QStringLiteral("Čalounictví"), QStringLiteral("Hutnictví"),
            QStringLiteral("chemie"),   QStringLiteral("Interiéry"),   QStringLiteral("Rybářství"),
            QStringLiteral("Řeznictví"), QStringLiteral("stavba"),     QStringLiteral("Stavba"),
            QStringLiteral("Šperky"),   QStringLiteral("Zámečnictví"), QStringLiteral("Železářství")};
        QCOMPARE(column(*t, QStringLiteral("Obor")), expected);
    }

    void suppliersComeInStorageOrder() {
        auto t = table(QStringLiteral("Dodavatele"));
        t->insertRecord({QStringLiteral("Zeta s.r.o.")});
        t->insertRecord({QStringLiteral("Alfa a.s.")});
        QCOMPARE(column(*t, QStringLiteral("Nazev")), (QStringList{QStringLiteral("Zeta s.r.o."), QStringLiteral("Alfa a.s.")}));
    }

    void navigationCrossesReadWindowsBothWays() {
        auto t = longTable();
        QCOMPARE(t->recordCount(), 1500);
        t->first();
        QVERIFY(t->bof());
        int steps = 0;
        while (!t->eof()) {
            QCOMPARE(t->field(0).asString(), name(steps));
            t->next();
            ++steps;
        }
        QCOMPARE(steps, 1500);
        QCOMPARE(t->field(0).asString(), name(1499)); // eof stays on the last record
        t->last();
        int back = 1499;
        while (!t->bof()) {
            QCOMPARE(t->field(0).asString(), name(back));
            t->prior();
            --back;
        }
        QCOMPARE(back, -1);
    }

    void positionsFollowTheCursorsMovesAndJumps() {
        auto t = longTable();
        t->moveTo(1200);
        QCOMPARE(t->recNo(), 1200);
        QCOMPARE(t->field(0).asString(), name(1200));
        t->next();
        t->prior();
        t->prior();
        QCOMPARE(t->recNo(), 1199);
        t->last();
        QCOMPARE(t->recNo(), 1499);
    }

    void locatePositionCountsRecordsInsertedBefore() {
        auto t = longTable();
        QVERIFY(t->locate(QStringLiteral("Platba"), name(42)));
        QCOMPARE(t->recNo(), 42);
        t->insertRecord({QStringLiteral("Platba 0000a")});
        QVERIFY(t->locate(QStringLiteral("Platba"), name(42)));
        QCOMPARE(t->recNo(), 43);
        QVERIFY(t->locate(QStringLiteral("Platba"), QStringLiteral("Platba 0000a")));
        t->deleteRecord();
        t->moveTo(1200);
        QCOMPARE(t->field(0).asString(), name(1200));
    }

    void rowsReadsARangeCutAtTheLastRecord() {
        auto t = longTable();
        const auto rows = t->rows(1497, 10);
        QCOMPARE(rows.size(), 3);
        QCOMPARE(rows[0].values[0].toString(), name(1497));
        QCOMPARE(t->rows(5, 2)[1].values[0].toString(), name(6));
    }

    void emptyTableHasNoRecordAndEditStartsOne() {
        auto t = table(QStringLiteral("Doprava"));
        QVERIFY(t->isEmpty());
        QVERIFY(t->eof() && t->bof());
        QCOMPARE(t->recordCount(), 0);
        t->edit();
        QCOMPARE(t->state(), Table::State::Insert);
        t->fieldByName(QStringLiteral("doprava")).setAsString(QStringLiteral("Kurýr"));
        t->post();
        QCOMPARE(t->recordCount(), 1);
        QCOMPARE(t->field(0).asString(), QStringLiteral("Kurýr"));
    }

    void stringsAreCutToTheFieldSize_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("stored");
        QTest::newRow("six-character postcode into Dod_PSC(5)") << "Dod_PSC" << "123456" << "12345";
        QTest::newRow("52-character name into Objednal(45)")
            << "Objednal" << QString(52, QLatin1Char('x')) << QString(45, QLatin1Char('x'));
        QTest::newRow("Czech letters count as one character each")
            << "Dod_PSC" << QStringLiteral("ČŘŠŽÝÁ") << QStringLiteral("ČŘŠŽÝ");
        QTest::newRow("exact size is kept") << "Telefon" << "12345678901234" << "12345678901234";
    }
    void stringsAreCutToTheFieldSize() {
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(QString, stored);
        auto t = table(QStringLiteral("Kalmorvaty"));
        t->append();
        t->fieldByName(field).setAsString(value);
        t->post();
        t->refresh();
        QCOMPARE(t->fieldByName(field).asString(), stored);
    }

    void insertWithValuesUsesTheProgramsFieldOrder() {
        auto t = table(QStringLiteral("Uzivatele"));
        t->insertRecord({QStringLiteral("Ing."), QStringLiteral("Novák"), QStringLiteral("Jan"), QStringLiteral("JNO"),
                         QStringLiteral("jan@firma.cz"), QStringLiteral("nákupčí")});
        QCOMPARE(t->fieldByName(QStringLiteral("Email")).asString(), QStringLiteral("jan@firma.cz"));
        QCOMPARE(t->fieldByName(QStringLiteral("Funkce")).asString(), QStringLiteral("nákupčí"));
        QVERIFY(t->fieldByName(QStringLiteral("Telefon")).isNull()); // unlisted field stays empty
        const auto rows = db_->admin().query(QStringLiteral("SELECT \"Funkce\", \"Email\" FROM \"Uzivatele\""), {});
        QCOMPARE(rows[0][0].toString(), QStringLiteral("nákupčí"));
    }

    void fieldsConvertTypedValues() {
        auto t = table(QStringLiteral("Kalmorvaty"));
        t->append();
        t->fieldByName(QStringLiteral("Termin_Dod")).setAsString(QStringLiteral("9.12.2026"));
        t->fieldByName(QStringLiteral("Vyrizena_dne")).setAsDateTime(QDateTime(QDate(2026, 12, 9), QTime(14, 5, 7)));
        t->fieldByName(QStringLiteral("Vyrizena")).setAsBoolean(true);
        t->post();
        t->refresh();
        QCOMPARE(t->fieldByName(QStringLiteral("termin_dod")).asDateTime(), QDateTime(QDate(2026, 12, 9), QTime(0, 0)));
        QCOMPARE(t->fieldByName(QStringLiteral("Vyrizena_dne")).asString(), QStringLiteral("9.12.2026 14:05:07"));
        QCOMPARE(t->fieldByName(QStringLiteral("Vyrizena")).asString(), QStringLiteral("True"));
        QVERIFY(t->fieldByName(QStringLiteral("Datum")).isNull());
        t->edit();
        QCOMPARE(errorKind([&] { t->fieldByName(QStringLiteral("Datum")).setAsString(QStringLiteral("zítra")); }),
                 std::optional(StoreError::Kind::Value));
        QCOMPARE(errorKind([&] { t->fieldByName(QStringLiteral("Neni")); }), std::optional(StoreError::Kind::Value));
        t->cancel();
    }

    void settingsIntegerAndLogoRoundTrip() {
        auto t = table(QStringLiteral("System"));
        QCOMPARE(t->fieldByName(QStringLiteral("Std_Dod_Lhuta")).asInteger(), 14);
        const QByteArray logo("\x01\x00\x00\x01\x03\x00\x00\x00" "BMx", 11);
        t->edit();
        t->fieldByName(QStringLiteral("Logo")).setAsBytes(logo);
        t->post();
        t->refresh();
        QCOMPARE(t->fieldByName(QStringLiteral("Logo")).asBytes(), logo);
    }

    void pendingEditIsPostedBeforeMovesRefreshAndFilter() {
        auto t = table(QStringLiteral("Platba"));
        t->insertRecord({QStringLiteral("A")});
        t->insertRecord({QStringLiteral("B")});
        t->first();
        t->edit();
        t->field(0).setAsString(QStringLiteral("A1"));
        t->next();
        QCOMPARE(t->state(), Table::State::Browse);
        t->edit();
        t->field(0).setAsString(QStringLiteral("B1"));
        t->refresh();
        t->edit();
        t->field(0).setAsString(QStringLiteral("B2"));
        t->setFilter(QStringLiteral("Platba >= 'B'"));
        t->setFiltered(false);
        QCOMPARE(column(*t, QStringLiteral("Platba")), (QStringList{QStringLiteral("A1"), QStringLiteral("B2")}));
    }

    void cancelRestoresAndDeleteMovesOn() {
        auto t = table(QStringLiteral("Platba"));
        for (const char* s : {"Hotově", "Převodem", "Dobírkou"})
            t->insertRecord({QString::fromUtf8(s)});
        QVERIFY(t->locate(QStringLiteral("Platba"), QStringLiteral("Hotově")));
        t->edit();
        t->field(0).setAsString(QStringLiteral("Změněno"));
        t->cancel();
        QCOMPARE(t->field(0).asString(), QStringLiteral("Hotově"));
        t->deleteRecord();
        QCOMPARE(t->field(0).asString(), QStringLiteral("Převodem"));
        t->last();
        t->deleteRecord();
        QCOMPARE(t->field(0).asString(), QStringLiteral("Dobírkou"));
        t->deleteRecord();
        QVERIFY(t->isEmpty());
        QVERIFY(!t->locate(QStringLiteral("Platba"), QStringLiteral("Hotově")));
    }

    void refreshSeesOtherStationsAndKeepsTheCurrentRecord() {
        auto t = table(QStringLiteral("Platba"));
        t->insertRecord({QStringLiteral("B")});
        test::TestStation other(*db_);
        auto otherTable = table(QStringLiteral("Platba"), &other);
        Table& o = *otherTable;
        o.insertRecord({QStringLiteral("A")});
        t->refresh();
        QCOMPARE(t->recordCount(), 2);
        QCOMPARE(t->field(0).asString(), QStringLiteral("B"));
        o.locate(QStringLiteral("Platba"), QStringLiteral("B"));
        o.deleteRecord();
        t->refresh(); // the current record is gone: the cursor moves to what now stands there
        QCOMPARE(t->field(0).asString(), QStringLiteral("A"));
    }

    void filtersSelectRowsByTypedLiterals_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("numbers");
        QTest::newRow("open orders") << "Vyrizena='False'" << QStringList{"1", "3"};
        QTest::newRow("Boolean literal without case") << "vyrizena = 'true'" << QStringList{"2"};
        QTest::newRow("date range is midnight to midnight")
            << "(Datum >= '1.3.2026') AND (Datum <= '2.3.2026')" << QStringList{"2"};
        QTest::newRow("completion time excludes the upper day") << "Vyrizena_dne <= '5.3.2026'" << QStringList{};
        QTest::newRow("apostrophe written twice") << "Dod_firma = 'O''Neil'" << QStringList{"3"};
        QTest::newRow("string order") << "Dod_firma < 'B'" << QStringList{"1"};
    }
    void filtersSelectRowsByTypedLiterals() {
        QFETCH(QString, filter);
        QFETCH(QStringList, numbers);
        auto t = table(QStringLiteral("Kalmorvaty"));
        const QDateTime d1(QDate(2026, 2, 28), QTime(10, 0)), d2(QDate(2026, 3, 2), QTime(0, 0)),
            d3(QDate(2026, 3, 2), QTime(0, 0, 1));
        const QDateTime done(QDate(2026, 3, 5), QTime(9, 30));
        for (auto [num, date, firm, vyr] : {std::tuple{"1", d1, "Alfa", false}, std::tuple{"2", d2, "Beta", true},
                                            std::tuple{"3", d3, "O'Neil", false}}) {
            t->append();
            t->fieldByName(QStringLiteral("Cislo")).setAsString(QString::fromLatin1(num));
            t->fieldByName(QStringLiteral("Datum")).setAsDateTime(date);
            t->fieldByName(QStringLiteral("Dod_firma")).setAsString(QString::fromLatin1(firm));
            t->fieldByName(QStringLiteral("Vyrizena")).setAsBoolean(vyr);
            if (vyr)
                t->fieldByName(QStringLiteral("Vyrizena_dne")).setAsDateTime(done);
            t->post();
        }
        t->setFilter(filter);
        t->setFiltered(true);
        QCOMPARE(column(*t, QStringLiteral("Cislo")), numbers);
        QCOMPARE(t->recordCount(), numbers.size());
    }

    void badFilterRaisesAndKeepsThePreviousView_data() {
        QTest::addColumn<QString>("filter");
        QTest::newRow("unknown field") << "Neexistuje = 'x'";
        QTest::newRow("no quotes") << "Vyrizena = False";
        QTest::newRow("unterminated literal") << "Dod_firma = 'abc";
        QTest::newRow("missing parenthesis") << "(Vyrizena = 'False'";
        QTest::newRow("Boolean literal") << "Vyrizena = 'ano'";
        QTest::newRow("date literal") << "Datum >= '2026-03-01'";
        QTest::newRow("dangling AND") << "Vyrizena = 'False' AND";
        QTest::newRow("SQL pasted in") << "Cislo = '1'; DROP TABLE Kalmorvaty";
    }
    void badFilterRaisesAndKeepsThePreviousView() {
        QFETCH(QString, filter);
        auto t = table(QStringLiteral("Kalmorvaty"));
        t->insertRecord({QStringLiteral("1")});
        t->insertRecord({QStringLiteral("2")});
        t->setFilter(QStringLiteral("Cislo = '2'"));
        t->setFiltered(true);
        QString message;
        QCOMPARE(errorKind([&] { t->setFilter(filter); }, &message), std::optional(StoreError::Kind::Filter));
        QVERIFY2(message.contains(QStringLiteral("filtr")), qPrintable(message));
        QCOMPARE(t->filter(), QStringLiteral("Cislo = '2'"));
        QCOMPARE(column(*t, QStringLiteral("Cislo")), QStringList{QStringLiteral("2")});
        QCOMPARE(t->recordCount(), 2 - 1);
    }

    void dataSourceFollowsCursorStateAndFields() {
        auto t = table(QStringLiteral("Platba"));
        t->insertRecord({QStringLiteral("A")});
        t->insertRecord({QStringLiteral("B")});
        store::DataSource ds(t.get());
        QSignalSpy data(&ds, &store::DataSource::dataChanged);
        QSignalSpy state(&ds, &store::DataSource::stateChanged);
        QSignalSpy update(&ds, &store::DataSource::updateData);
        t->first();
        t->next();
        QCOMPARE(data.size(), 2);
        QCOMPARE(data.last().at(0).toInt(), -1);
        t->edit();
        t->field(0).setAsString(QStringLiteral("B2"));
        QCOMPARE(data.last().at(0).toInt(), 0);
        t->post();
        QCOMPARE(update.size(), 1);
        QCOMPARE(state.size(), 2); // browse -> edit -> browse
    }

    void lockedRecordRefusesAnotherStationUntilPostOrCancel() {
        auto t = table(QStringLiteral("Platba"));
        t->insertRecord({QStringLiteral("A")});
        test::TestStation other(*db_);
        auto otherTable = table(QStringLiteral("Platba"), &other);
        Table& o = *otherTable;
        t->edit();
        QCOMPARE(errorKind([&] { o.edit(); }), std::optional(StoreError::Kind::Locked));
        QCOMPARE(errorKind([&] { o.deleteRecord(); }), std::optional(StoreError::Kind::Locked));
        QCOMPARE(o.state(), Table::State::Browse);
        t->field(0).setAsString(QStringLiteral("A1"));
        t->post();
        o.edit(); // re-reads the record it locks
        QCOMPARE(o.field(0).asString(), QStringLiteral("A1"));
        QCOMPARE(errorKind([&] { t->edit(); }), std::optional(StoreError::Kind::Locked));
        o.cancel();
        t->edit();
        t->cancel();
    }

    void lockDiesWithItsProcessAndUnpostedChangesAreLost() {
        auto t = table(QStringLiteral("Platba"));
        t->insertRecord({QStringLiteral("Původní")});
        QProcess child;
        QStringList env = QProcess::systemEnvironment();
        const auto p = db_->params();
        env << QStringLiteral("KV_LOCK_HOLDER=1") << QStringLiteral("KV_LH_FOLDER=") + p.folder
            << QStringLiteral("KV_LH_SERVER=") + p.server << QStringLiteral("KV_LH_USER=") + p.user
            << QStringLiteral("KV_LH_DATABASE=") + p.database
            << QStringLiteral("KV_LH_PROTOCOL=%1").arg(int(p.protocol));
        child.setEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(child.waitForReadyRead(20000));
        QCOMPARE(child.readLine().trimmed(), QByteArray("editing"));
        QCOMPARE(errorKind([&] { t->edit(); }), std::optional(StoreError::Kind::Locked));
        child.kill();
        child.waitForFinished();
        // The server notices a dead session a moment later; the embedded engine at once.
        QTRY_VERIFY_WITH_TIMEOUT(!errorKind([&] { t->edit(); }), 5000);
        QCOMPARE(t->field(0).asString(), QStringLiteral("Původní"));
        t->cancel();
    }

    void missingTableFailsToOpenWithItsName() {
        db_->admin().execute(QStringLiteral("DROP TABLE \"Obory\""), {});
        Table t(station_->session, QStringLiteral("Obory"));
        t.setDefinition(data::tableDef(QStringLiteral("Obory")));
        t.setDatabaseName(db_->params().database);
        QString message;
        QCOMPARE(errorKind([&] { t.open(); }, &message), std::optional(StoreError::Kind::TableMissing));
        QVERIFY(message.contains(QStringLiteral("Obory")));
        QVERIFY(!t.isOpen());
        QCOMPARE(errorKind([&] { t.first(); }), std::optional(StoreError::Kind::State));
    }
};

// A second process for the lock tests: edits the first record of Platba, changes it without posting,
// says "editing" and waits to be killed.
static int lockHolder() {
    store::Transport transport;
    transport.setProtocol(store::ConnectParams::Protocol(qEnvironmentVariable("KV_LH_PROTOCOL").toInt()));
    transport.setServerName(qEnvironmentVariable("KV_LH_SERVER"));
    store::Client client(transport);
    client.setUserName(qEnvironmentVariable("KV_LH_USER"));
    store::Session session(QStringLiteral("Kalmorvaty"), client);
    session.setFolder(qEnvironmentVariable("KV_LH_FOLDER"));
    session.setDefaultDatabase(qEnvironmentVariable("KV_LH_DATABASE"));
    client.setActive(true);
    session.setActive(true);
    Table t(session, QStringLiteral("Platba"));
    t.setDefinition(data::tableDef(QStringLiteral("Platba")));
    t.setDatabaseName(session.defaultDatabase());
    t.open();
    t.edit();
    t.field(0).setAsString(QStringLiteral("Nedokončeno"));
    std::printf("editing\n");
    std::fflush(stdout);
    for (;;)
        QThread::sleep(1);
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (qEnvironmentVariableIsSet("KV_LOCK_HOLDER"))
        return lockHolder();
    TestStore t;
    return test::runPerEngine(t, argc, argv);
}

#include "tst_store.moc"
