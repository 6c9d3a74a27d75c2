#include "qtkeys.h"

#include <QKeyEvent>

namespace {

// Qt's Wayland plugin (6.4) leaves Qt::KeypadModifier off, so a keypad key is known there only by
// its keysym, which both the Wayland and the X11 plugins give as the native virtual key: the X
// keysyms KP_Space (0xff80) to KP_Equal (0xffbd) are the keypad's.
bool isKeypadKeysym(quint32 keysym)
{
    return keysym >= 0xff80 && keysym <= 0xffbd;
}

int keypadCode(int key)
{
    if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        return VirtualKey::Numpad0 + (key - Qt::Key_0);
    }
    switch (key) {
    case Qt::Key_Asterisk:
        return 106;
    case Qt::Key_Plus:
        return 107;
    case Qt::Key_Minus:
        return 109;
    case Qt::Key_Period:
    case Qt::Key_Comma:
        return 110;
    case Qt::Key_Slash:
        return 111;
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Pause: // keypad 5 with Num Lock off, where a platform names its "Clear" so
        return 12;
    default:
        return 0; // not a keypad-only key: same code as the main keyboard's
    }
}

int mainKeyboardCode(int key)
{
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) {
        return key; // Qt's codes are the upper-case ASCII codes, as the classic ones
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) {
        return 112 + (key - Qt::Key_F1);
    }
    switch (key) {
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: // Shift+Tab
        return VirtualKey::Tab;
    case Qt::Key_Clear: // keypad 5 with Num Lock off
        return 12;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Shift:
        return 16;
    case Qt::Key_Control:
        return 17;
    case Qt::Key_Alt:
        return 18;
    case Qt::Key_Pause:
        return 19;
    case Qt::Key_CapsLock:
        return 20;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Space:
        return VirtualKey::Space;
    case Qt::Key_PageUp:
        return VirtualKey::PageUp;
    case Qt::Key_PageDown:
        return VirtualKey::PageDown;
    case Qt::Key_End:
        return VirtualKey::End;
    case Qt::Key_Home:
        return VirtualKey::Home;
    case Qt::Key_Left:
        return VirtualKey::Left;
    case Qt::Key_Up:
        return VirtualKey::Up;
    case Qt::Key_Right:
        return VirtualKey::Right;
    case Qt::Key_Down:
        return VirtualKey::Down;
    case Qt::Key_Insert:
        return 45;
    case Qt::Key_Delete:
        return 46;
    case Qt::Key_NumLock:
        return 144;
    case Qt::Key_ScrollLock:
        return 145;
    default:
        return VirtualKey::Unmapped;
    }
}

} // namespace

int virtualKeyCode(const QKeyEvent &event)
{
    const int key = event.key();
    if ((event.modifiers() & Qt::KeypadModifier) || isKeypadKeysym(event.nativeVirtualKey())) {
        if (const int code = keypadCode(key)) {
            return code;
        }
    }
    return mainKeyboardCode(key);
}

int shiftState(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier ? ShiftMask::Shift : 0)
        | (modifiers & Qt::ControlModifier ? ShiftMask::Ctrl : 0)
        | (modifiers & Qt::AltModifier ? ShiftMask::Alt : 0);
}
