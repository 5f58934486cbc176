#include "platform/ui/timer.h"

#include "platform/ui/event_loops.h"

namespace platform::ui {

Timer::Timer(QObject* parent) : QObject(parent) {
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, [this] {
        detail::guardedEvent([this] {
            if (handler_) handler_();
            return true;
        });
    });
}

void Timer::setInterval(int milliseconds) {
    interval_ = milliseconds < 0 ? 0 : milliseconds;
    restart();
}

void Timer::setEnabled(bool on) {
    enabled_ = on;
    restart();
}

void Timer::restart() {
    timer_.stop();
    if (enabled_ && interval_ > 0) timer_.start(interval_);
}

}  // namespace platform::ui
