// The splash animation's steps: 37 opening ticks from a 2-pixel ellipse to the full circle with the
// text strip, and closing ticks back until the box is gone.
#include "splashanimation.h"

namespace kv::app {

SplashAnimation::Step SplashAnimation::tick() {
    Step step;
    if (opening_) {
        box_ = {box_.left - 2, box_.top - 2, box_.right + 2, box_.bottom + 2};
        if (box_.left < 2) {
            opening_ = false;
            step.finished = true;
            // The strip under the picture carries the progress text.
            step.strip = EdgeBox{box_.left - 1, box_.top + 150, box_.left + 151, box_.top + 163};
        }
        step.ellipse = box_;
        return step;
    }
    box_ = {box_.left + 2, box_.top + 2, box_.right - 2, box_.bottom - 2};
    if (box_.left >= box_.right) {
        step.finished = true;
        step.applyShape = false;
        box_ = kStartBox;
        step.ellipse = box_;
        return step;
    }
    step.ellipse = box_;
    return step;
}

} // namespace kv::app
