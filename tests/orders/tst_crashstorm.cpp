// A crash storm on each engine: station processes take order numbers and store an order under each
// while they are killed (SIGKILL) at random moments and others start in their place. Afterwards the
// database is whole, every number a station reported (it reports once its order is stored) is
// stored, no number is stored twice, and the settings row's last number is never behind the highest
// stored: only a station killed between taking a number and storing its order may leave a number
// unused.
#include "ordersdatabase.h"

#include "data/ordernumber.h"

#include "data/store/storeerror.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QTest>
#include <QThread>
#include <cstdio>

using namespace kv;

namespace {

class StationUi : public data::OrderNumberUi {
public:
    void setBusy(bool) override {}
    void showError(const QString& text) override { std::fprintf(stderr, "%s\n", qPrintable(text)); }
    void pause(int milliseconds) override { QThread::msleep(milliseconds); }
};

int sequenceOf(const QString& number) {
    return number.section(QLatin1Char('/'), 2, 2).toInt();
}

// A station: connects through the SERVER.INI of `folder`, then takes numbers and stores an order
// under each until it is killed, printing each number once its order is stored.
int runStation(const QString& folder, const QString& initials) {
    std::unique_ptr<data::TDM> dm = test::connectStation(folder);
    if (!dm)
        return 1;
    StationUi ui;
    store::Table& orders = dm->tabKalmorvaty;
    for (;;) {
        const QString number = dm->NextOrderNumber(initials, ui);
        if (number.isEmpty())
            continue;
        try {
            orders.append();
            orders.fieldByName(QStringLiteral("Cislo")).setAsString(number);
            orders.fieldByName(QStringLiteral("Dod_firma")).setAsString(QStringLiteral("Pila Dvořák s.r.o."));
            orders.fieldByName(QStringLiteral("Text")).setAsString(QStringLiteral("1. Prkna smrková - 40 ks"));
            orders.post();
        } catch (const store::StoreError& e) {
            std::fprintf(stderr, "%s\n", qPrintable(e.message()));
            orders.cancel();
            continue;
        }
        std::printf("%s\n", qPrintable(number));
        std::fflush(stdout);
    }
}

} // namespace

class TestCrashStorm : public QObject {
    Q_OBJECT
    std::unique_ptr<test::OrdersDatabase> db_;

    std::unique_ptr<QProcess> startStation(int n) {
        auto p = std::make_unique<QProcess>();
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p->start(QCoreApplication::applicationFilePath(),
                 {QStringLiteral("--station"), db_->folder(), QStringLiteral("S%1").arg(n)});
        return p;
    }

private Q_SLOTS:
    void initTestCase() { db_ = std::make_unique<test::OrdersDatabase>(test::currentEngine()); }
    void cleanupTestCase() { db_.reset(); }

    void killedStationsLoseNoStoredNumber() {
        constexpr int kStations = 4;
        constexpr int kStormMs = 8000;
        std::vector<std::unique_ptr<QProcess>> stations;
        for (int i = 0; i < kStations; ++i)
            stations.push_back(startStation(i));
        QStringList reported;
        int kills = 0;
        auto collect = [&reported](QProcess& p) {
            reported << QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        };
        QRandomGenerator random(20261211);
        QElapsedTimer storm;
        storm.start();
        int next = kStations;
        while (storm.elapsed() < kStormMs) {
            QThread::msleep(random.bounded(60, 300));
            auto& victim = stations[std::size_t(random.bounded(kStations))];
            victim->kill(); // SIGKILL: no clean-up of any kind
            victim->waitForFinished(10000);
            collect(*victim);
            ++kills;
            victim = startStation(next++);
        }
        for (auto& p : stations) {
            p->kill();
            p->waitForFinished(10000);
            collect(*p);
        }
        kills += kStations; // each station's last moment is a kill too
        QVERIFY2(reported.size() > kStations, qPrintable(QStringLiteral("only %1 orders stored").arg(reported.size())));

        qInfo("%d orders reported stored, %d stations killed", int(reported.size()), kills);
        auto station = db_->otherStation();
        store::Backend& b = station->session.backend(station->session.defaultDatabase());
        if (test::currentEngine() == test::Engine::Sqlite)
            QCOMPARE(b.query(QStringLiteral("PRAGMA integrity_check"), {}, 1).value(0).value(0).toString(),
                     QStringLiteral("ok"));
        QStringList stored;
        for (const store::Row& r : b.query(QStringLiteral("SELECT \"Cislo\" FROM \"Kalmorvaty\""), {}))
            stored << r.value(0).toString().trimmed();
        const QSet<QString> storedSet(stored.begin(), stored.end());
        QCOMPARE(storedSet.size(), stored.size());
        for (const QString& n : std::as_const(reported))
            QVERIFY2(storedSet.contains(n), qPrintable(n + QStringLiteral(" was reported but is not stored")));
        int highest = 0;
        for (const QString& n : std::as_const(stored))
            highest = std::max(highest, sequenceOf(n));
        const QString last =
            b.query(QStringLiteral("SELECT \"PosledniObj\" FROM \"System\""), {}, 1).value(0).value(0).toString();
        QVERIFY2(sequenceOf(last) >= highest, qPrintable(last));
        QVERIFY2(sequenceOf(last) - highest <= kills,
                 qPrintable(QStringLiteral("%1 after %2 stored, %3 kills").arg(last).arg(highest).arg(kills)));
    }
};

int main(int argc, char** argv) {
    if (argc == 4 && QByteArray(argv[1]) == "--station") {
        QCoreApplication app(argc, argv);
        return runStation(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    }
    QCoreApplication app(argc, argv);
    TestCrashStorm t;
    return kv::test::runPerEngine(t, argc, argv);
}

#include "tst_crashstorm.moc"
