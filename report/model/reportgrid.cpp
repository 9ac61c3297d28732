// The string grid a grid band prints.
#include "reportgrid.h"

namespace kv::report {

TReportStringGrid::TReportStringGrid(QObject* parent)
    : TReportGrid(parent) {}

void TReportStringGrid::SetSize(int cols, int rows) {
    cols = std::max(cols, 0);
    rows = std::max(rows, 0);
    while (colWidths_.size() < cols)
        colWidths_.append(64);
    colWidths_.resize(cols);
    while (rowHeights_.size() < rows)
        rowHeights_.append(24);
    rowHeights_.resize(rows);
    cells_.resize(rows);
    for (QStringList& row : cells_)
        row.resize(cols);
}

QString TReportStringGrid::Cell(int col, int row) const {
    return cells_.value(row).value(col);
}

void TReportStringGrid::SetCell(int col, int row, const QString& text) {
    if (row < 0 || row >= RowCount() || col < 0 || col >= ColCount())
        return;
    cells_[row][col] = text;
}

void TReportStringGrid::SetColWidth(int col, int width) {
    if (col >= 0 && col < ColCount())
        colWidths_[col] = width;
}

void TReportStringGrid::SetRowHeight(int row, int height) {
    if (row >= 0 && row < RowCount())
        rowHeights_[row] = height;
}

} // namespace kv::report
