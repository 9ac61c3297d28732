// Where the preview draws the shown page: the page's place in the view at a zoom, the frame around
// it, and the size of the scrollable area. Plain arithmetic, tested without a widget.
#pragma once

#include <QRect>
#include <QSize>

namespace kv::report {

struct PreviewPlacement {
    QRect page;       // the page is replayed stretched into this rectangle
    QRect frame;      // the white, black-outlined sheet drawn under it
    QSize scrollSize; // size of the scrollable area (the view's size where the page fits)
};

// `pageSize` in report pixels, `zoom` in percent, `viewSize` the visible area of the view.
// A page narrower than the view is centred (halves rounded to even); a wider one starts 3 pixels
// from the edge and the scrollable width is the page's plus 45. The same holds vertically,
// where a centred page sits 2 pixels higher and 2 pixels taller.
PreviewPlacement placePreview(QSize pageSize, int zoom, QSize viewSize);

} // namespace kv::report
