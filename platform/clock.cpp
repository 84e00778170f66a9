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

}  // namespace

double Backend::WallClock() {
    // The steady clock is CLOCK_MONOTONIC on Linux, QueryPerformanceCounter
    // on Windows and performance.now() in a browser.
    static const AnchoredClock clock(MillisecondsOf<std::chrono::system_clock>,
                                     MillisecondsOf<std::chrono::steady_clock>);
    return clock.Seconds();
}

void Backend::WaitUntil(double deadline) {
    // Sleep in one piece until 0.3 ms before the deadline, then in 0.1 ms
    // steps while the caller re-reads the millisecond clock: no busy spin.
    const double remaining = deadline - WallClock() - 0.0003;
    const double pause = remaining > 0.0001 ? remaining : 0.0001;
    std::this_thread::sleep_for(std::chrono::duration<double>(pause));
}
