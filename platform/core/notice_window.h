#pragma once
// A hidden receiver of posted messages on the program's main thread: what a
// driver's reports and a component's own requests travel through. Posting is
// safe from any thread; messages arrive in the order they were posted, through
// the Qt event loop. Destroying the receiver discards what is still pending.

#include <QObject>

#include <cstdint>
#include <functional>

namespace platform {

class NoticeWindow : public QObject {
public:
    using Handler = std::function<void(unsigned message, std::uintptr_t wParam, std::intptr_t lParam)>;

    explicit NoticeWindow(Handler handler);
    ~NoticeWindow() override;

    NoticeWindow(const NoticeWindow&) = delete;
    NoticeWindow& operator=(const NoticeWindow&) = delete;

    // Thread-safe. The receiver must outlive the call; delivery happens later
    // on the thread the receiver lives on.
    void post(unsigned message, std::uintptr_t wParam = 0, std::intptr_t lParam = 0);

protected:
    bool event(QEvent* e) override;

private:
    Handler handler_;
};

}  // namespace platform
