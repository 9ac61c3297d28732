// The data-aware grid's model: the screen's window over a table's view, paged reading, the cache
// that a data change drops, cell texts and row styles, and edits written back through the table.
#include "dbgridmodel.h"

#include "data/store/storeerror.h"
#include "data/store/valueconv.h"
#include "ui/dialogs.h"
#include "ui/exceptionhook.h"

namespace kv::controls {

DBGridModel::DBGridModel(QObject* parent)
    : QAbstractTableModel(parent) {}

store::Table* DBGridModel::table() const {
    return source_ ? source_->dataSet() : nullptr;
}

void DBGridModel::setDataSource(store::DataSource* source) {
    for (const auto& c : connections_)
        disconnect(c);
    connections_.clear();
    source_ = source;
    if (source) {
        connections_ << connect(source, &store::DataSource::dataChanged, this, &DBGridModel::onRecordChanged);
        connections_ << connect(source, &store::DataSource::stateChanged, this, &DBGridModel::onStateChanged);
        connections_ << connect(source, &store::DataSource::dataSetChanged, this,
                                &DBGridModel::onDataSetChanged);
    }
    onDataSetChanged();
}

void DBGridModel::onDataSetChanged() {
    beginResetModel();
    if (columns_.state() == DBGridColumns::State::Default) {
        if (store::Table* t = table())
            columns_.setDefaults(t->definition());
        else
            columns_.setDefaults({});
    }
    mapColumns();
    pages_.clear();
    readFailed_ = false;
    view_ = currentView();
    count_ = view_.count;
    top_ = 0;
    lastRowId_ = table() && table()->isOpen() ? table()->rowId() : 0;
    endResetModel();
    Q_EMIT viewCountChanged();
}

void DBGridModel::setColumns(const DBGridColumns& columns) {
    beginResetModel();
    columns_ = columns;
    mapColumns();
    endResetModel();
}

void DBGridModel::moveColumn(int from, int to) {
    beginResetModel();
    columns_.move(from, to);
    mapColumns();
    endResetModel();
}

void DBGridModel::mapColumns() {
    columnFields_.clear();
    const store::Table* t = table();
    for (int c = 0; c < columns_.count(); ++c)
        columnFields_ << (t ? columns_.fieldIndex(c, t->definition()) : -1);
}

void DBGridModel::setRowStyleHook(DBGridRowStyleHook hook) {
    styleHook_ = std::move(hook);
    if (rowCount() > 0 && columnCount() > 0)
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1),
                           {Qt::FontRole, Qt::ForegroundRole});
}

DBGridModel::View DBGridModel::currentView() const {
    store::Table* t = table();
    if (!t || !t->isOpen())
        return {};
    return View{t->filtered(), t->filter(), t->recordCount()};
}

int DBGridModel::cursorRow() const {
    store::Table* t = table();
    return t && t->isOpen() ? t->recNo() : -1;
}

// A record shown anew is either a move to another record, which leaves the rows as they were unless
// the view itself changed (filter, count), or the same record re-read after a post, cancel, edit or
// refresh, which may have changed any row.
void DBGridModel::onRecordChanged(int fieldIndex) {
    store::Table* t = table();
    if (fieldIndex >= 0) {
        const int row = cursorRow() - top_;
        if (row >= 0 && row < rowCount()) {
            for (int c = 0; c < columnCount(); ++c) {
                if (this->fieldIndex(c) == fieldIndex)
                    Q_EMIT dataChanged(index(row, c), index(row, c));
            }
        }
        return;
    }
    const qint64 rowId = t && t->isOpen() ? t->rowId() : 0;
    const bool moved = rowId != lastRowId_;
    lastRowId_ = rowId;
    if (!moved || currentView() != view_)
        refreshRows();
    Q_EMIT cursorRowChanged(cursorRow());
}

void DBGridModel::onStateChanged() {
    store::Table* t = table();
    if (!t || !t->isOpen()) {
        onDataSetChanged();
        return;
    }
    const int row = cursorRow() - top_;
    if (row >= 0 && row < rowCount() && columnCount() > 0)
        Q_EMIT dataChanged(index(row, 0), index(row, columnCount() - 1));
}

// Drops the cached rows and tells the view: every shown row may have changed, and the window
// keeps its top unless the view has grown too short for it.
void DBGridModel::refreshRows() {
    pages_.clear();
    readFailed_ = false;
    view_ = currentView();
    setWindow(view_.count, std::min(top_, std::max(view_.count - 1, 0)), screenRows_);
    if (rowCount() > 0 && columnCount() > 0)
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    Q_EMIT viewCountChanged();
}

// A screen has as many rows as it shows whatever its top, so moving it lays nothing out again (at
// the end of the view its part row at the bottom stays empty). Rows come and go at the end, so the
// view keeps its columns, widths and current column.
void DBGridModel::setWindow(int count, int top, int screenRows) {
    const int before = rowCount();
    const int after = std::min(count, screenRows);
    if (after > before)
        beginInsertRows({}, before, after - 1);
    else if (after < before)
        beginRemoveRows({}, after, before - 1);
    count_ = count;
    top_ = top;
    screenRows_ = screenRows;
    if (after > before)
        endInsertRows();
    else if (after < before)
        endRemoveRows();
}

void DBGridModel::setScreenRows(int rows) {
    setWindow(count_, top_, std::max(rows, 1));
}

void DBGridModel::setTopRow(int row) {
    row = std::clamp(row, 0, std::max(count_ - 1, 0));
    if (row == top_)
        return;
    setWindow(count_, row, screenRows_);
    if (rowCount() > 0 && columnCount() > 0)
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

const store::Record* DBGridModel::record(int row) const {
    store::Table* t = table();
    if (!t || !t->isOpen() || row < 0 || row >= count_)
        return nullptr;
    auto it = pages_.upper_bound(row);
    if (it == pages_.begin() || row >= std::prev(it)->first + std::prev(it)->second.span)
        it = readPage(row);
    else
        --it;
    it->second.lastUse = ++useClock_;
    const int offset = row - it->first;
    return offset < it->second.rows.size() ? &it->second.rows[offset] : nullptr;
}

// Reads the rows around `row` that no page holds yet: forward from it, or, when the row after it
// is already held (a view scrolling up), backward to it.
std::map<int, DBGridModel::Page>::iterator DBGridModel::readPage(int row) const {
    auto next = pages_.upper_bound(row);
    const int nextFirst = next == pages_.end() ? count_ : next->first;
    const int prevEnd = next == pages_.begin() ? 0 : std::prev(next)->first + std::prev(next)->second.span;
    const bool backward = nextFirst == row + 1 && row > prevEnd;
    const int first = backward ? std::max(prevEnd, row + 1 - screenRows_) : row;
    const int span = backward ? row + 1 - first : std::min(nextFirst, row + screenRows_) - row;

    if (pages_.size() >= std::size_t(kCachedPages)) {
        auto oldest = pages_.begin();
        for (auto p = pages_.begin(); p != pages_.end(); ++p) {
            if (p->second.lastUse < oldest->second.lastUse)
                oldest = p;
        }
        pages_.erase(oldest);
    }
    rowsRequested_ += span;
    QList<store::Record> rows;
    try {
        rows = table()->rows(first, span);
    } catch (const store::StoreError&) {
        // Rows are read while the view paints, where an exception must not pass through Qt;
        // the failure is reported once the paint is over, and the page stays empty until the
        // data changes again.
        if (!readFailed_) {
            readFailed_ = true;
            QMetaObject::invokeMethod(
                const_cast<DBGridModel*>(this), [e = std::current_exception()] { ui::handleException(e); },
                Qt::QueuedConnection);
        }
    }
    return pages_.emplace(first, Page{span, std::move(rows), 0}).first;
}

int DBGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : std::min(count_, screenRows_);
}

int DBGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns_.count();
}

QVariant DBGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    if (role != Qt::DisplayRole && role != Qt::EditRole && role != Qt::FontRole && role != Qt::ForegroundRole)
        return {};
    const store::Record* rec = record(top_ + index.row());
    if (!rec)
        return {};
    if (role == Qt::FontRole || role == Qt::ForegroundRole) {
        if (!styleHook_)
            return {};
        const DBGridRowStyle style = styleHook_(*rec);
        if (role == Qt::FontRole && style.font)
            return *style.font;
        if (role == Qt::ForegroundRole && style.color)
            return *style.color;
        return {};
    }
    const int f = fieldIndex(index.column());
    if (f < 0)
        return QString();
    store::Table* t = table();
    const store::FieldDef& def = t->definition().fields[f];
    // The record being edited shows what has been typed so far, not what is stored.
    if (t->state() == store::Table::State::Edit && rec->rowId == t->rowId())
        return store::storedText(def.type, t->storedValue(f));
    return store::storedText(def.type, rec->values.value(f));
}

QVariant DBGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= columns_.count())
        return {};
    store::Table* t = table();
    return t ? columns_.title(section, t->definition()) : columns_.at(section).fieldName;
}

Qt::ItemFlags DBGridModel::flags(const QModelIndex& index) const {
    if (!index.isValid() || top_ + index.row() >= count_)
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    const int field = fieldIndex(index.column());
    if (!readOnly_ && field >= 0) {
        const store::FieldType type = table()->definition().fields[field].type;
        if (type != store::FieldType::Memo && type != store::FieldType::Graphic)
            f |= Qt::ItemIsEditable;
    }
    return f;
}

bool DBGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    const int f = fieldIndex(index.column());
    store::Table* t = table();
    if (role != Qt::EditRole || readOnly_ || f < 0 || !t || !t->isOpen() || top_ + index.row() >= count_)
        return false;
    try {
        if (t->recNo() != top_ + index.row())
            t->moveTo(top_ + index.row());
        t->edit();
        t->field(f).setAsString(value.toString());
        t->post();
    } catch (const store::StoreError& e) {
        if (t->state() != store::Table::State::Browse)
            t->cancel();
        ui::showError(e.message());
        return false;
    }
    return true;
}

} // namespace kv::controls
