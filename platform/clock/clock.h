#pragma once
// The clock the measuring loop reads: local time of day and a sleep.
//
// Time of day is a fraction of a day in a double: 0.0 is midnight, 0.5 noon,
// 1.0 would be the next midnight (never reached: the value wraps to 0). One
// second is 1 / 86400 ≈ 1.157e-5. Differences across midnight come out
// negative; callers decide what that means.

#include <chrono>

namespace platform::clock {

inline constexpr double kSecondsPerDay = 86400.0;

// Seconds as a fraction of a day.
constexpr double daysFromSeconds(double seconds) { return seconds / kSecondsPerDay; }

class Clock {
public:
    virtual ~Clock() = default;
    // Local time of day, in [0, 1).
    virtual double timeOfDay() const = 0;
    // Blocks the calling thread for `duration` (a manual clock only advances).
    virtual void sleep(std::chrono::milliseconds duration) = 0;
};

}  // namespace platform::clock
