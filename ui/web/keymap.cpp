#include "keymap.h"

#include "controls/keycodes.h"

#include <array>
#include <utility>

namespace {

using Named = std::pair<std::string_view, int>;

// Keys that keep their classic code wherever they sit; on the keypad they are its keys with Num
// Lock off (keypad 1 is End, keypad 3 Page Down, keypad 4 Left, keypad 6 Right).
constexpr std::array<Named, 16> namedKeys { {
    { "Tab", VirtualKey::Tab },
    { " ", VirtualKey::Space },
    { "Spacebar", VirtualKey::Space }, // older engines' name
    { "PageUp", VirtualKey::PageUp },
    { "PageDown", VirtualKey::PageDown },
    { "End", VirtualKey::End },
    { "Home", VirtualKey::Home },
    { "ArrowLeft", VirtualKey::Left },
    { "ArrowUp", VirtualKey::Up },
    { "ArrowRight", VirtualKey::Right },
    { "ArrowDown", VirtualKey::Down },
    { "Backspace", 8 },
    { "Enter", 13 },
    { "Clear", 12 },
    { "Insert", 45 },
    { "Delete", 46 },
} };

constexpr int KeypadLocation = 3;

bool onKeypad(const BrowserKey &key)
{
    return key.location == KeypadLocation || key.code.starts_with("Numpad");
}

} // namespace

std::optional<int> classicKeyCode(const BrowserKey &key)
{
    if (key.ctrl || key.alt || key.meta) {
        return std::nullopt;
    }
    for (const auto &[name, code] : namedKeys) {
        if (key.key == name) {
            return code;
        }
    }
    if (key.key.empty() || (key.key.size() > 1 && key.key[0] >= 'A' && key.key[0] <= 'Z')) {
        // A named key: F1 to F24, Escape, the browser's and media keys, Shift or Num Lock on
        // their own, and "Unidentified" (a soft keyboard's composing key, which also sends text).
        return std::nullopt;
    }
    if (key.key.size() != 1) {
        return VirtualKey::Unmapped; // a character beyond ASCII
    }
    const char c = key.key[0];
    if (onKeypad(key)) {
        if (c >= '0' && c <= '9') {
            return VirtualKey::Numpad0 + (c - '0');
        }
        switch (c) {
        case '*': return 106;
        case '+': return 107;
        case '-': return 109;
        case '.':
        case ',': return 110;
        case '/': return 111;
        default: break;
        }
    }
    if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z')) {
        return c;
    }
    if (c >= 'a' && c <= 'z') {
        return c - 'a' + 'A';
    }
    // Punctuation and the like: the window's, with no code its handler acts on. So is any other
    // single character (the key of a non-English layout, say).
    return VirtualKey::Unmapped;
}

int classicShift(const BrowserKey &key)
{
    return key.shift ? ShiftMask::Shift : 0;
}
