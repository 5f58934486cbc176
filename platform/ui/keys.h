#pragma once
// Key codes as the program's key handlers compare them: the Windows virtual
// key codes (Enter 13, Escape 27, space 32, arrows 37 to 40, F1 112, ...).

class QKeyEvent;

namespace platform::ui::keys {

inline constexpr int kBack = 8;
inline constexpr int kTab = 9;
inline constexpr int kReturn = 13;
inline constexpr int kEscape = 27;
inline constexpr int kSpace = 32;
inline constexpr int kPrior = 33;
inline constexpr int kNext = 34;
inline constexpr int kEnd = 35;
inline constexpr int kHome = 36;
inline constexpr int kLeft = 37;
inline constexpr int kUp = 38;
inline constexpr int kRight = 39;
inline constexpr int kDown = 40;
inline constexpr int kInsert = 45;
inline constexpr int kDelete = 46;
inline constexpr int kF1 = 112;  // F2 to F12 follow: kF1 + 1 ...
inline constexpr int kF2 = 113;
inline constexpr int kF3 = 114;

}  // namespace platform::ui::keys

namespace platform::ui {

// The virtual key code of a Qt key event: letters as 'A'..'Z' (whatever the
// shift state), digits as '0'..'9', the named keys above, F1 to F24; 0 for
// keys without one (modifier keys alone among them).
int virtualKey(const QKeyEvent& event);

}  // namespace platform::ui
