#include "platform/clock/manual_clock.h"
#include "platform/clock/system_clock.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <ctime>

namespace {

using platform::clock::daysFromSeconds;
using platform::clock::ManualClock;

TEST(ManualClock, MovesOnlyWhenToldAndWrapsAtMidnight) {
    ManualClock clock(0.25);
    EXPECT_EQ(clock.timeOfDay(), 0.25);
    clock.advance(3600.0);
    EXPECT_NEAR(clock.timeOfDay(), 0.25 + 1.0 / 24, 1e-15);
    clock.sleep(std::chrono::milliseconds(1500));
    EXPECT_NEAR(clock.timeOfDay(), 0.25 + 1.0 / 24 + daysFromSeconds(1.5), 1e-15);

    clock.set(1.0 - daysFromSeconds(0.1));
    clock.advance(0.3);
    EXPECT_NEAR(clock.timeOfDay(), daysFromSeconds(0.2), 1e-12);
    clock.advance(-0.3);
    EXPECT_NEAR(clock.timeOfDay(), 1.0 - daysFromSeconds(0.1), 1e-12);

    for (const double v : {1.0, 2.0, -1e-300, -0.0}) {
        clock.set(v);
        EXPECT_GE(clock.timeOfDay(), 0.0) << v;
        EXPECT_LT(clock.timeOfDay(), 1.0) << v;
    }
}

// Seconds since local midnight by the C library, for comparison.
double localSecondsNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec;
}

double secondsApartOnTheDial(double a, double b) {
    const double d = std::fmod(std::fabs(a - b), 86400.0);
    return std::min(d, 86400.0 - d);
}

TEST(SystemClock, ReadsLocalTimeOfDayInTheSystemsZone) {
    // Five hours east of UTC, no daylight saving: local time is UTC + 5 h.
    ::setenv("TZ", "XST-5", 1);
    ::tzset();
    auto& clock = platform::clock::systemClock();
    const double day = clock.timeOfDay();
    EXPECT_GE(day, 0.0);
    EXPECT_LT(day, 1.0);
    EXPECT_LT(secondsApartOnTheDial(day * 86400.0, localSecondsNow()), 2.0);

    const std::time_t now = std::time(nullptr);
    const double utc = static_cast<double>(now % 86400);
    EXPECT_LT(secondsApartOnTheDial(day * 86400.0, utc + 5 * 3600.0), 2.0);
}

TEST(SystemClock, SleepWaitsAndTimeMovesOn) {
    auto& clock = platform::clock::systemClock();
    const auto start = std::chrono::steady_clock::now();
    const double before = clock.timeOfDay();
    clock.sleep(std::chrono::milliseconds(30));
    const double after = clock.timeOfDay();
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(30));
    // Sub-second resolution: 30 ms shows (unless midnight passed in between).
    if (after > before) {
        EXPECT_GT((after - before) * 86400.0, 0.025);
    }
}

}  // namespace
