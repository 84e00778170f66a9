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

private:
    Milliseconds monotonic_;
    std::int64_t startWall_;
    std::int64_t startMonotonic_;
};
