#pragma once
// A clock that tests and offline tools move by hand. It starts at the time
// of day given (default 0.5, noon) and changes only through set, advance and
// sleep; it wraps to 0 at midnight like the real one.

#include "platform/clock/clock.h"

namespace platform::clock {

class ManualClock final : public Clock {
public:
    explicit ManualClock(double timeOfDay = 0.5) { set(timeOfDay); }

    double timeOfDay() const override { return timeOfDay_; }
    // Advances by the duration.
    void sleep(std::chrono::milliseconds duration) override;

    // Any value; kept as its fraction in [0, 1).
    void set(double timeOfDay);
    // Moves on by `seconds` (may be negative), wrapping at midnight.
    void advance(double seconds);

private:
    double timeOfDay_ = 0.0;
};

}  // namespace platform::clock
