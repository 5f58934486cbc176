#include "platform/ui/form.h"

#include "platform/ui/application.h"
#include "platform/ui/event_loops.h"
#include "platform/ui/keys.h"
#include "platform/ui/text.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QShowEvent>

namespace platform::ui {
namespace {

Qt::WindowFlags flagsFor(FormBorder border) {
    switch (border) {
    case FormBorder::None: return Qt::Window | Qt::FramelessWindowHint;
    case FormBorder::ToolWindow:
        return Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
    case FormBorder::Dialog: return Qt::Dialog;
    }
    return Qt::Window;
}

}  // namespace

Form::Form(QWidget* owner, FormBorder border) : QWidget(owner, flagsFor(border)) {}

Form::~Form() {
    if (mainWindow() == this) platform::ui::setMainWindow(nullptr);
}

void Form::setCaption(const std::string& caption) { setWindowTitle(toQString(caption)); }

std::string Form::caption() const { return fromQString(windowTitle()); }

void Form::setAsMainWindow() { platform::ui::setMainWindow(this); }

void Form::setVisible(bool visible) {
    // Placed before it is mapped, so the window never shows at the old place.
    if (visible && !isVisible() && position_ == FormPosition::ScreenCenter) centreOnScreen();
    QWidget::setVisible(visible);
}

void Form::centreOnScreen() {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->geometry();
    const QSize size = frameGeometry().size();
    move(area.x() + (area.width() - size.width()) / 2, area.y() + (area.height() - size.height()) / 2);
}

int Form::showModal() {
    if (isShownModally()) throw EInvalidOperation("Cannot make a visible window modal");
    modalResult_ = mrNone;
    if (terminateRequested()) return mrCancel;

    inShowModal_ = true;
    setWindowModality(Qt::ApplicationModal);
    show();
    raise();
    activateWindow();
    // The show handler may already have ended the showing.
    if (modalResult_ == mrNone && isVisible()) {
        QEventLoop loop;
        modalLoop_ = &loop;
        detail::execTerminable(loop);
        modalLoop_ = nullptr;
    }
    if (terminateRequested() || modalResult_ == mrNone) modalResult_ = mrCancel;

    endingModal_ = true;
    hide();
    setWindowModality(Qt::NonModal);
    endingModal_ = false;
    inShowModal_ = false;
    formClose();
    return modalResult_;
}

void Form::setModalResult(int result) {
    modalResult_ = result;
    if (result != mrNone && modalLoop_) modalLoop_->exit(0);
}

bool Form::event(QEvent* event) {
    return detail::guardedEvent([&] { return QWidget::event(event); });
}

void Form::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) formShow();
}

void Form::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    // Hidden by someone else while modal: end the showing instead of leaving
    // a loop running with nothing on screen.
    if (!event->spontaneous() && isShownModally() && !endingModal_ && modalResult_ == mrNone)
        setModalResult(mrCancel);
}

void Form::closeEvent(QCloseEvent* event) {
    if (isShownModally()) {
        // showModal hides the form and runs the close handler.
        if (modalResult_ == mrNone) setModalResult(mrCancel);
        event->ignore();
        return;
    }
    event->accept();
    formClose();
    if (mainWindow() == this) requestTerminate();
}

void Form::keyPressEvent(QKeyEvent* event) {
    if (!keyPreview_) {
        int key = virtualKey(*event);
        if (key != 0) {
            formKeyDown(key, event->modifiers());
            if (key == 0) return;
        }
    }
    QWidget::keyPressEvent(event);
}

}  // namespace platform::ui
