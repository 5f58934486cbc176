#pragma once
// Inside the window layer: the message loops that a termination request
// ends. Every loop of ours (the main loop, modal forms, message boxes) runs
// through here.

class QEventLoop;

namespace platform::ui::detail {

// Runs `loop` until it exits or termination is requested. Answers false,
// without running it, when termination is already pending.
bool execTerminable(QEventLoop& loop);

}  // namespace platform::ui::detail
