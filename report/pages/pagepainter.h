// Replaying a recorded page into any painter: the preview widget, a printer page, a PDF file or an
// image. Every output of recorded pages draws through paintPage.
#pragma once

#include "reportpage.h"

#include <QRectF>

class QPainter;

namespace kv::report {

// Draws `page` scaled so that its surface fills `target` (painter coordinates). The painter's
// state is left as it was.
void paintPage(const ReportPage& page, QPainter& painter, const QRectF& target);

} // namespace kv::report
