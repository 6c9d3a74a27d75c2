// The classic virtual-key codes, and Qt's key events mapped onto them.
#pragma once

#include <Qt>

class QKeyEvent;

namespace VirtualKey {
inline constexpr int Space = 32;
inline constexpr int PageUp = 33;
inline constexpr int PageDown = 34; // keypad 3 with Num Lock off
inline constexpr int End = 35; // keypad 1 with Num Lock off
inline constexpr int Home = 36;
inline constexpr int Left = 37; // keypad 4 with Num Lock off
inline constexpr int Up = 38;
inline constexpr int Right = 39; // keypad 6 with Num Lock off
inline constexpr int Down = 40;
inline constexpr int Numpad0 = 96;
inline constexpr int Numpad1 = 97;
inline constexpr int Numpad3 = 99;
inline constexpr int Numpad4 = 100;
inline constexpr int Numpad6 = 102;
// What keys without a classic code map to: no handler acts on it.
inline constexpr int Unmapped = 255;
} // namespace VirtualKey

// The classic code of a key event: keypad digits (Num Lock on) 96..105, navigation keys (keypad
// ones with Num Lock off too) 33..40, letters and digits their upper-case ASCII code, and so on.
int virtualKeyCode(const QKeyEvent &event);

// The classic modifier mask: Shift 1, Ctrl 2, Alt 4.
int shiftState(Qt::KeyboardModifiers modifiers);
