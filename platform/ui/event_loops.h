#pragma once
// Inside the window layer: the message loops that a termination request
// ends, and the reporting of exceptions that escape event handlers.

#include <utility>

class QEventLoop;

namespace platform::ui::detail {

// Runs `loop` until it exits or termination is requested. Answers false,
// without running it, when termination is already pending.
bool execTerminable(QEventLoop& loop);

// Shows the exception being handled ("<class name> <message>") in a message
// box titled with the application title. Call only inside a catch block.
void reportCurrentException();

// Our controls deliver their events through this, so that an exception from
// a handler is reported before it can unwind through Qt's own frames (which
// are built without exception support and would leak what they hold).
template <typename F>
bool guardedEvent(F&& deliver) {
    try {
        return std::forward<F>(deliver)();
    } catch (...) {
        reportCurrentException();
        return true;
    }
}

}  // namespace platform::ui::detail
