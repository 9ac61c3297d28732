// The frame of a band: which of its four sides get a line, and the pen of that line.
#pragma once

#include <QObject>
#include <QPen>

namespace kv::report {

class BandFrame : public QObject {
    Q_OBJECT
public:
    explicit BandFrame(QObject* parent = nullptr);

    bool bottom() const { return bottom_; }
    void setBottom(bool on) { set(bottom_, on); }
    bool top() const { return top_; }
    void setTop(bool on) { set(top_, on); }
    bool left() const { return left_; }
    void setLeft(bool on) { set(left_, on); }
    bool right() const { return right_; }
    void setRight(bool on) { set(right_, on); }
    // Solid black, width 1 by default. The width counts report pixels.
    const QPen& pen() const { return pen_; }
    void setPen(const QPen& pen);

Q_SIGNALS:
    void onFrameChange();

private:
    void set(bool& side, bool on);

    bool bottom_ = false;
    bool top_ = false;
    bool left_ = false;
    bool right_ = false;
    QPen pen_{Qt::black, 1, Qt::SolidLine};
};

} // namespace kv::report
