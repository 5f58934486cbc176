#pragma once
// The application object: one per process, around the Qt application. Texts
// are the program's 8-bit (Windows-1252) strings; conversion to Unicode
// happens inside the window layer only.

#include <string>

namespace platform::ui {

// Creates the Qt application (once). Exceptions escaping any event handler
// afterwards are caught where the event is delivered and shown in a message
// box ("<class name> <message>"); the loop goes on.
void initialize(int& argc, char** argv);

// The application's title (task-bar text of its windows).
void setTitle(const std::string& title);

// Runs the message loop until the main window closes or termination is
// requested; shows the main window first if one was set.
int run();

// Posts a quit request: code after the call runs on; a modal window or
// message box opened while the request is pending closes at once with Cancel.
void requestTerminate();
bool terminateRequested();

// Minimises every window of the application.
void minimize();

// Plain message box: single OK button, no icon. Returns at once while
// termination is pending.
void showMessage(const std::string& text, const std::string& title);

// The screen's logical resolution in dots per inch, as the desktop is set
// (96 at 100 % scale, 120 at 125 %, ...).
int screenPixelsPerInch();

}  // namespace platform::ui
