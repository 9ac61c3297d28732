// The baseline of the grid cases: a plain QTableView over texts the raw engine read, given the
// size, columns, widths, row height and titles of the data-aware grid it is measured against, and
// optionally a font per row.
#pragma once

#include "controls/dbgrid.h"
#include "data/store/tabledef.h"

#include <QAbstractTableModel>
#include <QFont>
#include <QStringList>
#include <QTableView>
#include <memory>
#include <sqlite3.h>

namespace kv::bench {

// The raw rows carry the row id and the sort key first, then the fields in the program's order.
constexpr int kRawFieldOffset = 2;
// The column list of such a row for a SELECT on the table of `def`.
QByteArray rawColumns(const store::TableDef& def);
QList<store::FieldType> fieldTypes(const store::TableDef& def);

// `total` rows of which only those set (from `first`) have texts and fonts.
class PlainRows : public QAbstractTableModel {
public:
    PlainRows(int total, QList<int> columnFields, QStringList titles);
    void setRows(int first, QList<QStringList> rows, QList<QFont> fonts = {});
    int rowCount(const QModelIndex& = {}) const override { return total_; }
    int columnCount(const QModelIndex& = {}) const override { return int(fields_.size()); }
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    int total_;
    QList<int> fields_;
    QStringList titles_;
    int first_ = 0;
    QList<QStringList> rows_;
    QList<QFont> fonts_;
};

// Plain views shaped as `grid` shows itself when this is made; newView() makes one over `total` rows.
class PlainGrid {
public:
    explicit PlainGrid(const controls::DBGrid& grid);
    void newView(int total);
    QTableView& view() { return *view_; }
    PlainRows& rows() { return *rows_; }
    // Rows the grid's screen shows.
    int shown() const { return shown_; }

private:
    QSize size_;
    int shown_ = 0;
    int rowHeight_ = 0;
    QList<int> columnFields_, widths_;
    QStringList titles_;
    QList<bool> hidden_;
    std::unique_ptr<PlainRows> rows_;
    std::unique_ptr<QTableView> view_;
};

// What a plain program shows of `rows` raw rows of `s`: dates as d.M.yyyy (with the time when
// they have one), Booleans as True/False, a picture as (GRAPHIC).
QList<QStringList> shownTexts(sqlite3_stmt* s, int rows, const QList<store::FieldType>& types);

} // namespace kv::bench
