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

class ReportGrid : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    QFont font = reportFont();
};

// A grid of text cells with a width per column and a height per row, in pixels.
class StringGrid : public ReportGrid {
    Q_OBJECT
public:
    explicit StringGrid(QObject* parent = nullptr);

    int rowCount() const { return int(rowHeights_.size()); }
    int colCount() const { return int(colWidths_.size()); }
    // Resizes the grid; new columns are 64 and new rows 24 pixels, as a fresh grid has.
    void setSize(int cols, int rows);
    QString cell(int col, int row) const;
    void setCell(int col, int row, const QString& text);
    int colWidth(int col) const { return colWidths_.value(col); }
    void setColWidth(int col, int width);
    int rowHeight(int row) const { return rowHeights_.value(row); }
    void setRowHeight(int row, int height);

private:
    QList<int> colWidths_;
    QList<int> rowHeights_;
    QList<QStringList> cells_; // by row
};

// One column of a data-aware grid. A column without a field prints nothing.
struct GridColumn {
    QString fieldName;
    QString title;  // empty: the field's display label
    int width = 64; // pixels
    TextAlignment alignment = taLeftJustify;
};

// A data-aware grid: its data source and its columns.
class DataGrid : public ReportGrid {
    Q_OBJECT
public:
    using ReportGrid::ReportGrid;

    virtual kv::store::DataSource* dataSource() const { return dataSource_; }
    void setDataSource(kv::store::DataSource* ds) { dataSource_ = ds; }
    virtual QList<GridColumn> columns() const { return columns_; }
    void setColumns(const QList<GridColumn>& columns) { columns_ = columns; }

private:
    QPointer<kv::store::DataSource> dataSource_;
    QList<GridColumn> columns_;
};

} // namespace kv::report
