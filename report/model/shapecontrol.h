// A shape on a band: rectangle, square, rounded forms, ellipse or circle with a pen and a brush.
#pragma once

#include "reportcontrol.h"
#include "reporttypes.h"

#include <QBrush>
#include <QPen>

namespace kv::report {

class ShapeControl : public ReportControl {
public:
    ShapeControl() = default;

    ShapeType shape = stRectangle;
    QPen pen{Qt::black, 1, Qt::SolidLine}; // width in report pixels; 0 is the thinnest line
    QBrush brush{Qt::white, Qt::SolidPattern};
};

} // namespace kv::report
