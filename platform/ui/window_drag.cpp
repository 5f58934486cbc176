#include "platform/ui/window_drag.h"

#include "platform/ui/picture_control.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>
#include <QWindow>

namespace platform::ui {
namespace {

// Follows the mouse with the window until the left button comes up.
class ManualDrag : public QObject {
public:
    ManualDrag(QWidget* window, QPoint globalStart)
        : window_(window), startMouse_(globalStart), startWindow_(window->pos()) {
        qApp->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!window_ || !window_->isVisible()) {
            finish();
            return false;
        }
        if (!watched->isWidgetType() || static_cast<QWidget*>(watched)->window() != window_)
            return false;
        if (event->type() == QEvent::MouseMove) {
            auto* e = static_cast<QMouseEvent*>(event);
            window_->move(startWindow_ + (e->globalPosition().toPoint() - startMouse_));
            return true;
        }
        if (event->type() == QEvent::MouseButtonRelease &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            finish();
        }
        return false;
    }

private:
    void finish() {
        qApp->removeEventFilter(this);
        deleteLater();
    }

    QPointer<QWidget> window_;
    QPoint startMouse_;
    QPoint startWindow_;
};

}  // namespace

bool startWindowDrag(QWidget* pressed, Qt::MouseButton button, QPoint pos) {
    if (!pressed || button != Qt::LeftButton) return false;
    QWidget* window = pressed->window();
    if (QWidget* grabber = QWidget::mouseGrabber()) grabber->releaseMouse();
    if (QWindow* handle = window->windowHandle(); handle && handle->startSystemMove()) return true;
    new ManualDrag(window, pressed->mapToGlobal(pos));
    return true;
}

void enableWindowDrag(PictureControl* background) {
    QObject::connect(background, &PictureControl::mouseDown, background,
                     [](PictureControl* sender, Qt::MouseButton button, QPoint pos) {
                         startWindowDrag(sender, button, pos);
                     });
}

}  // namespace platform::ui
