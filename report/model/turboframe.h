// The frame of a band: which of its four sides get a line, and the pen of that line.
#pragma once

#include <QObject>
#include <QPen>

namespace kv::report {

class TTurboFrame : public QObject {
    Q_OBJECT
public:
    explicit TTurboFrame(QObject* parent = nullptr);

    bool Bottom() const { return bottom_; }
    void SetBottom(bool on) { set(bottom_, on); }
    bool Top() const { return top_; }
    void SetTop(bool on) { set(top_, on); }
    bool Left() const { return left_; }
    void SetLeft(bool on) { set(left_, on); }
    bool Right() const { return right_; }
    void SetRight(bool on) { set(right_, on); }
    // Solid black, width 1 by default. The width counts report pixels.
    const QPen& Pen() const { return pen_; }
    void SetPen(const QPen& pen);

Q_SIGNALS:
    void OnFrameChange();

private:
    void set(bool& side, bool on);

    bool bottom_ = false;
    bool top_ = false;
    bool left_ = false;
    bool right_ = false;
    QPen pen_{Qt::black, 1, Qt::SolidLine};
};

} // namespace kv::report
