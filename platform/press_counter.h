// press_counter.h - the click count of a button press, as a window system
// counts it: presses of one button that follow each other within 500 ms and
// 32 pixels count up (the second is a double click's), any other starts at 1.
// For backends whose window system does not count presses itself.
#pragma once

#include <cstdlib>

class PressCounter {
public:
    // The count of a press of `button` at (x, y) at `nowMs` milliseconds.
    int Press(int button, int x, int y, double nowMs) {
        const bool continues = button == button_ && nowMs - ms_ < kDoubleClickMs &&
                               std::abs(x - x_) <= kDoubleClickRadius && std::abs(y - y_) <= kDoubleClickRadius;
        count_ = continues ? count_ + 1 : 1;
        button_ = button;
        x_ = x;
        y_ = y;
        ms_ = nowMs;
        return count_;
    }
    // The count of the last press (for its release).
    int Last() const { return count_; }

private:
    static constexpr double kDoubleClickMs = 500;
    static constexpr int kDoubleClickRadius = 32;
    int button_ = 0, x_ = 0, y_ = 0, count_ = 0;
    double ms_ = -1e18;
};
