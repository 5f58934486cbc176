#pragma once
// The real clock: local wall-clock time (the system's time zone, daylight
// saving included) with the system clock's resolution, and a real sleep.

#include "platform/clock/clock.h"

namespace platform::clock {

class SystemClock final : public Clock {
public:
    double timeOfDay() const override;
    void sleep(std::chrono::milliseconds duration) override;
};

// The process-wide real clock.
SystemClock& systemClock();

}  // namespace platform::clock
