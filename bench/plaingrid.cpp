// The plain grid of the baselines and the texts it shows.
#include "plaingrid.h"

#include "rawsqlite.h"

#include "data/store/isotime.h"

#include <QDateTime>
#include <QHeaderView>
#include <QTimeZone>

namespace kv::bench {

QByteArray rawColumns(const store::TableDef& def) {
    QByteArray columns = "\"_id\", \"" + store::sortKeyColumn(def.activeIndex).toUtf8() + '"';
    for (const store::FieldDef& f : def.fields)
        columns += ", \"" + f.name.toUtf8() + '"';
    return columns;
}

QList<store::FieldType> fieldTypes(const store::TableDef& def) {
    QList<store::FieldType> types;
    for (const store::FieldDef& f : def.fields)
        types << f.type;
    return types;
}

PlainRows::PlainRows(int total, QList<int> columnFields, QStringList titles)
    : total_(total)
    , fields_(std::move(columnFields))
    , titles_(std::move(titles)) {}

void PlainRows::setRows(int first, QList<QStringList> rows, QList<QFont> fonts) {
    first_ = first;
    rows_ = std::move(rows);
    fonts_ = std::move(fonts);
    Q_EMIT dataChanged(index(0, 0), index(total_ - 1, columnCount() - 1));
}

QVariant PlainRows::data(const QModelIndex& index, int role) const {
    const int r = index.row() - first_;
    if (r < 0 || r >= rows_.size())
        return {};
    if (role == Qt::FontRole && r < fonts_.size())
        return fonts_[r];
    if (role != Qt::DisplayRole)
        return {};
    return rows_[r].value(fields_[index.column()]);
}

QVariant PlainRows::headerData(int section, Qt::Orientation orientation, int role) const {
    return orientation == Qt::Horizontal && role == Qt::DisplayRole ? titles_.value(section) : QVariant();
}

PlainGrid::PlainGrid(const controls::DBGrid& grid)
    : size_(grid.size())
    , shown_(grid.rowAt(grid.viewport()->height() - 1) + 1)
    , rowHeight_(grid.verticalHeader()->defaultSectionSize()) {
    if (shown_ <= 0) // fewer rows than the screen holds: as many as fit
        shown_ = grid.viewport()->height() / rowHeight_ + 1;
    for (int c = 0; c < grid.gridModel()->columnCount(); ++c) {
        const int f = grid.gridModel()->fieldIndex(c);
        columnFields_ << (f < 0 ? -1 : f + kRawFieldOffset);
        widths_ << grid.columnWidth(c);
        hidden_ << grid.isColumnHidden(c);
        titles_ << grid.gridModel()->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    }
}

void PlainGrid::newView(int total) {
    view_.reset();
    rows_ = std::make_unique<PlainRows>(total, columnFields_, titles_);
    view_ = std::make_unique<QTableView>();
    view_->resize(size_);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view_->verticalHeader()->setDefaultSectionSize(rowHeight_);
    view_->setModel(rows_.get());
    for (int c = 0; c < widths_.size(); ++c) {
        view_->setColumnWidth(c, widths_[c]);
        view_->setColumnHidden(c, hidden_[c]);
    }
}

QList<QStringList> shownTexts(sqlite3_stmt* s, int rows, const QList<store::FieldType>& types) {
    QList<QStringList> out = RawSqlite::texts(s, rows);
    for (QStringList& row : out) {
        for (int f = 0; f < types.size(); ++f) {
            QString& cell = row[f + kRawFieldOffset];
            if (types[f] == store::FieldType::DateTime && !cell.isEmpty()) {
                const QByteArray iso = cell.toLatin1();
                qint64 ms = 0;
                store::millisFromIso(iso.constData(), iso.size(), &ms);
                const QDateTime dt = QDateTime::fromMSecsSinceEpoch(ms, QTimeZone::utc());
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
}

} // namespace kv::bench
