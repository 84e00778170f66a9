// clock.cpp - the one real-time clock of the backends.
#include <chrono>
#include <ctime>
#include <thread>

#include "platform/backend.h"

double Backend::WallClock() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    // Whole milliseconds, as the clock promises: the division truncates on purpose.
    // NOLINTNEXTLINE(bugprone-integer-division)
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec / 1000000) * 0.001;
}

void Backend::WaitUntil(double deadline) {
    // Sleep in one piece until 0.3 ms before the deadline, then in 0.1 ms
    // steps while the caller re-reads the millisecond clock: no busy spin.
    const double remaining = deadline - WallClock() - 0.0003;
    const double pause = remaining > 0.0001 ? remaining : 0.0001;
    std::this_thread::sleep_for(std::chrono::duration<double>(pause));
}
