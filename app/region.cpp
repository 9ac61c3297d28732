// TRegion over QRegion and QWidget::setMask, with the region-data block a caller can read back.
#include "region.h"

#include <QWidget>
#include <QtEndian>

namespace kv::app {
namespace {

// Qt reads an empty mask as "no mask" (the whole window shows), while an applied empty shape must
// hide the whole window; such a shape is applied as one pixel outside the window instead.
const QRect kNothingVisible(-1, -1, 1, 1);

QRegion toMask(const QRegion& shape) {
    return shape.isEmpty() ? QRegion(kNothingVisible) : shape;
}
QRegion fromMask(const QRegion& mask) {
    return mask == QRegion(kNothingVisible) ? QRegion() : mask;
}

// The box from (x1, y1) to (x2, y2), right and bottom exclusive, in either corner order.
QRect box(int x1, int y1, int x2, int y2) {
    return QRect(QPoint(std::min(x1, x2), std::min(y1, y2)), QSize(std::abs(x2 - x1), std::abs(y2 - y1)));
}

void putLong(QByteArray& out, int offset, qint32 value) {
    qToLittleEndian(value, out.data() + offset);
}

} // namespace

TRegion::TRegion(QWidget* owner)
    : QObject(owner)
    , owner_(owner) {}

TRegion::~TRegion() = default;

void TRegion::AddRect(int x1, int y1, int x2, int y2) {
    combine(QRegion(box(x1, y1, x2, y2)));
}

void TRegion::AddEllipse(int x1, int y1, int x2, int y2) {
    const QRect b = box(x1, y1, x2, y2);
    combine(b.isEmpty() ? QRegion() : QRegion(b, QRegion::Ellipse));
}

void TRegion::combine(const QRegion& shape) {
    if (active_) {
        BeginUpdate();
        try {
            combine(shape);
        } catch (...) {
            EndUpdate();
            throw;
        }
        EndUpdate();
        return;
    }
    if (!built_) {
        createEmptyBuilt();
        *built_ = shape; // the first shape is the whole shape, whatever the mode
        return;
    }
    QRegion& b = *built_;
    switch (combineMode_) {
    case rcAnd:
    case rcIntersect:
        b = b.intersected(shape);
        break;
    case rcCopy:
        b = shape;
        break;
    case rcDifference:
    case rcSubtract:
        b = b.subtracted(shape);
        break;
    case rcOr:
    case rcUnion:
        b = b.united(shape);
        break;
    case rcXor:
        b = b.xored(shape);
        break;
    }
}

void TRegion::createEmptyBuilt() {
    if (built_)
        throw RegionError();
    built_.emplace();
}

void TRegion::setActive(bool value) {
    if (value == active_)
        return;
    if (value) {
        // The window takes the built shape over; the component holds none from now on.
        std::optional<QRegion> shape = std::move(built_);
        built_.reset();
        applyToWindow(shape ? &*shape : nullptr);
        active_ = true;
        return;
    }
    // Nothing to take back: the window has no shape of its own.
    if (!owner_ || owner_->mask().isEmpty())
        throw RegionError();
    createEmptyBuilt();
    *built_ = fromMask(owner_->mask());
    applyToWindow(nullptr);
    active_ = false;
}

void TRegion::applyToWindow(const QRegion* shape) {
    if (!owner_)
        throw RegionError();
    if (shape)
        owner_->setMask(toMask(*shape));
    else
        owner_->clearMask();
    // Inside BeginUpdate/EndUpdate the window is repainted once, when the final shape is applied.
    if (updateCount_ == 0)
        owner_->update();
}

void TRegion::BeginUpdate() {
    if (active_ || updateCount_ > 0) {
        ++updateCount_;
        try {
            setActive(false);
        } catch (...) {
            --updateCount_; // a shape that could not be taken back leaves no update open
            throw;
        }
    }
}

void TRegion::EndUpdate() {
    if (updateCount_ > 0) {
        --updateCount_;
        if (updateCount_ == 0)
            setActive(true);
    }
}

// Region-data block, little-endian, as the windowing API of the original platform lays it out:
//   offset  size  field
//   0       4     header size, always 32
//   4       4     type, 1 = rectangles
//   8       4     number of rectangles n
//   12      4     size of the rectangle part in bytes, 16 * n
//   16      16    bounding rectangle: left, top, right, bottom (right and bottom exclusive)
//   32      16*n  the rectangles, each left, top, right, bottom, in bands from top to bottom
QByteArray TRegion::RegionData() const {
    if (!built_)
        return {};
    const QRegion& r = *built_;
    const int n = int(r.rectCount());
    QByteArray out(32 + 16 * n, '\0');
    auto putRect = [&out](int offset, const QRect& rc) {
        putLong(out, offset, rc.left());
        putLong(out, offset + 4, rc.top());
        putLong(out, offset + 8, rc.left() + rc.width());
        putLong(out, offset + 12, rc.top() + rc.height());
    };
    putLong(out, 0, 32);
    putLong(out, 4, 1);
    putLong(out, 8, n);
    putLong(out, 12, 16 * n);
    putRect(16, r.isEmpty() ? QRect() : r.boundingRect());
    int offset = 32;
    for (const QRect& rc : r) {
        putRect(offset, rc);
        offset += 16;
    }
    return out;
}

void TRegion::setFillMode(TRegionFillMode mode) {
    fillMode_ = mode;
    changed();
}

void TRegion::setBrush(const QBrush& brush) {
    brush_ = brush;
    changed();
}

void TRegion::setFont(const QFont& font) {
    font_ = font;
    changed();
}

void TRegion::changed() {
    if (autoInvalidate_ && owner_)
        owner_->update();
}

} // namespace kv::app
