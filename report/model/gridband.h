// A band that prints the cells of a grid as a table, one band row per grid row.
#pragma once

#include "reportgrid.h"
#include "band.h"

namespace kv::report {

class GridBand : public Band {
    Q_OBJECT
public:
    using Band::Band;

    bool isGridBand() const override { return true; }
    // The grid to print; cleared when it goes away.
    ReportGrid* grid() const { return grid_; }
    void setGrid(ReportGrid* grid) { grid_ = grid; }

private:
    QPointer<ReportGrid> grid_;
};

} // namespace kv::report
