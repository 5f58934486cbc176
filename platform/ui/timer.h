#pragma once
// A timer in the manner of the forms' timers: an interval in milliseconds, an
// enabled switch and one handler, run on the main thread. Disabled by
// default; enabling (or changing the interval while enabled) starts a fresh
// interval. Exceptions from the handler are reported like any event
// handler's, and the timer keeps running.

#include <QObject>
#include <QTimer>

#include <functional>

namespace platform::ui {

class Timer : public QObject {
    Q_OBJECT
public:
    explicit Timer(QObject* parent = nullptr);

    int interval() const { return interval_; }
    void setInterval(int milliseconds);

    bool enabled() const { return enabled_; }
    void setEnabled(bool on);

    void setOnTimer(std::function<void()> handler) { handler_ = std::move(handler); }

private:
    void restart();

    QTimer timer_;
    int interval_ = 1000;
    bool enabled_ = false;
    std::function<void()> handler_;
};

}  // namespace platform::ui
