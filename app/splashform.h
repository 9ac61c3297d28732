// TSplashForm: the borderless start-up window whose picture opens as a growing ellipse, shows the
// progress text in a strip under it and closes as a shrinking ellipse. Its shape is set through
// TRegion on every tick of Timer1.
#pragma once

#include "splashanimation.h"

#include <QImage>
#include <QWidget>

class QLabel;
class QTimer;

namespace kv::app {

class TSplashForm : public QWidget {
    Q_OBJECT
public:
    // `intervalMs` is the animation step, 20 ms in the program.
    explicit TSplashForm(int intervalMs = 20, QWidget* parent = nullptr);

    QLabel* InfoLabel;
    QTimer* Timer1;

    // Set when the opening or the closing has ended; the start-up sequence waits for it.
    bool finished() const { return finished_; }
    void clearFinished() { finished_ = false; }
    // Shrinks the ellipse on the following ticks and closes the window at the end.
    void startClosing();

    const SplashAnimation& animation() const { return animation_; }

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void Timer1Timer();
    void applyShape(const SplashAnimation::Step& step);

    SplashAnimation animation_;
    QImage picture_;
    bool finished_ = false;
};

} // namespace kv::app
