#include "platform/clock/manual_clock.h"

#include <cmath>

namespace platform::clock {

void ManualClock::set(double timeOfDay) {
    double day = std::fmod(timeOfDay, 1.0);
    if (day < 0.0) day += 1.0;
    // fmod of a tiny negative value plus 1.0 can round up to exactly 1.0.
    timeOfDay_ = day < 1.0 ? day : 0.0;
}

void ManualClock::advance(double seconds) { set(timeOfDay_ + daysFromSeconds(seconds)); }

void ManualClock::sleep(std::chrono::milliseconds duration) { advance(static_cast<double>(duration.count()) / 1000.0); }

}  // namespace platform::clock
