// clock.cpp - the one real-time clock of the backends.
#include <chrono>
#include <thread>

#include "platform/anchored_clock.h"
#include "platform/backend.h"

namespace {

template <class Clock>
std::int64_t MillisecondsOf() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch()).count();
}

const AnchoredClock& TheClock() {
    // The steady clock is CLOCK_MONOTONIC on Linux, QueryPerformanceCounter
    // on Windows and performance.now() in a browser.
    static const AnchoredClock clock(MillisecondsOf<std::chrono::system_clock>,
                                     MillisecondsOf<std::chrono::steady_clock>);
    return clock;
}

}  // namespace

double Backend::WallClock() { return TheClock().Seconds(); }

void Backend::WaitUntil(double deadline) {
    // One sleep to the millisecond at which the clock reads past the
    // deadline: the caller's next reading ends its wait (sleeping to just
    // before it and then in short steps woke a frame four times).
    const std::chrono::milliseconds past{TheClock().MonotonicPast(deadline)};
    std::this_thread::sleep_until(std::chrono::steady_clock::time_point(past));
}
