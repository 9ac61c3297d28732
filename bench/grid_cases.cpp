// The data-aware grid over a table of --rows orders: showing its first screen, jumping to the last
// row and dragging to the middle. The baseline does the same with the raw engine and a plain table
// view: SQLite's C API reads the rows the screen shows (and the count the scroll bar needs), and a
// QTableView over those texts, with the same columns, widths and row height, paints them. The
// data-only line leaves painting out on both sides.
#include "benchcase.h"
#include "ordersdb.h"
#include "plaingrid.h"
#include "rawsqlite.h"

#include "controls/dbgrid.h"
#include "data/store/sqlitebackend.h"

#include <QDir>
#include <QImage>
#include <QScrollBar>
#include <memory>

namespace kv::bench {
namespace {

constexpr int kWidth = 1000;
constexpr int kHeight = 600;

} // namespace

KV_BENCH_CASE("grid") {
    const QString folder = options.workDir + QLatin1String("/grid/");
    QDir().mkpath(folder);
    OrdersStation station(folder, options.rows);
    store::Table& t = station.table;
    RawSqlite raw(store::SqliteBackend::databasePath(folder, QStringLiteral("Kalmorvaty")));

    const QByteArray columns = rawColumns(t.definition());
    sqlite3_stmt* count = raw.prepare("SELECT COUNT(*) FROM \"Kalmorvaty\"");
    sqlite3_stmt* head =
        raw.prepare("SELECT " + columns + " FROM \"Kalmorvaty\" ORDER BY \"_k_Cislo\", \"_id\" LIMIT ?");
    sqlite3_stmt* middleRows = raw.prepare(
        "SELECT " + columns + " FROM \"Kalmorvaty\" ORDER BY \"_k_Cislo\", \"_id\" LIMIT ? OFFSET ?");
    sqlite3_stmt* tail = raw.prepare("SELECT " + columns +
                                     " FROM \"Kalmorvaty\" ORDER BY \"_k_Cislo\" DESC, \"_id\" DESC LIMIT ?");

    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    std::unique_ptr<controls::DBGrid> grid;
    auto newGrid = [&] {
        grid = std::make_unique<controls::DBGrid>();
        grid->resize(kWidth, kHeight);
        grid->setDataSource(&station.source);
    };

    // The plain view gets what the grid shows: its columns' fields, widths, hidden columns and rows.
    newGrid();
    PlainGrid plain(*grid);
    const int shown = plain.shown();
    const QList<store::FieldType> types = fieldTypes(t.definition());
    auto rawCount = [&] { return RawSqlite::texts(count, 1).value(0).value(0).toInt(); };

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
    const double rawFirst = bestMs([] {},
                                   [&] {
                                       plain.newView(rawCount());
                                       plain.rows().setRows(0, shownTexts(head, shown, types));
                                       plain.view().selectRow(0);
                                       plain.view().render(&image);
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
    if (grid->recordRow(grid->currentIndex().row()) != options.rows - 1)
        std::printf("grid: the last row is not selected after the jump\n");
    auto plainAtTop = [&] {
        plain.newView(options.rows);
        plain.rows().setRows(0, shownTexts(head, shown, types));
        plain.view().render(&image);
    };
    const double rawLast = bestMs(plainAtTop, [&] {
        QList<QStringList> rows = shownTexts(tail, shown, types);
        std::reverse(rows.begin(), rows.end());
        const int first = options.rows - int(rows.size());
        plain.rows().setRows(first, std::move(rows));
        plain.view().selectRow(options.rows - 1);
        plain.view().scrollToBottom();
        plain.view().render(&image);
    });
    report(QStringLiteral("grid jump to the last row"), oursLast, rawLast);

    // The same jump without painting on either side: the cursor moves and the model gives the
    // texts of the cells a screen shows, against the raw engine reading those rows and making
    // their texts.
    std::unique_ptr<controls::DBGridModel> model;
    const double oursData = bestMs(
        [&] {
            t.first();
            model = std::make_unique<controls::DBGridModel>();
            model->setScreenRows(grid->gridModel()->screenRows());
            model->setDataSource(&station.source);
        },
        [&] {
            t.last();
            model->setTopRow(options.rows - shown);
            for (int row = 0; row < shown; ++row) {
                for (int c = 0; c < model->columnCount(); ++c)
                    (void)model->index(row, c).data();
            }
        });
    const double rawData = bestMs([] {}, [&] { (void)shownTexts(tail, shown, types); });
    report(QStringLiteral("grid jump to the last row, data only"), oursData, rawData);

    // What the grid asks of the cursor for that screen, against the raw engine reading those rows.
    report(QStringLiteral("grid rows read for the last screen"),
           bestMs([] {}, [&] { (void)t.rows(options.rows - shown, shown); }),
           bestMs([] {}, [&] { RawSqlite::run(tail, shown); }));

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
    const double rawMiddle = bestMs(plainAtTop, [&] {
        sqlite3_bind_int(middleRows, 1, shown);
        sqlite3_bind_int(middleRows, 2, middle);
        plain.rows().setRows(middle, shownTexts(middleRows, shown, types));
        plain.view().verticalScrollBar()->setValue(middle);
        plain.view().render(&image);
    });
    report(QStringLiteral("grid scroll to the middle"), oursMiddle, rawMiddle);

    model.reset();
    grid.reset();
}

} // namespace kv::bench
