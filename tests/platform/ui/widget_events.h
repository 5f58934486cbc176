#pragma once
// What the window-layer tests share: the one application object, mouse and
// key events sent as the window system would deliver them, pixel reading.

#include "platform/ui/application.h"

#include <QApplication>
#include <QColor>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

namespace ui_test {

inline void ensureApplication() {
    static int argc = 1;
    static char name[] = "test_platform_ui";
    static char* argv[] = {name, nullptr};
    platform::ui::initialize(argc, argv);
}

inline void mouse(QWidget* w, QEvent::Type type, Qt::MouseButton button, QPoint pos) {
    Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    if (type == QEvent::MouseMove) button = Qt::NoButton;
    QMouseEvent e(type, QPointF(pos), QPointF(w->mapToGlobal(pos)), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

inline void press(QWidget* w, QPoint pos, Qt::MouseButton b = Qt::LeftButton) {
    mouse(w, QEvent::MouseButtonPress, b, pos);
}
inline void release(QWidget* w, QPoint pos, Qt::MouseButton b = Qt::LeftButton) {
    mouse(w, QEvent::MouseButtonRelease, b, pos);
}
// Moves with the left button held.
inline void moveHeld(QWidget* w, QPoint pos) { mouse(w, QEvent::MouseMove, Qt::LeftButton, pos); }

inline void click(QWidget* w, QPoint pos = {2, 2}) {
    press(w, pos);
    release(w, pos);
}

inline void key(QWidget* w, Qt::Key k, bool autoRepeat = false) {
    QKeyEvent e(QEvent::KeyPress, k, Qt::NoModifier, QString(), autoRepeat);
    QApplication::sendEvent(w, &e);
    if (!autoRepeat) {
        QKeyEvent up(QEvent::KeyRelease, k, Qt::NoModifier);
        QApplication::sendEvent(w, &up);
    }
}

inline QColor pixel(QWidget* w, int x, int y) { return w->grab().toImage().pixelColor(x, y); }

inline QPixmap solid(QColor colour, int w = 20, int h = 20) {
    QPixmap p(w, h);
    p.fill(colour);
    return p;
}

}  // namespace ui_test
