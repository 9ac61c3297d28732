// The splash window's growing and shrinking ellipse, without a window: each tick moves the
// ellipse's box 2 pixels out (opening) or in (closing) and says what shape the window takes.
#pragma once

#include <QRect>
#include <optional>

namespace kv::app {

// A box by its edges, right and bottom exclusive, as the shape calls take it.
struct EdgeBox {
    int left = 0, top = 0, right = 0, bottom = 0;
    friend bool operator==(const EdgeBox&, const EdgeBox&) = default;
};

class SplashAnimation {
public:
    static constexpr EdgeBox kStartBox{75, 75, 77, 77};

    struct Step {
        EdgeBox ellipse;
        std::optional<EdgeBox> strip; // the text strip, on the last opening tick only
        bool applyShape = true;       // false on the closing tick that closes the window
        bool finished = false;        // the opening or the closing has just ended
    };

    bool opening() const { return opening_; }
    const EdgeBox& box() const { return box_; }

    // One timer tick.
    Step tick();
    // Switches to closing; the box shrinks from where the opening left it.
    void startClosing() { opening_ = false; }

private:
    EdgeBox box_ = kStartBox;
    bool opening_ = true;
};

} // namespace kv::app
