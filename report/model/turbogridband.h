// A band that prints the cells of a grid as a table, one band row per grid row.
#pragma once

#include "reportgrid.h"
#include "turboband.h"

namespace kv::report {

class TTurboGridBand : public TTurboBand {
    Q_OBJECT
public:
    using TTurboBand::TTurboBand;

    bool IsGridBand() const override { return true; }
    // The grid to print; cleared when it goes away.
    TReportGrid* Grid() const { return grid_; }
    void SetGrid(TReportGrid* grid) { grid_ = grid; }

private:
    QPointer<TReportGrid> grid_;
};

} // namespace kv::report
