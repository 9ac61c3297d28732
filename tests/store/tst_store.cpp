// The table store's behaviour, run once against the embedded engine and once against PostgreSQL:
// ordering, navigation, field conversion and cutting, native column types, editing, filters,
// transactions, locks between stations and between processes, a lost server session, the upgrade of
// an earlier database, and the failures a user can meet.
#include "tests/support/legacydatabase.h"
#include "tests/support/testdatabase.h"

#include "data/schema.h"
#include "data/schemaddl.h"
#include "data/schemaupgrade.h"
#include "data/schemaversion.h"
#include "data/store/collationkey.h"
#include "data/store/datasource.h"
#include "data/store/storeerror.h"
#include "data/store/table.h"

#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
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

// libpq keywords of KV_TEST_PG ("host=127.0.0.1 port=5432 user=postgres dbname=postgres").
QString pgSetting(const QString& key) {
    for (const QString& part : QString::fromLocal8Bit(qgetenv("KV_TEST_PG")).split(QLatin1Char(' ')))
        if (part.startsWith(key + QLatin1Char('=')))
            return part.mid(key.size() + 1);
    return {};
}

// Runs the engine's own shell on the test database and returns its output lines, or fails the test.
QStringList shellLines(const test::TestDatabase& db, const QString& sql) {
    QProcess shell;
    if (db.engine() == test::Engine::Sqlite) {
        shell.start(QStringLiteral("sqlite3"),
                    {QStringLiteral("-batch"), QStringLiteral("-noheader"), QStringLiteral("-separator"),
                     QStringLiteral("|"), db.folder() + db.params().database + QLatin1String(".sqlite"),
                     sql});
    } else {
        shell.start(QStringLiteral("psql"),
                    {QStringLiteral("-X"), QStringLiteral("-A"), QStringLiteral("-t"), QStringLiteral("-F"),
                     QStringLiteral("|"), QStringLiteral("-h"), pgSetting(QStringLiteral("host")),
                     QStringLiteral("-p"), pgSetting(QStringLiteral("port")), QStringLiteral("-U"),
                     pgSetting(QStringLiteral("user")), QStringLiteral("-d"), db.params().database,
                     QStringLiteral("-c"), sql});
    }
    if (!shell.waitForFinished(20000) || shell.exitCode() != 0)
        return {QStringLiteral("shell failed: ") + QString::fromUtf8(shell.readAllStandardError())};
    return QString::fromUtf8(shell.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// Runs a statement in the engine's own shell; false when the shell refused it.
bool shellRan(const test::TestDatabase& db, const QString& sql) {
    const QStringList lines = shellLines(db, sql);
    return lines.isEmpty() || !lines[0].startsWith(QLatin1String("shell failed"));
}

QDateTime at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s, ms));
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
        for (const char16_t* s :
             {u"Zámečnictví", u"chemie", u"Čalounictví", u"stavba", u"Hutnictví", u"Cukrárny", u"Stavba",
              u"Řeznictví", u"Šperky", u"Rybářství", u"Železářství", u"Interiéry"})
            t->insertRecord({QString::fromUtf16(s)});
        const QStringList expected = {
            QStringLiteral("Cukrárny"),  QStringLiteral("Čalounictví"), QStringLiteral("Hutnictví"),
            QStringLiteral("chemie"),    QStringLiteral("Interiéry"),   QStringLiteral("Rybářství"),
            QStringLiteral("Řeznictví"), QStringLiteral("stavba"),      QStringLiteral("Stavba"),
            QStringLiteral("Šperky"),    QStringLiteral("Zámečnictví"), QStringLiteral("Železářství")};
        QCOMPARE(column(*t, QStringLiteral("Obor")), expected);
    }

    void suppliersComeInStorageOrder() {
        auto t = table(QStringLiteral("Dodavatele"));
        t->insertRecord({QStringLiteral("Zeta s.r.o.")});
        t->insertRecord({QStringLiteral("Alfa a.s.")});
        QCOMPARE(column(*t, QStringLiteral("Nazev")),
                 (QStringList{QStringLiteral("Zeta s.r.o."), QStringLiteral("Alfa a.s.")}));
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
        QTest::newRow("seven-character postcode into Dod_PSC(6)") << "Dod_PSC"
                                                                  << "530 021"
                                                                  << "530 02";
        QTest::newRow("60-character name into Objednal(52)")
            << "Objednal" << QString(60, QLatin1Char('x')) << QString(52, QLatin1Char('x'));
        QTest::newRow("Czech letters count as one character each")
            << "Dod_PSC" << QStringLiteral("ČŘŠŽÝÁÍ") << QStringLiteral("ČŘŠŽÝÁ");
        QTest::newRow("exact size is kept") << "Telefon"
                                            << "123456789012345"
                                            << "123456789012345";
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
        t->insertRecord({QStringLiteral("Ing."), QStringLiteral("Novák"), QStringLiteral("Jan"),
                         QStringLiteral("JNO"), QStringLiteral("jan@firma.cz"), QStringLiteral("nákupčí")});
        QCOMPARE(t->fieldByName(QStringLiteral("Email")).asString(), QStringLiteral("jan@firma.cz"));
        QCOMPARE(t->fieldByName(QStringLiteral("Funkce")).asString(), QStringLiteral("nákupčí"));
        QVERIFY(t->fieldByName(QStringLiteral("Telefon")).isNull()); // unlisted field stays empty
        const auto rows =
            db_->admin().query(QStringLiteral("SELECT \"Funkce\", \"Email\" FROM \"Uzivatele\""), {});
        QCOMPARE(rows[0][0].toString(), QStringLiteral("nákupčí"));
    }

    void fieldsConvertTypedValues() {
        auto t = table(QStringLiteral("Kalmorvaty"));
        t->append();
        t->fieldByName(QStringLiteral("Termin_Dod")).setAsString(QStringLiteral("9.12.2026"));
        t->fieldByName(QStringLiteral("Vyrizena_dne"))
            .setAsDateTime(QDateTime(QDate(2026, 12, 9), QTime(14, 5, 7)));
        t->fieldByName(QStringLiteral("Vyrizena")).setAsBoolean(true);
        t->post();
        t->refresh();
        QCOMPARE(t->fieldByName(QStringLiteral("termin_dod")).asDateTime(),
                 QDateTime(QDate(2026, 12, 9), QTime(0, 0)));
        QCOMPARE(t->fieldByName(QStringLiteral("Vyrizena_dne")).asString(),
                 QStringLiteral("9.12.2026 14:05:07"));
        QCOMPARE(t->fieldByName(QStringLiteral("Vyrizena")).asString(), QStringLiteral("True"));
        QVERIFY(t->fieldByName(QStringLiteral("Datum")).isNull());
        t->edit();
        QCOMPARE(
            errorKind([&] { t->fieldByName(QStringLiteral("Datum")).setAsString(QStringLiteral("zítra")); }),
            std::optional(StoreError::Kind::Value));
        QCOMPARE(errorKind([&] { t->fieldByName(QStringLiteral("Neni")); }),
                 std::optional(StoreError::Kind::Value));
        t->cancel();
    }

    void settingsIntegerAndLogoRoundTrip() {
        auto t = table(QStringLiteral("System"));
        QCOMPARE(t->fieldByName(QStringLiteral("Std_Dod_Lhuta")).asInteger(), 14);
        const QByteArray logo("\x01\x00\x00\x01\x03\x00\x00\x00"
                              "BMx",
                              11);
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
        QCOMPARE(column(*t, QStringLiteral("Platba")),
                 (QStringList{QStringLiteral("A1"), QStringLiteral("B2")}));
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

    // Orders written with plain SQL, without the sort key only the program fills, by a second
    // connection or by the engine's own shell, before the table opens or while it is open: once the
    // table opens, refreshes or rebuilds its view they are walked both ways, counted, located, read in
    // the grid's window and ordered in Czech among the program's own orders.
    void rowsWrittenByOtherToolsTakeTheirPlaceInTheIndex_data() {
        QTest::addColumn<QString>("when");
        QTest::addColumn<bool>("shell");
        QTest::newRow("second connection, before the table opens") << "open" << false;
        QTest::newRow("second connection, while open, then refresh") << "refresh" << false;
        QTest::newRow("second connection, while open, then the filter switched") << "filter" << false;
        QTest::newRow("engine's shell, before the table opens") << "open" << true;
        QTest::newRow("engine's shell, while open, then refresh") << "refresh" << true;
    }
    void rowsWrittenByOtherToolsTakeTheirPlaceInTheIndex() {
        QFETCH(QString, when);
        QFETCH(bool, shell);
        auto t = table(QStringLiteral("Kalmorvaty"));
        for (const char16_t* s : {u"hrad", u"Cibulka", u"Dvořák"})
            t->insertRecord({QString::fromUtf16(s)});
        if (when == QLatin1String("open"))
            t->close();
        else
            QVERIFY(t->locate(QStringLiteral("Cislo"), QStringLiteral("Dvořák")));
        for (const char16_t* s : {u"chata", u"Čáp"}) {
            const QString insert = QStringLiteral("INSERT INTO \"Kalmorvaty\" (\"Cislo\") VALUES ('%1')")
                                       .arg(QString::fromUtf16(s));
            if (shell)
                QVERIFY(shellRan(*db_, insert));
            else
                db_->admin().execute(insert);
        }
        if (when == QLatin1String("open")) {
            t->open();
        } else if (when == QLatin1String("refresh")) {
            t->refresh();
            QCOMPARE(t->field(0).asString(), QStringLiteral("Dvořák")); // the cursor stays where it was
            t->first();
        } else {
            t->setFiltered(true);
        }
        const QStringList expected{QStringLiteral("Cibulka"), QStringLiteral("Čáp"), QStringLiteral("Dvořák"),
                                   QStringLiteral("hrad"), QStringLiteral("chata")};
        QCOMPARE(t->recordCount(), 5);
        QCOMPARE(column(*t, QStringLiteral("Cislo")), expected);
        QStringList backwards;
        for (t->last(); !t->bof(); t->prior())
            backwards.prepend(t->field(0).asString());
        QCOMPARE(backwards, expected);
        QStringList window;
        for (const store::Record& r : t->rows(0, 10))
            window << r.values[0].toString();
        QCOMPARE(window, expected);
        for (int i = 0; i < expected.size(); ++i) {
            QVERIFY2(t->locate(QStringLiteral("Cislo"), expected[i]), qPrintable(expected[i]));
            QCOMPARE(t->recNo(), i);
        }
        t->moveTo(4);
        QCOMPARE(t->field(0).asString(), QStringLiteral("chata"));
        t->prior();
        QCOMPARE(t->field(0).asString(), QStringLiteral("hrad"));
        // Another station, opening the table now, finds the keys already in place.
        test::TestStation other(*db_);
        QCOMPARE(column(*table(QStringLiteral("Kalmorvaty"), &other), QStringLiteral("Cislo")), expected);
    }

    // A key field changed with plain SQL leaves its sort key behind; the table's trigger drops it, so the
    // next refresh gives the row the key of its new value. A change of case alone, made by the program,
    // keeps the row's key (it sorts where it did) and the row stays in the walk.
    void keyFieldChangedByOtherToolsGetsItsKeyAnew() {
        auto t = table(QStringLiteral("Kalmorvaty"));
        for (const char16_t* s : {u"hrad", u"Cibulka", u"Dvořák"})
            t->insertRecord({QString::fromUtf16(s)});
        db_->admin().execute(
            QStringLiteral("UPDATE \"Kalmorvaty\" SET \"Cislo\" = ? WHERE \"Cislo\" = 'Cibulka'"),
            {QStringLiteral("Žába")});
        QVERIFY(shellRan(*db_, QStringLiteral("UPDATE \"Kalmorvaty\" SET \"Cislo\" = 'chata', \"Text\" = 'x' "
                                              "WHERE \"Cislo\" = 'Dvořák'")));
        t->refresh();
        QCOMPARE(column(*t, QStringLiteral("Cislo")),
                 (QStringList{QStringLiteral("hrad"), QStringLiteral("chata"), QStringLiteral("Žába")}));
        QVERIFY(t->locate(QStringLiteral("Cislo"), QStringLiteral("Žába")));
        QCOMPARE(t->recNo(), 2);
        QVERIFY(t->locate(QStringLiteral("Cislo"), QStringLiteral("hrad")));
        t->edit();
        t->field(0).setAsString(QStringLiteral("Hrad"));
        t->post();
        t->next();
        t->prior();
        QCOMPARE(t->field(0).asString(), QStringLiteral("Hrad"));
        QVERIFY(t->locate(QStringLiteral("Cislo"), QStringLiteral("Hrad")));
        QCOMPARE(column(*t, QStringLiteral("Cislo")),
                 (QStringList{QStringLiteral("Hrad"), QStringLiteral("chata"), QStringLiteral("Žába")}));
        // A tool that writes the key itself is trusted with it.
        db_->admin().execute(QStringLiteral("UPDATE \"Kalmorvaty\" SET \"Cislo\" = ?, \"_k_Cislo\" = ? "
                                            "WHERE \"Cislo\" = 'chata'"),
                             {QStringLiteral("Adam"), store::collationKey(QStringLiteral("Adam"))});
        t->refresh();
        QCOMPARE(column(*t, QStringLiteral("Cislo")),
                 (QStringList{QStringLiteral("Adam"), QStringLiteral("Hrad"), QStringLiteral("Žába")}));
    }

    // The set-up program run again over a database made before the triggers adds them.
    void setupRunAgainAddsTheSortKeyTriggers() {
        const bool pg = db_->engine() == test::Engine::Postgres;
        const QString triggers =
            pg ? QStringLiteral("SELECT COUNT(*) FROM pg_trigger WHERE NOT tgisinternal")
               : QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE type = 'trigger'");
        const qint64 made = db_->admin().query(triggers, {})[0][0].toLongLong();
        QCOMPARE(made, 6); // one for each of the six tables with a sort key
        for (auto [table, trigger] :
             {std::pair{"Kalmorvaty", "kv_k_Kalmorvaty_Cislo"}, std::pair{"Obory", "kv_k_Obory_Nazev"}})
            db_->admin().execute(QStringLiteral("DROP TRIGGER \"%1\"").arg(QLatin1String(trigger)) +
                                 (pg ? QStringLiteral(" ON \"%1\"").arg(QLatin1String(table)) : QString()));
        QCOMPARE(db_->admin().query(triggers, {})[0][0].toLongLong(), made - 2);
        data::createMissing(db_->admin());
        QCOMPARE(db_->admin().query(triggers, {})[0][0].toLongLong(), made);
        data::createMissing(db_->admin()); // and a second run changes nothing
        QCOMPARE(db_->admin().query(triggers, {})[0][0].toLongLong(), made);
        auto t = table(QStringLiteral("Obory"));
        t->insertRecord({QStringLiteral("Cukrárny")});
        t->insertRecord({QStringLiteral("Hutnictví")});
        db_->admin().execute(
            QStringLiteral("UPDATE \"Obory\" SET \"Obor\" = 'chemie' WHERE \"Obor\" = 'Cukrárny'"));
        t->refresh();
        QCOMPARE(column(*t, QStringLiteral("Obor")),
                 (QStringList{QStringLiteral("Hutnictví"), QStringLiteral("chemie")}));
    }

    void filtersSelectRowsByTypedLiterals_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("numbers");
        QTest::newRow("open orders") << "Vyrizena='False'" << QStringList{"1", "3", "4"};
        QTest::newRow("Boolean literal without case") << "vyrizena = 'true'" << QStringList{"2"};
        // 4 is issued at 23:59:59.999 on 1.3., 2 at midnight of 2.3., 3 one second later.
        QTest::newRow("date range is midnight to midnight")
            << "(Datum >= '1.3.2026') AND (Datum <= '2.3.2026')" << QStringList{"2", "4"};
        QTest::newRow("last millisecond of a day is before the next midnight")
            << "Datum < '2.3.2026'" << QStringList{"1", "4"};
        QTest::newRow("completion time excludes the upper day")
            << "Vyrizena_dne <= '5.3.2026'" << QStringList{};
        QTest::newRow("apostrophe written twice") << "Dod_firma = 'O''Neil'" << QStringList{"3"};
        QTest::newRow("string order") << "Dod_firma < 'B'" << QStringList{"1"};
    }
    void filtersSelectRowsByTypedLiterals() {
        QFETCH(QString, filter);
        QFETCH(QStringList, numbers);
        auto t = table(QStringLiteral("Kalmorvaty"));
        const QDateTime d1(QDate(2026, 2, 28), QTime(10, 0)), d2(QDate(2026, 3, 2), QTime(0, 0)),
            d3(QDate(2026, 3, 2), QTime(0, 0, 1));
        const QDateTime d4 = at(2026, 3, 1, 23, 59, 59, 999);
        const QDateTime done(QDate(2026, 3, 5), QTime(9, 30));
        for (auto [num, date, firm, vyr] :
             {std::tuple{"1", d1, "Alfa", false}, std::tuple{"2", d2, "Beta", true},
              std::tuple{"3", d3, "O'Neil", false}, std::tuple{"4", d4, "Delta", false}}) {
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

    // Setting the same text or the same switch again re-reads the view and moves into it.
    void settingTheSameFilterAgainReappliesTheView() {
        auto t = table(QStringLiteral("Platba"));
        for (const char* s : {"A", "B", "C"})
            t->insertRecord({QString::fromLatin1(s)});
        t->setFilter(QStringLiteral("Platba >= 'B'"));
        t->setFiltered(true);
        t->last();
        QSignalSpy scrolled(t.get(), &Table::afterScroll);
        t->setFilter(QStringLiteral("Platba >= 'B'"));
        QCOMPARE(t->field(0).asString(), QStringLiteral("B"));
        QCOMPARE(scrolled.size(), 1);
        test::TestStation other(*db_);
        table(QStringLiteral("Platba"), &other)->insertRecord({QStringLiteral("Bb")});
        t->last();
        t->setFiltered(true);
        QCOMPARE(t->field(0).asString(), QStringLiteral("B"));
        QCOMPARE(scrolled.size(), 3);
        QCOMPARE(t->recordCount(), 3); // B, Bb, C: the other station's row is in the re-read view
    }

    // What a plain SQL tool finds: the engine's own types, with the declared lengths.
    void columnsHaveTheEnginesNativeTypes_data() {
        QTest::addColumn<QString>("tableName");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("sqliteType");
        QTest::addColumn<QString>("postgresType");
        QTest::newRow("date-time") << "Kalmorvaty"
                                   << "Datum"
                                   << "TIMESTAMP"
                                   << "timestamp without time zone";
        QTest::newRow("Boolean") << "Kalmorvaty"
                                 << "Vyrizena"
                                 << "BOOLEAN"
                                 << "boolean";
        QTest::newRow("string with its size") << "Kalmorvaty"
                                              << "Dod_PSC"
                                              << "VARCHAR(6)"
                                              << "character varying(6)";
        QTest::newRow("memo") << "Kalmorvaty"
                              << "Text"
                              << "TEXT"
                              << "text";
        QTest::newRow("integer") << "System"
                                 << "Std_dod_lhuta"
                                 << "INTEGER"
                                 << "integer";
        QTest::newRow("picture") << "System"
                                 << "Logo"
                                 << "BLOB"
                                 << "bytea";
        QTest::newRow("hidden sort key stays binary") << "Platba"
                                                      << "_k_Platba"
                                                      << "BLOB"
                                                      << "bytea";
    }
    void columnsHaveTheEnginesNativeTypes() {
        QFETCH(QString, tableName);
        QFETCH(QString, field);
        QFETCH(QString, sqliteType);
        QFETCH(QString, postgresType);
        const bool pg = db_->engine() == test::Engine::Postgres;
        const QString sql = pg ? QStringLiteral("SELECT format_type(atttypid, atttypmod) FROM pg_attribute "
                                                "WHERE attrelid = CAST(? AS regclass) AND attname = ?")
                               : QStringLiteral("SELECT type FROM pragma_table_info(?) WHERE name = ?");
        const auto rows = db_->admin().query(
            sql, {pg ? QLatin1Char('"') + tableName + QLatin1Char('"') : tableName, field});
        QCOMPARE(rows.value(0).value(0).toString(), pg ? postgresType : sqliteType);
    }

    // Every type written through fields, seen in native form by plain SQL and read back unchanged:
    // milliseconds survive, a date before 1970 stays on its day, an empty date stays NULL.
    void everyTypeRoundTripsThroughItsNativeForm() {
        auto t = table(QStringLiteral("Kalmorvaty"));
        const QDateTime issued = at(2026, 12, 9, 14, 5, 0, 123), due = at(1969, 12, 31, 23, 59, 59, 999);
        const QString text = QStringLiteral("Řádek 1\r\nŘádek 2");
        t->append();
        t->fieldByName(QStringLiteral("Cislo")).setAsString(QStringLiteral("2026/12/00042/JNO"));
        t->fieldByName(QStringLiteral("Datum")).setAsDateTime(issued);
        t->fieldByName(QStringLiteral("Termin_dod")).setAsDateTime(due);
        t->fieldByName(QStringLiteral("Vyrizena")).setAsBoolean(true);
        t->fieldByName(QStringLiteral("Text")).setAsString(text);
        t->post();
        const auto found = db_->admin().query(
            QStringLiteral(
                "SELECT COUNT(*) FROM \"Kalmorvaty\" WHERE \"Datum\" = '2026-12-09 14:05:00.123' AND "
                "\"Termin_dod\" = '1969-12-31 23:59:59.999' AND \"Vyrizena\" = TRUE AND "
                "\"Stornovana\" = FALSE AND \"Vyrizena_dne\" IS NULL AND \"Text\" = ?"),
            {text});
        QCOMPARE(found[0][0].toLongLong(), 1);
        t->refresh();
        QCOMPARE(t->fieldByName(QStringLiteral("Datum")).asDateTime(), issued);
        QCOMPARE(t->fieldByName(QStringLiteral("Termin_dod")).asDateTime(), due);
        QCOMPARE(t->fieldByName(QStringLiteral("Datum")).asString(), QStringLiteral("9.12.2026 14:05:00"));
        QVERIFY(t->fieldByName(QStringLiteral("Vyrizena")).asBoolean());
        QVERIFY(!t->fieldByName(QStringLiteral("Stornovana")).asBoolean());
        QVERIFY(t->fieldByName(QStringLiteral("Vyrizena_dne")).isNull());
        QCOMPARE(t->fieldByName(QStringLiteral("Text")).asString(), text);
        QVERIFY(t->locate(QStringLiteral("Datum"), issued));
        // What plain SQL could write wrongly is refused by the columns themselves: a flag other than true
        // and false, a date that is none, and on SQLite a date-time not in the one form that sorts right.
        QStringList refused{QStringLiteral("\"Vyrizena\" = 2"), QStringLiteral("\"Datum\" = 'zítra'")};
        if (db_->engine() == test::Engine::Sqlite)
            refused << QStringLiteral("\"Datum\" = '2026-12-09'");
        for (const QString& set : refused)
            QVERIFY2(errorKind([&] {
                         db_->admin().execute(QStringLiteral("UPDATE \"Kalmorvaty\" SET ") + set);
                     }) == StoreError::Kind::Engine,
                     qPrintable(set));
    }

    // The query an administrator would write, with the mixed-case names quoted and no conversion:
    // orders issued in December 2026 that are still open, in the engine's own shell.
    void plainSqlQueryReadsDatesAndFlagsInTheEnginesShell() {
        auto t = table(QStringLiteral("Kalmorvaty"));
        for (auto [num, issued, done] :
             {std::tuple{"2026/12/00001/JNO", at(2026, 12, 9, 14, 5), false},
              std::tuple{"2026/12/00002/JNO", at(2026, 12, 10), true},
              std::tuple{"2026/11/00001/JNO", at(2026, 11, 30, 23, 59, 59, 999), false},
              std::tuple{"2027/01/00001/JNO", at(2027, 1, 1), false}}) {
            t->append();
            t->fieldByName(QStringLiteral("Cislo")).setAsString(QString::fromLatin1(num));
            t->fieldByName(QStringLiteral("Datum")).setAsDateTime(issued);
            t->fieldByName(QStringLiteral("Vyrizena")).setAsBoolean(done);
            t->post();
        }
        const QString query = QStringLiteral(
            "SELECT \"Cislo\", \"Datum\", \"Vyrizena\" FROM \"Kalmorvaty\" WHERE \"Datum\" >= '2026-12-01' "
            "AND \"Datum\" < '2027-01-01' AND \"Vyrizena\" = FALSE ORDER BY \"Datum\"");
        const bool pg = db_->engine() == test::Engine::Postgres;
        QCOMPARE(shellLines(*db_, query),
                 QStringList{pg ? QStringLiteral("2026/12/00001/JNO|2026-12-09 14:05:00|f")
                                : QStringLiteral("2026/12/00001/JNO|2026-12-09 14:05:00.000|0")});
        // The shell's own date functions read the stored form.
        const QString month =
            pg ? QStringLiteral("SELECT DISTINCT date_trunc('month', \"Datum\")::date FROM \"Kalmorvaty\" "
                                "WHERE \"Cislo\" LIKE '2026/11/%'")
               : QStringLiteral("SELECT DISTINCT date(\"Datum\", 'start of month') FROM \"Kalmorvaty\" "
                                "WHERE \"Cislo\" LIKE '2026/11/%'");
        QCOMPARE(shellLines(*db_, month), QStringList{QStringLiteral("2026-11-01")});
    }

    // A rollback inside a transaction dooms the whole of it: the outer commit fails clearly and
    // keeps nothing, where committing would have kept the half written before the inner part.
    void innerRollbackMakesTheOuterCommitFailAndKeepsNothing() {
        auto t = table(QStringLiteral("Platba"));
        store::Backend& backend = station_->session.backend(db_->params().database);
        {
            store::Transaction outer(backend);
            t->insertRecord({QStringLiteral("A")});
            {
                store::Transaction inner(backend);
                t->insertRecord({QStringLiteral("B")});
            }
            QVERIFY(backend.rollbackOnly());
            QString message;
            QCOMPARE(errorKind([&] { outer.commit(); }, &message), std::optional(StoreError::Kind::State));
            QVERIFY2(message.contains(QStringLiteral("nebylo uloženo nic")), qPrintable(message));
        }
        QCOMPARE(backend.transactionDepth(), 0);
        t->refresh();
        QVERIFY(t->isEmpty());
        t->insertRecord({QStringLiteral("C")}); // the connection goes on working
        QCOMPARE(db_->admin().query(QStringLiteral("SELECT COUNT(*) FROM \"Platba\""), {})[0][0].toLongLong(),
                 1);
        QCOMPARE(errorKind([&] { backend.commit(); }), std::optional(StoreError::Kind::State));
    }

    void engineErrorsCarryTheEnginesOwnCode() {
        try {
            db_->admin().query(QStringLiteral("SELECT * FROM \"Neni\""), {});
            QFAIL("no error");
        } catch (const StoreError& e) {
            QCOMPARE(e.kind(), StoreError::Kind::Engine);
            QVERIFY(e.connectionUsable());
            QCOMPARE(e.statement(), QStringLiteral("SELECT * FROM \"Neni\""));
            if (db_->engine() == test::Engine::Postgres) {
                QCOMPARE(e.sqlState(), QStringLiteral("42P01")); // undefined_table, as the server names it
                QVERIFY(QByteArray(e.what()).contains("[SQLSTATE 42P01]"));
            } else {
                QCOMPARE(e.engineCode(), 1); // SQLITE_ERROR
                QVERIFY(e.sqlState().isEmpty());
            }
        }
    }

    // The server ends station A's session while A edits: A's record lock is gone with it, and B
    // changes the record meanwhile. A must never post without its lock, not on the first attempt and
    // not after a silent reconnect; A keeps what it typed, and only after cancelling works again.
    void lostSessionNeverPostsWithoutItsLock() {
        if (db_->engine() != test::Engine::Postgres)
            QSKIP("only a server session can be lost");
        auto a = table(QStringLiteral("Platba"));
        a->insertRecord({QStringLiteral("Původní")});
        store::Backend& aBackend = station_->session.backend(db_->params().database);
        const qint64 pid = aBackend.query(QStringLiteral("SELECT pg_backend_pid()"), {})[0][0].toLongLong();
        a->edit();
        a->field(0).setAsString(QStringLiteral("Od stanice A"));
        db_->admin().query(QStringLiteral("SELECT pg_terminate_backend(CAST(? AS integer))"), {pid});
        QTRY_COMPARE_WITH_TIMEOUT(
            db_->admin()
                .query(QStringLiteral("SELECT COUNT(*) FROM pg_stat_activity WHERE pid = "
                                      "CAST(? AS integer)"),
                       {pid})[0][0]
                .toLongLong(),
            qint64(0), 5000);
        test::TestStation stationB(*db_);
        auto b = table(QStringLiteral("Platba"), &stationB);
        b->edit();
        b->field(0).setAsString(QStringLiteral("Od stanice B"));
        b->post();
        for (int attempt = 1; attempt <= 2; ++attempt) {
            QCOMPARE(errorKind([&] { a->post(); }), std::optional(StoreError::Kind::Connection));
            QCOMPARE(a->state(), Table::State::Edit);
            QCOMPARE(a->field(0).asString(), QStringLiteral("Od stanice A"));
        }
        // Nothing else on A's connection renews the session behind the editing table's back.
        QCOMPARE(errorKind([&] { aBackend.query(QStringLiteral("SELECT 1"), {}); }),
                 std::optional(StoreError::Kind::Connection));
        QCOMPARE(db_->admin().query(QStringLiteral("SELECT \"Platba\" FROM \"Platba\""), {})[0][0].toString(),
                 QStringLiteral("Od stanice B"));
        a->cancel();
        a->refresh(); // a clean point: the session is renewed
        QCOMPARE(a->field(0).asString(), QStringLiteral("Od stanice B"));
        a->edit(); // and a new edit takes the lock again
        QCOMPARE(errorKind([&] { b->edit(); }), std::optional(StoreError::Kind::Locked));
        a->cancel();
    }

    // A database written by the layout before native types (made here with that layout's DDL and
    // rows) is rebuilt in place: every row keeps its storage key, its sort keys and every value.
    void upgradeFromVersion1KeepsEveryRowAndValue() {
        test::TestDatabase old(db_->engine());
        store::Backend& admin = old.admin();
        test::createVersion1Schema(admin, old.engine());
        const QByteArray logo("\x01\x00\x00\x01\x03\x00\x00\x00"
                              "BM\x00\xff",
                              12);
        admin.execute(
            QStringLiteral("UPDATE \"System\" SET \"Firma\" = ?, \"Logo\" = ?, \"Std_dod_lhuta\" = ?"),
            {QStringLiteral("Žluťoučký kůň s.r.o."), logo, qint64(21)});
        const QString insert =
            QStringLiteral("INSERT INTO \"Kalmorvaty\" (\"_id\", \"Cislo\", \"Datum\", \"Termin_dod\", "
                           "\"Vyrizena\", \"Stornovana\", "
                           "\"Text\", \"Vyrizena_dne\", \"_k_Cislo\") VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)");
        // 9.12.2026 14:05:00.123, 31.12.1969 23:59:59.999 (one millisecond before 1970), 10.12.2026 8:00.
        admin.execute(insert,
                      {qint64(7), QStringLiteral("2026/12/00042/JNO"), qint64(1796825100123), qint64(-1),
                       qint64(1), qint64(1), QStringLiteral("Řádek\r\nDalší"), qint64(1796889600000),
                       store::collationKey(QStringLiteral("2026/12/00042/JNO"))});
        admin.execute(insert, {qint64(3), QStringLiteral("2026/12/00041/ABC"), qint64(1796774400000),
                               QVariant(), qint64(0), qint64(0), QString(), QVariant(),
                               store::collationKey(QStringLiteral("2026/12/00041/ABC"))});
        for (const char16_t* p : {u"Převodem", u"Hotově", u"čekem"})
            admin.execute(QStringLiteral("INSERT INTO \"Platba\" (\"Platba\", \"_k_Platba\") VALUES (?, ?)"),
                          {QString::fromUtf16(p), store::collationKey(QString::fromUtf16(p))});
        QCOMPARE(data::databaseVersion(admin), 1);

        const data::UpgradeReport report = data::upgradeDatabase(admin);
        QCOMPARE(report.from, 1);
        QCOMPARE(report.to, data::kSchemaVersion);
        QCOMPARE(report.tables.size(), 7);
        QCOMPARE(data::databaseVersion(admin), data::kSchemaVersion);

        test::TestStation station(old);
        auto orders = station.openTable(QStringLiteral("Kalmorvaty"));
        QCOMPARE(orders->recordCount(), 2);
        QCOMPARE(orders->field(0).asString(), QStringLiteral("2026/12/00041/ABC")); // Cislo order kept
        QCOMPARE(orders->rowId(), qint64(3));
        QVERIFY(orders->fieldByName(QStringLiteral("Termin_dod")).isNull());
        QVERIFY(!orders->fieldByName(QStringLiteral("Vyrizena")).asBoolean());
        orders->next();
        QCOMPARE(orders->rowId(), qint64(7));
        QCOMPARE(orders->fieldByName(QStringLiteral("Datum")).asDateTime(), at(2026, 12, 9, 14, 5, 0, 123));
        QCOMPARE(orders->fieldByName(QStringLiteral("Termin_dod")).asDateTime(),
                 at(1969, 12, 31, 23, 59, 59, 999));
        QCOMPARE(orders->fieldByName(QStringLiteral("Vyrizena_dne")).asDateTime(), at(2026, 12, 10, 8, 0));
        QVERIFY(orders->fieldByName(QStringLiteral("Vyrizena")).asBoolean());
        QVERIFY(orders->fieldByName(QStringLiteral("Stornovana")).asBoolean());
        QCOMPARE(orders->fieldByName(QStringLiteral("Text")).asString(), QStringLiteral("Řádek\r\nDalší"));
        orders->insertRecord({QStringLiteral("2026/12/00043/JNO")});
        QVERIFY(orders->rowId() > 7); // new rows get keys above the kept ones
        auto settings = station.openTable(QStringLiteral("System"));
        QCOMPARE(settings->fieldByName(QStringLiteral("Firma")).asString(),
                 QStringLiteral("Žluťoučký kůň s.r.o."));
        QCOMPARE(settings->fieldByName(QStringLiteral("Logo")).asBytes(), logo);
        QCOMPARE(settings->fieldByName(QStringLiteral("Std_dod_lhuta")).asInteger(), 21);
        auto payments = station.openTable(QStringLiteral("Platba"));
        QCOMPARE(
            column(*payments, QStringLiteral("Platba")),
            (QStringList{QStringLiteral("čekem"), QStringLiteral("Hotově"), QStringLiteral("Převodem")}));
        payments->setFilter(QStringLiteral("Platba = 'Hotově'"));
        payments->setFiltered(true);
        QCOMPARE(payments->recordCount(), 1);

        QCOMPARE(data::upgradeDatabase(admin).tables.size(), 0); // a second run finds nothing to do
    }

    // An empty version table is not a database this program may guess about.
    void unknownVersionIsRefusedByTheUpgrade() {
        db_->admin().execute(QStringLiteral("DELETE FROM \"_Verze\""));
        QCOMPARE(data::databaseVersion(db_->admin()), data::kUnknownVersion);
        bool refused = false;
        try {
            data::upgradeDatabase(db_->admin());
        } catch (const data::SchemaVersionError& e) {
            refused = e.found() == data::kUnknownVersion;
        }
        QVERIFY(refused);
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
