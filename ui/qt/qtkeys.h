// Qt's key events mapped onto the classic virtual-key codes.
#pragma once

#include "controls/keycodes.h"

#include <Qt>

class QKeyEvent;

// The classic code of a key event: keypad digits (Num Lock on) 96..105, navigation keys (keypad
// ones with Num Lock off too) 33..40, letters and digits their upper-case ASCII code, and so on.
int virtualKeyCode(const QKeyEvent &event);

// The classic modifier mask: Shift 1, Ctrl 2, Alt 4.
int shiftState(Qt::KeyboardModifiers modifiers);
