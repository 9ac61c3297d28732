// The string grid a grid band prints.
#include "reportgrid.h"

namespace kv::report {

StringGrid::StringGrid(QObject* parent)
    : ReportGrid(parent) {}

void StringGrid::setSize(int cols, int rows) {
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

QString StringGrid::cell(int col, int row) const {
    return cells_.value(row).value(col);
}

void StringGrid::setCell(int col, int row, const QString& text) {
    if (row < 0 || row >= rowCount() || col < 0 || col >= colCount())
        return;
    cells_[row][col] = text;
}

void StringGrid::setColWidth(int col, int width) {
    if (col >= 0 && col < colCount())
        colWidths_[col] = width;
}

void StringGrid::setRowHeight(int row, int height) {
    if (row >= 0 && row < rowCount())
        rowHeights_[row] = height;
}

} // namespace kv::report
