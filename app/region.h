// TRegion: builds a window shape out of rectangles and ellipses and applies it to the window that
// owns it, so that only the covered part of the window shows and takes input. Shapes are QRegion
// values applied with QWidget::setMask; a step the windowing system could not do raises RegionError.
#pragma once

#include <QBrush>
#include <QByteArray>
#include <QFont>
#include <QObject>
#include <QRegion>
#include <optional>
#include <stdexcept>

class QWidget;

namespace kv::app {

enum TRegionCombine { rcAnd, rcIntersect, rcCopy, rcDifference, rcSubtract, rcOr, rcUnion, rcXor };
enum TRegionFillMode { fmAlternate, fmWinding };

// "region error": a region step failed; the operation stopped at that point.
class RegionError : public std::runtime_error {
public:
    RegionError()
        : std::runtime_error("region error") {}
};

class TRegion : public QObject {
    Q_OBJECT
public:
    // `owner` is the window the component shapes; it also owns the component. Destroying the
    // component leaves the owner with whatever shape was applied; a shape built but never applied
    // is released with the component.
    explicit TRegion(QWidget* owner);
    ~TRegion() override;

    // A rectangle, or the ellipse inscribed in the box, in window pixels with right and bottom
    // exclusive, combined into the built shape by CombineMode. The first shape ever built is taken
    // whole whatever the mode. While Active, the shape is taken back, changed and applied again.
    void AddRect(int x1, int y1, int x2, int y2);
    void AddEllipse(int x1, int y1, int x2, int y2);

    // true: the built shape becomes the window's shape (no built shape: the window loses its shape
    // and shows whole). false: the window's shape is taken back as the built shape and the window
    // shows whole; RegionError when the window has no shape to take back.
    bool Active() const { return active_; }
    void setActive(bool value);

    // Changes between BeginUpdate and the matching EndUpdate are applied once, at the end.
    void BeginUpdate();
    void EndUpdate();
    int updateCount() const { return updateCount_; }

    // The built shape as a region-data block (layout in region.cpp); empty when there is no built
    // shape, i.e. before the first Add or while Active.
    QByteArray RegionData() const;
    bool hasBuiltShape() const { return built_.has_value(); }

    TRegionCombine CombineMode() const { return combineMode_; }
    void setCombineMode(TRegionCombine mode) { combineMode_ = mode; }
    // Settings the component carries for its owner; the shape operations do not use them.
    TRegionFillMode FillMode() const { return fillMode_; }
    void setFillMode(TRegionFillMode mode);
    bool AutoInvalidate() const { return autoInvalidate_; }
    void setAutoInvalidate(bool on) { autoInvalidate_ = on; }
    const QBrush& Brush() const { return brush_; }
    void setBrush(const QBrush& brush);
    const QFont& Font() const { return font_; }
    void setFont(const QFont& font);

    QWidget* ownerWindow() const { return owner_; }

private:
    void combine(const QRegion& shape);
    void createEmptyBuilt();
    void applyToWindow(const QRegion* shape);
    void changed();

    QWidget* owner_;
    std::optional<QRegion> built_;
    bool active_ = false;
    int updateCount_ = 0;
    TRegionCombine combineMode_ = rcUnion;
    TRegionFillMode fillMode_ = fmWinding;
    bool autoInvalidate_ = true;
    QBrush brush_;
    QFont font_;
};

} // namespace kv::app
