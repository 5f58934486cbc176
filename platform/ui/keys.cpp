#include "platform/ui/keys.h"

#include <QKeyEvent>

namespace platform::ui {

int virtualKey(const QKeyEvent& event) {
    const int k = event.key();
    if (k >= Qt::Key_A && k <= Qt::Key_Z) return 'A' + (k - Qt::Key_A);
    if (k >= Qt::Key_0 && k <= Qt::Key_9) return '0' + (k - Qt::Key_0);
    if (k >= Qt::Key_F1 && k <= Qt::Key_F24) return keys::kF1 + (k - Qt::Key_F1);
    switch (k) {
    case Qt::Key_Backspace: return keys::kBack;
    case Qt::Key_Tab: return keys::kTab;
    case Qt::Key_Return:
    case Qt::Key_Enter: return keys::kReturn;
    case Qt::Key_Escape: return keys::kEscape;
    case Qt::Key_Space: return keys::kSpace;
    case Qt::Key_PageUp: return keys::kPrior;
    case Qt::Key_PageDown: return keys::kNext;
    case Qt::Key_End: return keys::kEnd;
    case Qt::Key_Home: return keys::kHome;
    case Qt::Key_Left: return keys::kLeft;
    case Qt::Key_Up: return keys::kUp;
    case Qt::Key_Right: return keys::kRight;
    case Qt::Key_Down: return keys::kDown;
    case Qt::Key_Insert: return keys::kInsert;
    case Qt::Key_Delete: return keys::kDelete;
    default: return 0;
    }
}

}  // namespace platform::ui
