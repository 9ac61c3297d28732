// The data-aware grid over a table of --rows orders: showing its first screen, jumping to the last
// row and dragging to the middle. The baseline does the same with the raw engine and a plain table
// view: SQLite's C API reads the rows the screen shows (and the count the scroll bar needs), and a
// QTableView over those texts, with the same columns, widths and row height, paints them. The
// data-only line leaves painting out on both sides.
#include "benchcase.h"
#include "ordersdb.h"
#include "rawsqlite.h"

#include "controls/dbgrid.h"
#include "data/store/sqlitebackend.h"

#include <QAbstractTableModel>
#include <QDir>
#include <QHeaderView>
#include <QImage>
#include <QScrollBar>
#include <QTableView>
#include <QTimeZone>
#include <memory>

namespace kv::bench {
namespace {

constexpr int kWidth = 1000;
constexpr int kHeight = 600;

// The baseline's model: `total` rows of which only those read (from `first`) have texts.
class PlainRows : public QAbstractTableModel {
public:
    PlainRows(int total, QList<int> columnFields, QStringList titles)
        : total_(total)
        , fields_(std::move(columnFields))
        , titles_(std::move(titles)) {}
    void setRows(int first, QList<QStringList> rows) {
        first_ = first;
        rows_ = std::move(rows);
        Q_EMIT dataChanged(index(0, 0), index(total_ - 1, columnCount() - 1));
    }
    int rowCount(const QModelIndex& = {}) const override { return total_; }
    int columnCount(const QModelIndex& = {}) const override { return int(fields_.size()); }
    QVariant data(const QModelIndex& index, int role) const override {
        const int r = index.row() - first_;
        if (role != Qt::DisplayRole || r < 0 || r >= rows_.size())
            return {};
        return rows_[r].value(fields_[index.column()]);
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        return orientation == Qt::Horizontal && role == Qt::DisplayRole ? titles_.value(section) : QVariant();
    }

private:
    int total_;
    QList<int> fields_;
    QStringList titles_;
    int first_ = 0;
    QList<QStringList> rows_;
};

} // namespace

KV_BENCH_CASE("grid") {
    const QString folder = options.workDir + QLatin1String("/grid/");
    QDir().mkpath(folder);
    OrdersStation station(folder, options.rows);
    store::Table& t = station.table;
    RawSqlite raw(store::SqliteBackend::databasePath(folder, QStringLiteral("Kalmorvaty")));

    // The raw rows carry the row id and sort key first, then the fields in the program's order.
    const int fieldOffset = 2;
    QByteArray columns = "\"_id\", \"_k_Cislo\"";
    for (const store::FieldDef& f : t.definition().fields)
        columns += ", \"" + f.name.toUtf8() + '"';
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
    const int shown = grid->rowAt(grid->viewport()->height() - 1) + 1;
    const int rowHeight = grid->verticalHeader()->defaultSectionSize();
    QList<int> columnFields, widths;
    QStringList titles;
    QList<bool> hidden;
    for (int c = 0; c < grid->gridModel()->columnCount(); ++c) {
        const int f = grid->gridModel()->fieldIndex(c);
        columnFields << (f < 0 ? -1 : f + fieldOffset);
        widths << grid->columnWidth(c);
        hidden << grid->isColumnHidden(c);
        titles << grid->gridModel()->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    }
    std::unique_ptr<PlainRows> plainRows;
    std::unique_ptr<QTableView> plain;
    auto newPlain = [&](int total) {
        plain.reset();
        plainRows = std::make_unique<PlainRows>(total, columnFields, titles);
        plain = std::make_unique<QTableView>();
        plain->resize(kWidth, kHeight);
        plain->setSelectionBehavior(QAbstractItemView::SelectRows);
        plain->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        plain->verticalHeader()->setDefaultSectionSize(rowHeight);
        plain->setModel(plainRows.get());
        for (int c = 0; c < widths.size(); ++c) {
            plain->setColumnWidth(c, widths[c]);
            plain->setColumnHidden(c, hidden[c]);
        }
    };
    // What a plain program shows of a raw row: dates as d.M.yyyy (with the time when it has one),
    // Booleans as True/False, a picture as (GRAPHIC).
    QList<store::FieldType> types;
    for (const store::FieldDef& f : t.definition().fields)
        types << f.type;
    auto shownTexts = [&](sqlite3_stmt* s, int rows) {
        QList<QStringList> out = RawSqlite::texts(s, rows);
        for (QStringList& row : out) {
            for (int f = 0; f < types.size(); ++f) {
                QString& cell = row[f + fieldOffset];
                if (types[f] == store::FieldType::DateTime && !cell.isEmpty()) {
                    const QDateTime dt = QDateTime::fromMSecsSinceEpoch(cell.toLongLong(), QTimeZone::utc());
                    cell = dt.toString(dt.time() == QTime(0, 0) ? QStringLiteral("d.M.yyyy")
                                                                : QStringLiteral("d.M.yyyy H:mm:ss"));
                } else if (types[f] == store::FieldType::Boolean) {
                    cell = cell == QLatin1String("0") ? QStringLiteral("False") : QStringLiteral("True");
                } else if (types[f] == store::FieldType::Graphic) {
                    cell = cell.isEmpty() ? QString() : QStringLiteral("(GRAPHIC)");
                }
            }
        }
        return out;
    };
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
    const double rawFirst = bestMs([&] { plain.reset(); },
                                   [&] {
                                       newPlain(rawCount());
                                       plainRows->setRows(0, shownTexts(head, shown));
                                       plain->selectRow(0);
                                       plain->render(&image);
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
    auto plainAtTop = [&] {
        newPlain(options.rows);
        plainRows->setRows(0, shownTexts(head, shown));
        plain->render(&image);
    };
    const double rawLast = bestMs(plainAtTop, [&] {
        QList<QStringList> rows = shownTexts(tail, shown);
        std::reverse(rows.begin(), rows.end());
        const int first = options.rows - int(rows.size());
        plainRows->setRows(first, std::move(rows));
        plain->selectRow(options.rows - 1);
        plain->scrollToBottom();
        plain->render(&image);
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
            model->setPageRows(grid->gridModel()->pageRows());
            model->setDataSource(&station.source);
        },
        [&] {
            t.last();
            for (int row = options.rows - shown; row < options.rows; ++row) {
                for (int c = 0; c < model->columnCount(); ++c)
                    (void)model->index(row, c).data();
            }
        });
    const double rawData = bestMs([] {}, [&] { (void)shownTexts(tail, shown); });
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
        plainRows->setRows(middle, shownTexts(middleRows, shown));
        plain->verticalScrollBar()->setValue(middle);
        plain->render(&image);
    });
    report(QStringLiteral("grid scroll to the middle"), oursMiddle, rawMiddle);

    model.reset();
    grid.reset();
    plain.reset();
}

} // namespace kv::bench
