#include "platform/core/notice_window.h"

#include <QCoreApplication>
#include <QEvent>

namespace platform {
namespace {

const QEvent::Type kNoticeEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

class NoticeEvent : public QEvent {
public:
    NoticeEvent(unsigned m, std::uintptr_t w, std::intptr_t l)
        : QEvent(kNoticeEvent), message(m), wParam(w), lParam(l) {}
    unsigned message;
    std::uintptr_t wParam;
    std::intptr_t lParam;
};

}  // namespace

NoticeWindow::NoticeWindow(Handler handler) : handler_(std::move(handler)) {}

NoticeWindow::~NoticeWindow() = default;  // QObject drops our pending events

void NoticeWindow::post(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
    QCoreApplication::postEvent(this, new NoticeEvent(message, wParam, lParam));
}

bool NoticeWindow::event(QEvent* e) {
    if (e->type() != kNoticeEvent) return QObject::event(e);
    auto* n = static_cast<NoticeEvent*>(e);
    if (handler_) handler_(n->message, n->wParam, n->lParam);
    return true;
}

}  // namespace platform
