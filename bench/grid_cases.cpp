// The data-aware grid over a table of --rows orders: showing its first screen (model and view
// painted into an image) and jumping to the last row, against the raw engine reading the rows that
// screen shows (and the count its scroll bar needs) through SQLite's C API.
#include "benchcase.h"
#include "ordersdb.h"

#include "controls/dbgrid.h"
#include "data/schema.h"
#include "data/store/client.h"
#include "data/store/datasource.h"
#include "data/store/session.h"
#include "data/store/sqlitebackend.h"
#include "data/store/table.h"

#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QScrollBar>
#include <memory>
#include <sqlite3.h>

namespace kv::bench {
namespace {

constexpr int kWidth = 1000;
constexpr int kHeight = 600;

// Reads every column of up to `rows` rows as the store does (the row count bound to the statement's
// LIMIT, its first parameter, when it has one), then resets the statement.
void readRows(sqlite3_stmt* s, int rows) {
    if (sqlite3_bind_parameter_count(s) > 0)
        sqlite3_bind_int(s, 1, rows);
    for (int n = 0; n < rows && sqlite3_step(s) == SQLITE_ROW; ++n) {
        for (int c = 0, cols = sqlite3_column_count(s); c < cols; ++c) {
            if (sqlite3_column_type(s, c) == SQLITE_TEXT)
                (void)QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, c)),
                                        sqlite3_column_bytes(s, c));
            else
                (void)sqlite3_column_int64(s, c);
        }
    }
    sqlite3_reset(s);
}

// Best of `repeats`: `setup` runs untimed before each timed `work`.
double bestMs(const std::function<void()>& setup, const std::function<void()>& work, int repeats = 5) {
    double best = -1;
    for (int i = 0; i < repeats; ++i) {
        setup();
        QElapsedTimer t;
        t.start();
        work();
        const double ms = double(t.nsecsElapsed()) / 1e6;
        if (best < 0 || ms < best)
            best = ms;
    }
    return best;
}

} // namespace

KV_BENCH_CASE("grid") {
    const QString folder = options.workDir + QLatin1String("/grid/");
    QDir().mkpath(folder);
    std::printf("grid: filling %d orders...\n", options.rows);
    std::fflush(stdout);
    fillOrders(folder, options.rows);

    store::Transport transport;
    store::Client client(transport);
    store::Session session(QStringLiteral("Kalmorvaty"), client);
    session.setFolder(folder);
    session.setDefaultDatabase(QStringLiteral("Kalmorvaty"));
    client.setActive(true);
    session.setActive(true);
    const store::TableDef& def = data::tableDef(QStringLiteral("Kalmorvaty"));
    store::Table t(session, QStringLiteral("Kalmorvaty"));
    t.setDefinition(def);
    t.open();
    store::DataSource ds(&t);

    sqlite3* db = nullptr;
    sqlite3_open(
        store::SqliteBackend::databasePath(folder, QStringLiteral("Kalmorvaty")).toUtf8().constData(), &db);
    QByteArray columns = "\"_id\", \"_k_Cislo\"";
    for (const QString& f : def.storedFieldOrder())
        columns += ", \"" + f.toUtf8() + '"';
    auto prepare = [&](const QByteArray& sql) {
        sqlite3_stmt* s = nullptr;
        sqlite3_prepare_v3(db, sql.constData(), -1, SQLITE_PREPARE_PERSISTENT, &s, nullptr);
        return s;
    };
    sqlite3_stmt* count = prepare("SELECT COUNT(*) FROM \"Kalmorvaty\"");
    sqlite3_stmt* head =
        prepare("SELECT " + columns + " FROM \"Kalmorvaty\" ORDER BY \"_k_Cislo\", \"_id\" LIMIT ?");
    sqlite3_stmt* middleRows =
        prepare("SELECT " + columns + " FROM \"Kalmorvaty\" ORDER BY \"_k_Cislo\", \"_id\" LIMIT ? OFFSET ?");
    sqlite3_stmt* tail = prepare("SELECT " + columns +
                                 " FROM \"Kalmorvaty\" ORDER BY \"_k_Cislo\" DESC, \"_id\" DESC LIMIT ?");

    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    std::unique_ptr<controls::DBGrid> grid;
    auto newGrid = [&] {
        grid = std::make_unique<controls::DBGrid>();
        grid->resize(kWidth, kHeight);
        grid->setDataSource(&ds);
    };
    // A re-read before each run drops what the cursor knows (its windows and its record count), so
    // the grid counts and reads as it does when first shown over a freshly opened table.
    const double oursFirst = bestMs(
        [&] {
            grid.reset();
            t.refresh();
        },
        [&] {
            newGrid();
            grid->render(&image);
        });
    const int shown = grid->rowAt(grid->viewport()->height() - 1) + 1;
    const double rawFirst = bestMs([] {},
                                   [&] {
                                       readRows(count, 1);
                                       readRows(head, shown);
                                   });
    report(QStringLiteral("grid first screen (%1 rows shown)").arg(shown), oursFirst, rawFirst);

    const double oursLast = bestMs(
        [&] {
            t.first();
            newGrid();
            grid->render(&image);
        },
        [&] {
            t.last();
            grid->render(&image);
        });
    if (grid->currentIndex().row() != options.rows - 1)
        std::printf("grid: the last row is not selected after the jump\n");
    const double rawLast = bestMs([] {}, [&] { readRows(tail, shown); });
    report(QStringLiteral("grid jump to the last row"), oursLast, rawLast);

    // The same jump without painting: the cursor moves and the model gives the cells a screen shows.
    std::unique_ptr<controls::DBGridModel> model;
    const double oursData = bestMs(
        [&] {
            t.first();
            model = std::make_unique<controls::DBGridModel>();
            model->setDataSource(&ds);
        },
        [&] {
            t.last();
            for (int row = options.rows - shown; row < options.rows; ++row) {
                for (int c = 0; c < model->columnCount(); ++c)
                    (void)model->index(row, c).data();
            }
        });
    report(QStringLiteral("grid jump to the last row, model only"), oursData, rawLast);

    // Dragging the scroll bar to the middle: rows far from both ends, which the raw engine reaches
    // by skipping as well.
    const int middle = options.rows / 2;
    const double oursMiddle = bestMs(
        [&] {
            newGrid();
            grid->render(&image);
        },
        [&] {
            grid->verticalScrollBar()->setValue(middle);
            grid->render(&image);
        });
    const double rawMiddle = bestMs([] {},
                                    [&] {
                                        sqlite3_bind_int(middleRows, 2, middle);
                                        readRows(middleRows, shown);
                                    });
    report(QStringLiteral("grid scroll to the middle"), oursMiddle, rawMiddle);

    model.reset();
    grid.reset();
    for (sqlite3_stmt* s : {count, head, middleRows, tail})
        sqlite3_finalize(s);
    sqlite3_close(db);
}

} // namespace kv::bench
