// The thin bar along the bottom of a labelled edit that shows how much of the allowed length the
// text uses: a single-line border, white background, no percentage text.
#pragma once

#include <QColor>
#include <QWidget>

namespace kv::controls {

// Green below 0.9 of the maximum, red from 0.9 up; with no maximum the colour stays `current`.
QColor fillBarColour(int position, int maximum, const QColor& current);

class TFillBar : public QWidget {
    Q_OBJECT
public:
    // 4 pixels high: the bar's fixed height inside a labelled edit.
    static constexpr int kHeight = 4;

    explicit TFillBar(QWidget* parent = nullptr);

    int maximum() const { return maximum_; }
    void setMaximum(int m);
    int position() const { return position_; }
    void setPosition(int p);
    QColor barColor() const { return colour_; }
    void setBarColor(const QColor& c);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int maximum_ = 0;
    int position_ = 0;
    QColor colour_{0, 255, 0};
};

} // namespace kv::controls
