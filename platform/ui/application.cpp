#include "platform/ui/application.h"

#include "platform/core/exceptions.h"
#include "platform/ui/event_loops.h"
#include "platform/ui/fonts.h"
#include "platform/ui/form.h"
#include "platform/ui/keys.h"
#include "platform/ui/text.h"

#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cxxabi.h>
#include <memory>
#include <typeinfo>
#include <vector>

namespace platform::ui {
namespace {

std::string demangled(const std::type_info& type) {
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> name(
        abi::__cxa_demangle(type.name(), nullptr, nullptr, &status), std::free);
    return status == 0 && name ? std::string(name.get()) : std::string(type.name());
}

std::string joined(const std::string& className, const std::string& message) {
    return message.empty() ? className : className + " " + message;
}

// Catches what escapes an event handler, reports it and lets the loop go on;
// also gives key-preview forms the first look at key presses.
class Application : public QApplication {
public:
    Application(int& argc, char** argv) : QApplication(argc, argv) {}

    bool notify(QObject* receiver, QEvent* event) override {
        try {
            if (event->type() == QEvent::KeyPress && receiver->isWidgetType()) {
                if (previewKey(static_cast<QWidget*>(receiver), static_cast<QKeyEvent*>(event)))
                    return true;
            }
            return QApplication::notify(receiver, event);
        } catch (...) {
            // Last resort, for handlers on Qt's own widgets; ours catch earlier.
            detail::reportCurrentException();
        }
        return true;
    }

private:
    static bool previewKey(QWidget* receiver, QKeyEvent* event) {
        auto* form = qobject_cast<Form*>(receiver->window());
        if (!form || !form->keyPreview()) return false;
        int key = virtualKey(*event);
        if (key == 0) return false;
        form->dispatchKeyDown(key, event->modifiers());
        return key == 0;  // the form consumed it
    }
};

struct State {
    std::unique_ptr<Application> app;  // never destroyed: lives with the process
    int argc = 0;
    std::vector<std::string> args;
    std::vector<char*> argv;
    std::string title;
    QPointer<QWidget> mainWindow;
    bool terminate = false;
    std::vector<QEventLoop*> loops;
    MessageBoxHook messageHook;
    std::optional<int> dpiOverride;
};

State& state() {
    static State* s = new State;  // leaked on purpose: Qt objects outlive static destruction
    return *s;
}

}  // namespace

void initialize(int& argc, char** argv) {
    State& s = state();
    if (s.app) return;
    for (int i = 0; i < argc; ++i) s.args.emplace_back(argv[i]);
    for (auto& a : s.args) s.argv.push_back(a.data());
    s.argv.push_back(nullptr);
    s.argc = argc;
    s.app.reset(new Application(s.argc, s.argv.data()));
    // Our loops end on the terminate request, not on Qt's "last window closed".
    QApplication::setQuitOnLastWindowClosed(false);
    installFontSubstitutions();
}

bool initialized() { return static_cast<bool>(state().app); }

void setTitle(const std::string& title) {
    state().title = title;
    if (state().app) QGuiApplication::setApplicationDisplayName(toQString(title));
}

std::string title() { return state().title; }

void setMainWindow(QWidget* window) { state().mainWindow = window; }

QWidget* mainWindow() { return state().mainWindow.data(); }

int run() {
    State& s = state();
    if (s.terminate || !s.app) return 0;
    if (s.mainWindow && !s.mainWindow->isVisible()) s.mainWindow->show();
    QEventLoop loop;
    detail::execTerminable(loop);
    return 0;
}

void requestTerminate() {
    State& s = state();
    s.terminate = true;
    for (QEventLoop* loop : s.loops) loop->exit(0);
}

bool terminateRequested() { return state().terminate; }

void resetTerminateForTests() { state().terminate = false; }

void minimize() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible()) w->showMinimized();
}

void showMessage(const std::string& text, const std::string& title) {
    State& s = state();
    if (s.terminate) return;
    if (s.messageHook) {
        s.messageHook(text, title);
        return;
    }
    if (!s.app) {
        std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, toQString(title), toQString(text), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    QObject::connect(&box, &QMessageBox::finished, &loop, [&loop] { loop.exit(0); });
    box.show();
    detail::execTerminable(loop);
}

int screenPixelsPerInch() {
    State& s = state();
    if (s.dpiOverride) return *s.dpiOverride;
    QScreen* screen = s.app ? QGuiApplication::primaryScreen() : nullptr;
    if (!screen) return 96;
    return static_cast<int>(std::lround(screen->logicalDotsPerInch() * screen->devicePixelRatio()));
}

void setMessageBoxHookForTests(MessageBoxHook hook) { state().messageHook = std::move(hook); }

void setScreenPixelsPerInchForTests(std::optional<int> dpi) { state().dpiOverride = dpi; }

namespace detail {

void reportCurrentException() {
    std::string text;
    try {
        throw;
    } catch (const Exception& e) {
        text = joined(e.className(), e.message());
    } catch (const std::exception& e) {
        text = joined(demangled(typeid(e)), e.what());
    } catch (...) {
        text = "Unknown exception";
    }
    const std::string caption = platform::ui::title();
    showMessage(text, caption.empty() ? std::string("Error") : caption);
}

bool execTerminable(QEventLoop& loop) {
    State& s = state();
    if (s.terminate) return false;
    s.loops.push_back(&loop);
    loop.exec(QEventLoop::DialogExec);
    s.loops.erase(std::find(s.loops.begin(), s.loops.end(), &loop));
    return true;
}

}  // namespace detail
}  // namespace platform::ui
