// A shape on a band: rectangle, square, rounded forms, ellipse or circle with a pen and a brush.
#pragma once

#include "reportcontrol.h"
#include "reporttypes.h"

#include <QBrush>
#include <QPen>

namespace kv::report {

class TShape : public TReportControl {
public:
    TShape() = default;

    TShapeType Shape = stRectangle;
    QPen Pen{Qt::black, 1, Qt::SolidLine}; // width in report pixels; 0 is the thinnest line
    QBrush Brush{Qt::white, Qt::SolidPattern};
};

} // namespace kv::report
