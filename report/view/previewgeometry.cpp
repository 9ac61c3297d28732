// Placement of the shown page in the preview.
#include "previewgeometry.h"

#include <cmath>

namespace kv::report {

PreviewPlacement placePreview(QSize pageSize, int zoom, QSize viewSize) {
    const int w = pageSize.width() * zoom / 100;
    const int h = pageSize.height() * zoom / 100;
    int left, right, top, bottom;
    if (w < viewSize.width()) {
        left = int(std::nearbyint(viewSize.width() / 2.0 - w / 2.0));
        right = left + w;
    } else {
        left = 3;
        right = w + 3;
    }
    if (h < viewSize.height()) {
        top = viewSize.height() / 2 - h / 2 - 2;
        bottom = top + h + 2;
    } else {
        top = 3;
        bottom = h + 3;
    }
    PreviewPlacement p;
    p.page = QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
    p.frame = QRect(QPoint(left - 1, top - 1), QPoint(right + 2, bottom + 2));
    // The paint box is the view's size, or the page plus 15; the scroll range adds 30 more.
    p.scrollSize = QSize(w < viewSize.width() ? viewSize.width() : w + 15 + 30,
                         h < viewSize.height() ? viewSize.height() : h + 15 + 30);
    return p;
}

} // namespace kv::report
