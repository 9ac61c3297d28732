// The model of a data-aware grid: the rows of a table's current view that the grid has on its
// screen, one column per entry of the grid's column list. The view's records are counted, never
// listed: the model's rows are a window from a top record, as many as the screen shows, so the
// table view over it never keeps more than a screen of rows, however long the view. Rows are read a
// screen at a time and a few screens are kept; the model follows the table through a data source
// and owns no table.
#pragma once

#include "dbgridcolumns.h"

#include "data/store/datasource.h"
#include "data/store/table.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QFont>
#include <QPointer>
#include <algorithm>
#include <functional>
#include <map>
#include <optional>

namespace kv::controls {

// How one row is drawn; an unset member keeps the grid's own.
struct DBGridRowStyle {
    std::optional<QFont> font;
    std::optional<QColor> color;
};
// Given a row's record (values in the table's field order, in stored form), returns its style.
using DBGridRowStyleHook = std::function<DBGridRowStyle(const store::Record&)>;

class DBGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kPageRows = 64; // the screen's rows until the view gives its own
    static constexpr int kCachedPages = 8;

    explicit DBGridModel(QObject* parent = nullptr);

    // The data source followed (not owned). Without one, or with its table closed, there are no rows.
    void setDataSource(store::DataSource* source);
    store::DataSource* dataSource() const { return source_; }
    store::Table* table() const;

    // Replaces the column list; the model is reset. A default list is rebuilt from the table's
    // fields whenever the data source's table changes.
    void setColumns(const DBGridColumns& columns);
    const DBGridColumns& columns() const { return columns_; }
    void moveColumn(int from, int to);
    void resizeColumn(int column, int pixels) { columns_.resize(column, pixels); }
    // The table field shown in a model column, -1 for a column whose field the table lacks.
    int fieldIndex(int column) const { return columnFields_.value(column, -1); }

    void setReadOnly(bool on) { readOnly_ = on; }
    bool isReadOnly() const { return readOnly_; }
    void setRowStyleHook(DBGridRowStyleHook hook);
    // The rows the screen shows, a part row included (at least one): the model's rows, and the
    // rows read at a time, so a screen costs one read of just its rows.
    void setScreenRows(int rows);
    int screenRows() const { return screenRows_; }
    // The view's records, and the first of them on the screen (model row 0).
    int viewCount() const { return count_; }
    int topRow() const { return top_; }
    // Shows the records from `row` on (kept within the view).
    void setTopRow(int row);

    // Rows asked of the table since the model was made, for tests of the paging.
    qint64 rowsRequested() const { return rowsRequested_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Edits the record of that row and posts it; a store failure is shown and the edit cancelled.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

Q_SIGNALS:
    // The table's cursor now stands on the view's record `row` (-1: no record). Emitted after the
    // rows are up to date.
    void cursorRowChanged(int row);
    // The number of the view's records may have changed.
    void viewCountChanged();

private:
    // Rows read together: `span` rows from the page's first row were asked for, `rows` came back
    // (fewer when rows went away meanwhile; the rest show empty until the data changes).
    struct Page {
        int span = 0;
        QList<store::Record> rows;
        quint64 lastUse = 0;
    };
    // What a cursor move must leave alone for the cached rows to stay valid.
    struct View {
        bool filtered = false;
        QString filter;
        int count = 0;
        bool operator==(const View&) const = default;
    };

    void mapColumns();
    const store::Record* record(int row) const;
    std::map<int, Page>::iterator readPage(int row) const;
    void onDataSetChanged();
    void onRecordChanged(int fieldIndex);
    void onStateChanged();
    View currentView() const;
    void refreshRows();
    void setWindow(int count, int top, int screenRows);
    int cursorRow() const;

    QPointer<store::DataSource> source_;
    QList<QMetaObject::Connection> connections_;
    DBGridColumns columns_;
    QList<int> columnFields_; // fieldIndex() of each column, kept with the column list
    bool readOnly_ = false;
    DBGridRowStyleHook styleHook_;

    int screenRows_ = kPageRows;
    mutable std::map<int, Page> pages_; // by the view's row of the first
    mutable quint64 useClock_ = 0;
    mutable qint64 rowsRequested_ = 0;
    mutable bool readFailed_ = false; // a failed read was reported since the data last changed
    int count_ = 0;
    int top_ = 0;
    View view_;
    qint64 lastRowId_ = 0;
};

} // namespace kv::controls
