// The classic virtual-key codes that the window's key handler sees; each toolkit maps its key
// events onto them.
#pragma once

namespace VirtualKey {
inline constexpr int Tab = 9;
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

// The classic modifier mask of a key or mouse notification.
namespace ShiftMask {
inline constexpr int Shift = 1;
inline constexpr int Ctrl = 2;
inline constexpr int Alt = 4;
} // namespace ShiftMask
