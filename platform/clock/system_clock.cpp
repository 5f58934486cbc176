#include "platform/clock/system_clock.h"

#include <ctime>
#include <thread>

namespace platform::clock {

double SystemClock::timeOfDay() const {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t whole = system_clock::to_time_t(now);
    // to_time_t may round; take the fraction from the same whole second.
    const auto fraction = duration<double>(now - system_clock::from_time_t(whole)).count();
    std::tm local{};
    if (!localtime_r(&whole, &local)) return 0.0;
    const double seconds = local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + fraction;
    const double day = seconds / kSecondsPerDay;
    // A leap second (tm_sec 60) just before midnight must not reach 1.0.
    return day < 1.0 ? (day < 0.0 ? 0.0 : day) : 0.0;
}

void SystemClock::sleep(std::chrono::milliseconds duration) {
    if (duration.count() > 0) std::this_thread::sleep_for(duration);
}

SystemClock& systemClock() {
    static SystemClock instance;
    return instance;
}

}  // namespace platform::clock
