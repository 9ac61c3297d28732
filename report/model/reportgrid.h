// What a grid band prints: the cells of a string grid, or the columns of a data-aware grid over
// the records of its data set. A grid widget elsewhere joins a band through one of these.
#pragma once

#include "data/store/datasource.h"

#include "reportfont.h"
#include "reporttypes.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

namespace kv::report {

class TReportGrid : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    QFont Font = reportFont();
};

// A grid of text cells with a width per column and a height per row, in pixels.
class TReportStringGrid : public TReportGrid {
    Q_OBJECT
public:
    explicit TReportStringGrid(QObject* parent = nullptr);

    int RowCount() const { return int(rowHeights_.size()); }
    int ColCount() const { return int(colWidths_.size()); }
    // Resizes the grid; new columns are 64 and new rows 24 pixels, as a fresh grid has.
    void SetSize(int cols, int rows);
    QString Cell(int col, int row) const;
    void SetCell(int col, int row, const QString& text);
    int ColWidth(int col) const { return colWidths_.value(col); }
    void SetColWidth(int col, int width);
    int RowHeight(int row) const { return rowHeights_.value(row); }
    void SetRowHeight(int row, int height);

private:
    QList<int> colWidths_;
    QList<int> rowHeights_;
    QList<QStringList> cells_; // by row
};

// One column of a data-aware grid. A column without a field prints nothing.
struct TReportGridColumn {
    QString FieldName;
    QString Title;  // empty: the field's display label
    int Width = 64; // pixels
    TAlignment Alignment = taLeftJustify;
};

// A data-aware grid: its data source and its columns.
class TReportDataGrid : public TReportGrid {
    Q_OBJECT
public:
    using TReportGrid::TReportGrid;

    virtual kv::store::DataSource* DataSource() const { return dataSource_; }
    void SetDataSource(kv::store::DataSource* ds) { dataSource_ = ds; }
    virtual QList<TReportGridColumn> Columns() const { return columns_; }
    void SetColumns(const QList<TReportGridColumn>& columns) { columns_ = columns; }

private:
    QPointer<kv::store::DataSource> dataSource_;
    QList<TReportGridColumn> columns_;
};

} // namespace kv::report
