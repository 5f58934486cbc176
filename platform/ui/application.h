#pragma once
// The application object: one per process, around the Qt application. Texts
// are the program's 8-bit (Windows-1252) strings; conversion to Unicode
// happens inside the window layer only.

#include <functional>
#include <optional>
#include <string>

class QWidget;

namespace platform::ui {

// Creates the Qt application (once; later calls do nothing). argc/argv are
// copied, so the caller's may go away. Installs the font substitutions of
// fonts.h. Exceptions escaping any event handler afterwards are caught where
// the event is delivered and shown in a message box ("<class name> <message>",
// titled with the application title); the loop goes on.
void initialize(int& argc, char** argv);
bool initialized();

// The application's title (task-bar text of its windows).
void setTitle(const std::string& title);
std::string title();

// The main window: run() shows it, and closing it requests termination.
// Forms (form.h) register themselves with setMainWindow; nullptr clears it.
void setMainWindow(QWidget* window);
QWidget* mainWindow();

// Runs the message loop until the main window closes or termination is
// requested; shows the main window first if one was set. Returns 0 at once
// when termination is already pending.
int run();

// Posts a quit request: code after the call runs on; every message loop of
// ours (run, modal forms, message boxes) returns when control gets back to
// it, and a modal window or message box opened while the request is pending
// closes at once with Cancel. The request stays pending for the process.
void requestTerminate();
bool terminateRequested();

// Minimises every visible top-level window of the application.
void minimize();

// Plain message box: single OK button, no icon, modal to the application.
// Returns at once (showing nothing) while termination is pending. Line
// breaks in `text` are CR LF (a lone LF works too).
void showMessage(const std::string& text, const std::string& title);

// The screen's logical resolution in dots per inch, as the desktop is set
// (96 at 100 % scale, 120 at 125 %, ...): the primary screen's logical DPI
// times its device pixel ratio, rounded. 96 without a screen.
int screenPixelsPerInch();

// ---- For tests -------------------------------------------------------------

// While set, showMessage hands (text, title) to the hook instead of showing a
// box; messages that would close at once (termination pending) are not
// handed over. Pass an empty function to show real boxes again.
using MessageBoxHook = std::function<void(const std::string& text, const std::string& title)>;
void setMessageBoxHookForTests(MessageBoxHook hook);

// Makes screenPixelsPerInch answer `dpi`; std::nullopt asks the screen again.
void setScreenPixelsPerInchForTests(std::optional<int> dpi);

// Clears a pending termination request so one test process can go on.
void resetTerminateForTests();

}  // namespace platform::ui
