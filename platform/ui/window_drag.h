#pragma once
// Dragging a borderless window by its background. On a left-button press
// the mouse is released and the window system moves the window with the
// mouse until the button is released (QWindow::startSystemMove). Where the
// window system cannot (offscreen, some X11 setups), the window follows the
// mouse's moves itself until the left button is released.

#include <QPoint>

#include <Qt>

class QWidget;

namespace platform::ui {

class PictureControl;

// `pressed`: the widget the button went down on; `pos`: where, in its
// coordinates. Other buttons than the left do nothing. Answers whether a
// drag began.
bool startWindowDrag(QWidget* pressed, Qt::MouseButton button, QPoint pos);

// Makes a press on `background` drag its window.
void enableWindowDrag(PictureControl* background);

}  // namespace platform::ui
