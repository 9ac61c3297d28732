// Order numbers: the derivation's cases, issuing on both engines (stored under the lock, cut to the
// stored width, an out-of-date copy, a lock waited out or given up, failures that end at once, the
// edit never left behind), and a storm of station processes that never share a number.
#include "ordersdatabase.h"

#include "data/ordernumber.h"

#include "base/clock.h"
#include "base/programfolder.h"
#include "data/store/storeerror.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTest>
#include <QThread>
#include <cstdio>

using namespace kv;

namespace {

const QDateTime kNow(QDate(2026, 12, 9), QTime(10, 30));

// Records what issuing asks of the window; a pause may run `onPause` (another station letting go).
class RecordingUi : public data::OrderNumberUi {
public:
    void setBusy(bool on) override { events << (on ? QStringLiteral("busy") : QStringLiteral("idle")); }
    void showError(const QString& text) override { events << text; }
    void pause(int milliseconds) override {
        ++pauses;
        pausedMs += milliseconds;
        if (onPause)
            onPause();
        if (sleep)
            QThread::msleep(milliseconds);
    }
    QStringList events;
    int pauses = 0;
    int pausedMs = 0;
    bool sleep = false;
    std::function<void()> onPause;
};

// The storm's station: connects through the SERVER.INI of `folder`, says "ready", waits for the
// file "go" there, then takes `count` numbers and prints each.
int runStation(const QString& folder, int count, const QString& initials) {
    std::unique_ptr<data::TDM> dm = test::connectStation(folder);
    if (!dm)
        return 1;
    std::printf("ready\n");
    std::fflush(stdout);
    while (!QFile::exists(folder + QLatin1String("go")))
        QThread::msleep(2);
    RecordingUi ui;
    ui.sleep = true;
    for (int i = 0; i < count; ++i) {
        const QString number = dm->NextOrderNumber(initials, ui);
        std::printf("%s\n", qPrintable(number.isEmpty() ? QStringLiteral("(none)") : number));
    }
    std::fflush(stdout);
    return 0;
}

} // namespace

class TestOrderNumber : public QObject {
    Q_OBJECT
    std::unique_ptr<test::OrdersDatabase> db_;
    std::unique_ptr<clock::FixedClock> clock_;

    store::Table& settings() { return db_->dm().tabSystem; }
    // PosledniObj as another station reads it from the database.
    QString storedNumber() {
        auto station = db_->otherStation();
        return station->openTable(QStringLiteral("System"))
            ->fieldByName(QStringLiteral("PosledniObj"))
            .asString();
    }
    void store(const QString& number) {
        settings().edit();
        settings().fieldByName(QStringLiteral("PosledniObj")).setAsString(number);
        settings().post();
    }

private Q_SLOTS:
    void initTestCase() { db_ = std::make_unique<test::OrdersDatabase>(test::currentEngine()); }
    void init() {
        clock_ = std::make_unique<clock::FixedClock>(kNow);
        store(QString());
    }
    void cleanup() { clock_.reset(); }
    void cleanupTestCase() { db_.reset(); }

    void derivesTheNextNumber_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("today");
        QTest::addColumn<QString>("initials");
        QTest::addColumn<QString>("number"); // "error": the sequence is not a number
        QTest::newRow("nothing stored: the first of the year") << ""
                                                               << "9.12.2026"
                                                               << "JNO"
                                                               << "2026/12/00001/JNO";
        QTest::newRow("the next of the year") << "2026/12/00041/AB"
                                              << "9.12.2026"
                                              << "XY"
                                              << "2026/12/00042/XY";
        QTest::newRow("a new year starts again") << "2026/12/00041/AB"
                                                 << "2.1.2027"
                                                 << "XY"
                                                 << "2027/01/00001/XY";
        QTest::newRow("a new month does not") << "2026/11/00041/AB"
                                              << "1.12.2026"
                                              << "AB"
                                              << "2026/12/00042/AB";
        QTest::newRow("the reset form of the settings") << "2026/03/00100/---"
                                                        << "9.12.2026"
                                                        << "AB"
                                                        << "2026/12/00101/AB";
        QTest::newRow("99999 is followed by 100000") << "2026/12/99999/ABC"
                                                     << "9.12.2026"
                                                     << "ABC"
                                                     << "2026/12/100000/ABC";
        // The stored value of 100000 lost its last initial to the field's 17 characters.
        QTest::newRow("a six-digit sequence reads back") << "2026/12/100000/AB"
                                                         << "9.12.2026"
                                                         << "ABC"
                                                         << "2026/12/100001/ABC";
        QTest::newRow("one-letter initials: 15 characters") << ""
                                                            << "9.12.2026"
                                                            << "J"
                                                            << "2026/12/00001/J";
        QTest::newRow("blank initials stay as typed") << "2026/12/00007/AB"
                                                      << "9.12.2026"
                                                      << " J"
                                                      << "2026/12/00008/ J";
        QTest::newRow("blanks around the stored value") << "  2026/12/00041/AB "
                                                        << "9.12.2026"
                                                        << "AB"
                                                        << "2026/12/00042/AB";
        QTest::newRow("a one-digit month gets its 0") << "2026/02/00041/AB"
                                                      << "9.3.2026"
                                                      << "AB"
                                                      << "2026/03/00042/AB";
        QTest::newRow("letters in the sequence") << "2026/12/000A1/AB"
                                                 << "9.12.2026"
                                                 << "AB"
                                                 << "error";
        QTest::newRow("no / after the sequence") << "2026/12/00041"
                                                 << "9.12.2026"
                                                 << "AB"
                                                 << "error";
        QTest::newRow("last year's letters do not matter") << "2025/12/000A1/AB"
                                                           << "9.12.2026"
                                                           << "AB"
                                                           << "2026/12/00001/AB";
    }
    void derivesTheNextNumber() {
        QFETCH(QString, stored);
        QFETCH(QString, today);
        QFETCH(QString, initials);
        QFETCH(QString, number);
        QCOMPARE(data::nextOrderNumber(stored, today, initials).value_or(QStringLiteral("error")), number);
    }

    void issuesTheNumberAndStoresItUnderTheLock() {
        store(QStringLiteral("2026/12/00041/AB"));
        RecordingUi ui;
        QCOMPARE(db_->dm().NextOrderNumber(QStringLiteral("JNO"), ui), QStringLiteral("2026/12/00042/JNO"));
        QCOMPARE(ui.events, (QStringList{"busy", "idle"}));
        QCOMPARE(storedNumber(), QStringLiteral("2026/12/00042/JNO"));
        QCOMPARE(settings().state(), store::Table::State::Browse);
    }

    // After 99999 the sequence has six digits, and the settings row keeps the number issued whole.
    void aSixDigitNumberIsStoredWhole() {
        store(QStringLiteral("2026/12/99999/ABC"));
        RecordingUi ui;
        QCOMPARE(db_->dm().NextOrderNumber(QStringLiteral("ABC"), ui), QStringLiteral("2026/12/100000/ABC"));
        QCOMPARE(storedNumber(), QStringLiteral("2026/12/100000/ABC"));
        QCOMPARE(db_->dm().NextOrderNumber(QStringLiteral("ABC"), ui), QStringLiteral("2026/12/100001/ABC"));
        QCOMPARE(storedNumber(), QStringLiteral("2026/12/100001/ABC"));
    }

    // The count set back below numbers issued: the numbers stored are passed over, and the database
    // itself refuses a second order under one number.
    void aNumberStoredIsNeverIssuedAgain() {
        db_->clearOrders();
        store::Table& orders = db_->dm().tabKalmorvaty;
        for (const char* n : {"2026/12/00002/JNO", "2026/12/00003/JNO", "2026/12/00005/JNO"}) {
            orders.append();
            orders.fieldByName(QStringLiteral("Cislo")).setAsString(QLatin1String(n));
            orders.post();
        }
        store(QStringLiteral("2026/12/00001/---"));
        RecordingUi ui;
        QCOMPARE(db_->dm().NextOrderNumber(QStringLiteral("JNO"), ui), QStringLiteral("2026/12/00004/JNO"));
        QCOMPARE(storedNumber(), QStringLiteral("2026/12/00004/JNO"));
        QCOMPARE(db_->dm().NextOrderNumber(QStringLiteral("JNO"), ui), QStringLiteral("2026/12/00006/JNO"));
        orders.append();
        orders.fieldByName(QStringLiteral("Cislo")).setAsString(QStringLiteral("2026/12/00003/JNO"));
        QVERIFY_THROWS_EXCEPTION(store::StoreError, orders.post());
        orders.cancel();
        QCOMPARE(orders.countWhere(QStringLiteral("Cislo='2026/12/00003/JNO'")), 1);
        db_->clearOrders();
    }

    void aSequenceThatIsNotANumberIssuesNothing() {
        store(QStringLiteral("2026/12/000A1/AB"));
        RecordingUi ui;
        QCOMPARE(db_->dm().NextOrderNumber(QStringLiteral("AB"), ui), QString());
        QCOMPARE(ui.events, (QStringList{"busy", "idle", data::orderNumberErrorMessage()}));
        QCOMPARE(settings().state(), store::Table::State::Browse);
        QCOMPARE(storedNumber(), QStringLiteral("2026/12/000A1/AB"));
        // The row's lock went with the edit.
        auto station = db_->otherStation();
        station->openTable(QStringLiteral("System"))->edit();
    }

    // Our copy of the row still shows 00005 when another station issues 00006.
    void anOutOfDateCopyNeverIssuesAnIssuedNumber() {
        store(QStringLiteral("2026/12/00005/AB"));
        {
            auto station = db_->otherStation();
            auto theirs = station->openTable(QStringLiteral("System"));
            RecordingUi ui;
            QCOMPARE(data::issueOrderNumber(*theirs, QStringLiteral("CD"), ui),
                     QStringLiteral("2026/12/00006/CD"));
        }
        QCOMPARE(settings().fieldByName(QStringLiteral("PosledniObj")).asString(),
                 QStringLiteral("2026/12/00005/AB"));
        RecordingUi ui;
        QCOMPARE(db_->dm().NextOrderNumber(QStringLiteral("AB"), ui), QStringLiteral("2026/12/00007/AB"));
    }

    void anotherStationsLockIsWaitedOut() {
        auto station = db_->otherStation();
        auto theirs = station->openTable(QStringLiteral("System"));
        theirs->edit();
        RecordingUi ui;
        ui.onPause = [&] {
            if (ui.pauses == 3)
                theirs->cancel();
        };
        QCOMPARE(db_->dm().NextOrderNumber(QStringLiteral("AB"), ui), QStringLiteral("2026/12/00001/AB"));
        QCOMPARE(ui.pauses, 3);
        QCOMPARE(ui.pausedMs, 300);
    }

    void aLockHeldPastTheBoundGivesUpAndLeavesNoEdit() {
        auto station = db_->otherStation();
        auto theirs = station->openTable(QStringLiteral("System"));
        theirs->edit();
        RecordingUi ui;
        QCOMPARE(db_->dm().NextOrderNumber(QStringLiteral("AB"), ui), QString());
        QCOMPARE(ui.pauses, data::OrderNumberWait{}.maxRetries); // 10 seconds of 100 ms pauses
        QCOMPARE(ui.events, (QStringList{"busy", "idle"}));
        QCOMPARE(settings().state(), store::Table::State::Browse);
        theirs->cancel();
        QCOMPARE(storedNumber(), QString());
    }

    void aClosedSettingsTableEndsAtOnce() {
        settings().close();
        RecordingUi ui;
        QCOMPARE(db_->dm().NextOrderNumber(QStringLiteral("AB"), ui), QString());
        settings().open();
        QCOMPARE(ui.pauses, 0);
        QCOMPARE(ui.events, (QStringList{"busy", "idle"}));
    }

    // The write fails for a reason that is no lock: no waiting, and the edit is dropped so that a
    // later move of the cursor cannot store a number that was never issued.
    void aFailedWriteEndsAtOnceAndIsNotPostedLater() {
        store(QStringLiteral("2026/12/00041/AB"));
        auto& admin = db_->database().admin();
        const auto sabotage = connect(&settings(), &store::Table::updateRecord, this, [&] {
            admin.execute(QStringLiteral("ALTER TABLE \"System\" RENAME TO \"Odlozeno\""), {});
        });
        RecordingUi ui;
        const QString number = db_->dm().NextOrderNumber(QStringLiteral("AB"), ui);
        disconnect(sabotage);
        admin.execute(QStringLiteral("ALTER TABLE \"Odlozeno\" RENAME TO \"System\""), {});
        QCOMPARE(number, QString());
        QCOMPARE(ui.pauses, 0);
        QCOMPARE(settings().state(), store::Table::State::Browse);
        settings().refresh();
        QCOMPARE(storedNumber(), QStringLiteral("2026/12/00041/AB"));
    }

    // Station processes take their numbers at the same moment; every number is issued once and the
    // sequence runs from 1 without a gap.
    void stationsTogetherNeverShareANumber() {
        clock_.reset(); // the stations read the real date
        constexpr int kStations = 4;
        constexpr int kEach = 25;
        QFile::remove(db_->folder() + QLatin1String("go"));
        std::vector<std::unique_ptr<QProcess>> stations;
        for (int i = 0; i < kStations; ++i) {
            auto p = std::make_unique<QProcess>();
            p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
            p->start(QCoreApplication::applicationFilePath(),
                     {QStringLiteral("--station"), db_->folder(), QString::number(kEach),
                      QStringLiteral("S%1").arg(i)});
            stations.push_back(std::move(p));
        }
        for (auto& p : stations) {
            QVERIFY(p->waitForReadyRead(30000));
            QCOMPARE(p->readLine().trimmed(), QByteArray("ready"));
        }
        QFile go(db_->folder() + QLatin1String("go"));
        QVERIFY(go.open(QIODevice::WriteOnly));
        go.close();
        QStringList numbers;
        for (auto& p : stations) {
            QVERIFY(p->waitForFinished(120000));
            QCOMPARE(p->exitCode(), 0);
            numbers
                << QString::fromUtf8(p->readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        }
        QCOMPARE(numbers.size(), kStations * kEach);
        QCOMPARE(QSet<QString>(numbers.begin(), numbers.end()).size(), numbers.size());
        QList<int> sequences;
        for (const QString& n : numbers)
            sequences << n.section(QLatin1Char('/'), 2, 2).toInt();
        std::sort(sequences.begin(), sequences.end());
        QList<int> expected;
        for (int i = 1; i <= kStations * kEach; ++i)
            expected << i;
        QCOMPARE(sequences, expected);
        QCOMPARE(storedNumber().section(QLatin1Char('/'), 2, 2).toInt(), kStations * kEach);
    }
};

int main(int argc, char** argv) {
    if (argc == 5 && QByteArray(argv[1]) == "--station") {
        QCoreApplication app(argc, argv);
        return runStation(QString::fromLocal8Bit(argv[2]), QByteArray(argv[3]).toInt(),
                          QString::fromLocal8Bit(argv[4]));
    }
    QCoreApplication app(argc, argv);
    TestOrderNumber t;
    return kv::test::runPerEngine(t, argc, argv);
}

#include "tst_ordernumber.moc"
