// anchored_clock.h - seconds since 1970 for timing: the real-time clock read
// once, then advanced by a monotonic clock only.  A step of the system's
// clock (a time server's correction, a changed date) then neither stalls nor
// rushes a timed wait, while the value still reads as a date near the start.
#pragma once

#include <cstdint>

class AnchoredClock {
public:
    using Milliseconds = std::int64_t (*)();

    // `wall`: milliseconds since 1970; `monotonic`: milliseconds from any start.
    AnchoredClock(Milliseconds wall, Milliseconds monotonic)
        : monotonic_(monotonic), startWall_(wall()), startMonotonic_(monotonic()) {}

    // Whole milliseconds.
    double Seconds() const { return static_cast<double>(startWall_ + (monotonic_() - startMonotonic_)) / 1000.0; }

    // The monotonic millisecond from which Seconds() reads more than
    // `seconds`, and no earlier than the next one: a wait for a deadline
    // sleeps once, to the very reading that ends it, and never spins.
    std::int64_t MonotonicPast(double seconds) const {
        constexpr double kFar = 1e11;  // seconds: the year 5138; a wait beyond it sleeps an hour at a time
        if (!(seconds < kFar)) return monotonic_() + 3'600'000;
        auto first = static_cast<std::int64_t>(seconds * 1000.0);
        while (static_cast<double>(first) / 1000.0 <= seconds) ++first;
        while (static_cast<double>(first - 1) / 1000.0 > seconds) --first;
        const std::int64_t next = monotonic_() + 1;
        const std::int64_t past = startMonotonic_ + (first - startWall_);
        return past > next ? past : next;
    }

private:
    Milliseconds monotonic_;
    std::int64_t startWall_;
    std::int64_t startMonotonic_;
};
