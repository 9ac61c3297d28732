// Order numbering on both engines (PostgreSQL on the server KV_TEST_PG names, as tools/pgtemp.sh
// starts it): one number with nobody else asking, against the raw engine locking the settings row,
// reading, updating and committing through its C API; and 8 station processes taking numbers
// together for a fixed time, against 8 raw processes updating the same row, in numbers a second,
// with the duplicates and gaps found among the stations' numbers.
#include "benchcase.h"
#include "benchdatamodule.h"
#include "rawpostgres.h"
#include "rawsqlite.h"

#include "base/clock.h"
#include "base/czechformat.h"
#include "data/ordernumber.h"
#include "data/schemaddl.h"
#include "data/store/backend.h"
#include "data/store/sqlitebackend.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QSet>
#include <QThread>
#include <cstdio>
#include <memory>

namespace kv::bench {
namespace {

constexpr int kStations = 8;
constexpr int kStormMs = 3000;
constexpr int kSingleNumbers = 200;

// A station's side of numbering without a window: no pointer, messages to stderr, real pauses.
class QuietUi : public data::OrderNumberUi {
public:
    void setBusy(bool) override {}
    void showError(const QString& text) override { std::fprintf(stderr, "%s\n", qPrintable(text)); }
    void pause(int milliseconds) override { QThread::msleep(milliseconds); }
};

QString nextNumber(const QByteArray& stored, const QString& initials) {
    return data::nextOrderNumber(QString::fromUtf8(stored), shortDate(clock::today()), initials)
        .value_or(QString())
        .left(17);
}

// One number taken by the raw engine: the settings row locked, read, updated and committed.
class RawNumbers {
public:
    virtual ~RawNumbers() = default;
    virtual bool next(const QString& initials) = 0;
};

class RawSqliteNumbers : public RawNumbers {
public:
    explicit RawSqliteNumbers(const QString& path)
        : raw_(path) {
        // The waiting and the durability of the store's own connections.
        RawSqlite::run(raw_.prepare("PRAGMA busy_timeout = 10000"));
        RawSqlite::run(raw_.prepare("PRAGMA synchronous = FULL"));
        id_ = RawSqlite::texts(raw_.prepare("SELECT \"_id\" FROM \"System\" LIMIT 1"), 1)
                  .value(0)
                  .value(0)
                  .toLongLong();
        begin_ = raw_.prepare("BEGIN IMMEDIATE");
        select_ = raw_.prepare("SELECT \"PosledniObj\" FROM \"System\" WHERE \"_id\" = ?");
        update_ = raw_.prepare("UPDATE \"System\" SET \"PosledniObj\" = ? WHERE \"_id\" = ?");
        commit_ = raw_.prepare("COMMIT");
    }
    bool next(const QString& initials) override {
        if (step(begin_) != SQLITE_DONE)
            return false;
        sqlite3_bind_int64(select_, 1, id_);
        const QByteArray stored = RawSqlite::texts(select_, 1).value(0).value(0).toUtf8();
        const QByteArray number = nextNumber(stored, initials).toUtf8();
        sqlite3_bind_text(update_, 1, number.constData(), int(number.size()), SQLITE_TRANSIENT);
        sqlite3_bind_int64(update_, 2, id_);
        const bool updated = step(update_) == SQLITE_DONE;
        return step(commit_) == SQLITE_DONE && updated;
    }

private:
    static int step(sqlite3_stmt* s) {
        const int rc = sqlite3_step(s);
        sqlite3_reset(s);
        return rc;
    }
    RawSqlite raw_;
    qint64 id_ = 0;
    sqlite3_stmt* begin_;
    sqlite3_stmt* select_;
    sqlite3_stmt* update_;
    sqlite3_stmt* commit_;
};

class RawPgNumbers : public RawNumbers {
public:
    explicit RawPgNumbers(const QByteArray& conninfo)
        : raw_(conninfo) {
        raw_.prepare("id", "SELECT \"_id\" FROM \"System\" LIMIT 1", 0);
        id_ = raw_.execPrepared("id", {});
        raw_.prepare("select", "SELECT \"PosledniObj\" FROM \"System\" WHERE \"_id\" = $1 FOR UPDATE", 1);
        raw_.prepare("update", "UPDATE \"System\" SET \"PosledniObj\" = $1 WHERE \"_id\" = $2", 2);
    }
    bool next(const QString& initials) override {
        bool failed = !raw_.exec("BEGIN");
        const QByteArray stored = raw_.execPrepared("select", {id_}, &failed);
        raw_.execPrepared("update", {nextNumber(stored, initials).toUtf8(), id_}, &failed);
        return raw_.exec("COMMIT") && !failed;
    }

private:
    RawPostgres raw_;
    QByteArray id_;
};

std::unique_ptr<RawNumbers> rawNumbers(const QString& engine, const QString& target) {
    if (engine == QLatin1String("sqlite"))
        return std::make_unique<RawSqliteNumbers>(target);
    return std::make_unique<RawPgNumbers>(target.toUtf8());
}

// A child waits for the file `go` so that all stations start together.
void readyThenWait(const QString& go) {
    std::printf("ready\n");
    std::fflush(stdout);
    while (!QFile::exists(go))
        QThread::msleep(1);
}

// Starts `kStations` children `child` with `args` plus the station's initials, starts them together
// and returns the lines they printed.
QStringList runStations(const QString& child, const QStringList& args, const QString& go) {
    QFile::remove(go);
    // A runtime folder of their own keeps the toolkit from warning in every station.
    const QString runtime = QFileInfo(go).absolutePath() + QLatin1String("/runtime");
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    std::vector<std::unique_ptr<QProcess>> stations;
    for (int i = 0; i < kStations; ++i) {
        auto p = std::make_unique<QProcess>();
        p->setProcessEnvironment(env);
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p->start(QCoreApplication::applicationFilePath(), QStringList{QStringLiteral("--child"), child} +
                                                              args +
                                                              QStringList{QStringLiteral("B%1").arg(i)});
        stations.push_back(std::move(p));
    }
    for (auto& p : stations) {
        if (!p->waitForReadyRead(60000) || p->readLine().trimmed() != "ready")
            std::printf("numbering: a station did not start\n");
    }
    QFile(go).open(QIODevice::WriteOnly);
    QStringList lines;
    for (auto& p : stations) {
        p->waitForFinished(120000);
        lines << QString::fromUtf8(p->readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }
    QFile::remove(go);
    return lines;
}

// "--child numbering-station FOLDER MS GO INITIALS": numbers through the data module for MS
// milliseconds from the moment GO exists, each printed.
const ChildRegistrar stationChild("numbering-station", [](const QStringList& args) {
    std::unique_ptr<data::TDM> dm = connectDataModule(args.value(0));
    const int ms = args.value(1).toInt();
    QuietUi ui;
    readyThenWait(args.value(2));
    QStringList numbers; // printed at the end, so that a full pipe never holds a station up
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        const QString number = dm->NextOrderNumber(args.value(3), ui);
        numbers << (number.isEmpty() ? QStringLiteral("(none)") : number);
    }
    std::printf("%s\n", qPrintable(numbers.join(QLatin1Char('\n'))));
    return 0;
});

// "--child numbering-raw ENGINE TARGET MS GO INITIALS": raw numbers for MS milliseconds; prints
// how many were committed.
const ChildRegistrar rawChild("numbering-raw", [](const QStringList& args) {
    std::unique_ptr<RawNumbers> raw = rawNumbers(args.value(0), args.value(1));
    const int ms = args.value(2).toInt();
    readyThenWait(args.value(3));
    int count = 0;
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        count += raw->next(args.value(4)) ? 1 : 0;
    std::printf("%d\n", count);
    return 0;
});

struct Engine {
    QString name;
    QString folder;    // the program folder with SERVER.INI
    QString rawTarget; // the SQLite file or a libpq connection string
    store::ConnectParams params;
};

// The server of KV_TEST_PG ("host=127.0.0.1 port=5432 user=postgres dbname=postgres").
QHash<QString, QString> pgSettings() {
    QHash<QString, QString> out;
    for (const QString& part : qEnvironmentVariable("KV_TEST_PG").split(QLatin1Char(' '), Qt::SkipEmptyParts))
        out.insert(part.section(QLatin1Char('='), 0, 0), part.section(QLatin1Char('='), 1));
    return out;
}

void measure(const Engine& e) {
    QDir().mkpath(e.folder);
    store::ConnectParams create = e.params;
    create.createMissing = true;
    data::createMissing(*store::openBackend(create));
    BenchServer server;
    server.protocol = int(e.params.protocol);
    server.server = e.params.server;
    server.login = e.params.user;
    server.database = e.params.database;
    writeServerIni(e.folder, server);
    std::unique_ptr<data::TDM> dm = connectDataModule(e.folder);
    std::unique_ptr<RawNumbers> raw = rawNumbers(e.name, e.rawTarget);

    QuietUi ui;
    const double ours = timeMs([&] {
        for (int i = 0; i < kSingleNumbers; ++i)
            dm->NextOrderNumber(QStringLiteral("BEN"), ui);
    });
    const double rawMs = timeMs([&] {
        for (int i = 0; i < kSingleNumbers; ++i)
            raw->next(QStringLiteral("RAW"));
    });
    report(QStringLiteral("numbering one number (%1)").arg(e.name), ours / kSingleNumbers,
           rawMs / kSingleNumbers);
    raw.reset();

    const QString go = e.folder + QLatin1String("go");
    const QStringList numbers =
        runStations(QStringLiteral("numbering-station"), {e.folder, QString::number(kStormMs), go}, go);
    QSet<int> sequences;
    int issued = 0;
    for (const QString& n : numbers) {
        if (n == QLatin1String("(none)"))
            continue;
        ++issued;
        sequences.insert(n.section(QLatin1Char('/'), 2, 2).toInt());
    }
    const int duplicates = issued - int(sequences.size());
    int gaps = 0;
    if (!sequences.isEmpty()) {
        const auto [low, high] = std::minmax_element(sequences.begin(), sequences.end());
        gaps = *high - *low + 1 - int(sequences.size());
    }
    const QStringList counts = runStations(QStringLiteral("numbering-raw"),
                                           {e.name, e.rawTarget, QString::number(kStormMs), go}, go);
    int rawIssued = 0;
    for (const QString& c : counts)
        rawIssued += c.toInt();
    const double seconds = kStormMs / 1000.0;
    report(QStringLiteral("numbering %1 stations together (%2), numbers a second").arg(kStations).arg(e.name),
           issued / seconds, rawIssued / seconds, "/s");
    std::printf("numbering %d stations together (%s): %d numbers, %d not issued, %d duplicates, %d gaps\n",
                kStations, qPrintable(e.name), issued, int(numbers.size()) - issued, duplicates, gaps);
    std::fflush(stdout);
}

} // namespace

KV_BENCH_CASE("numbering") {
    Engine sqlite;
    sqlite.name = QStringLiteral("sqlite");
    sqlite.folder = options.workDir + QLatin1String("/numbering-sqlite/");
    sqlite.params.folder = sqlite.folder;
    sqlite.params.database = QStringLiteral("Kalmorvaty");
    sqlite.rawTarget = store::SqliteBackend::databasePath(sqlite.folder, sqlite.params.database);
    measure(sqlite);

    if (qEnvironmentVariableIsEmpty("KV_TEST_PG")) {
        std::printf(
            "numbering (postgres): skipped, KV_TEST_PG is not set (start a server with tools/pgtemp.sh)\n");
        return;
    }
    const QHash<QString, QString> pg = pgSettings();
    Engine postgres;
    postgres.name = QStringLiteral("postgres");
    postgres.folder = options.workDir + QLatin1String("/numbering-postgres/");
    postgres.params.protocol = store::ConnectParams::Protocol::TcpIp;
    postgres.params.server = pg.value(QStringLiteral("host"), QStringLiteral("127.0.0.1")) +
                             QLatin1Char(':') + pg.value(QStringLiteral("port"), QStringLiteral("5432"));
    postgres.params.user = pg.value(QStringLiteral("user"), QStringLiteral("postgres"));
    postgres.params.database = QStringLiteral("kvbench_numbering_%1").arg(QCoreApplication::applicationPid());
    postgres.rawTarget = QStringLiteral("host=%1 port=%2 user=%3 dbname=%4")
                             .arg(pg.value(QStringLiteral("host"), QStringLiteral("127.0.0.1")),
                                  pg.value(QStringLiteral("port"), QStringLiteral("5432")),
                                  postgres.params.user, postgres.params.database);
    measure(postgres);
    store::ConnectParams admin = postgres.params;
    admin.database = QStringLiteral("postgres");
    store::openBackend(admin)->execute(
        QStringLiteral("DROP DATABASE IF EXISTS \"%1\" WITH (FORCE)").arg(postgres.params.database), {});
}

} // namespace kv::bench
