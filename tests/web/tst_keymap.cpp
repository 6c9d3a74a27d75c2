// The browser's key events mapped to the classic codes: what the window takes, and what the
// browser keeps.
#include "web/keymap.h"

#include "controls/keycodes.h"

#include <gtest/gtest.h>

namespace {

struct Case
{
    const char *what;
    BrowserKey key;
    std::optional<int> code;
};

const Case cases[] = {
    // The keypad with Num Lock on, then off, then the main block's keys of the same meaning.
    { "keypad 1", { "1", "Numpad1", 3 }, VirtualKey::Numpad1 },
    { "keypad 3", { "3", "Numpad3", 3 }, VirtualKey::Numpad3 },
    { "keypad 4", { "4", "Numpad4", 3 }, VirtualKey::Numpad4 },
    { "keypad 6", { "6", "Numpad6", 3 }, VirtualKey::Numpad6 },
    { "keypad 1, Num Lock off", { "End", "Numpad1", 3 }, VirtualKey::End },
    { "keypad 3, Num Lock off", { "PageDown", "Numpad3", 3 }, VirtualKey::PageDown },
    { "keypad 4, Num Lock off", { "ArrowLeft", "Numpad4", 3 }, VirtualKey::Left },
    { "keypad 6, Num Lock off", { "ArrowRight", "Numpad6", 3 }, VirtualKey::Right },
    { "End", { "End", "End", 0 }, VirtualKey::End },
    { "Page Down", { "PageDown", "PageDown", 0 }, VirtualKey::PageDown },
    { "Left", { "ArrowLeft", "ArrowLeft", 0 }, VirtualKey::Left },
    { "Right", { "ArrowRight", "ArrowRight", 0 }, VirtualKey::Right },
    { "Space", { " ", "Space", 0 }, VirtualKey::Space },
    { "Tab", { "Tab", "Tab", 0 }, VirtualKey::Tab },
    { "Shift+Tab", { "Tab", "Tab", 0, true }, VirtualKey::Tab },
    { "Shift+keypad 3 (its Page Down)", { "PageDown", "Numpad3", 3, true }, VirtualKey::PageDown },
    // The main block's digits are not the keypad's; letters by their capital.
    { "main 3", { "3", "Digit3", 0 }, '3' },
    { "j", { "j", "KeyJ", 0 }, 'J' },
    { "a keypad digit with no code (a soft keyboard)", { "1", "", 3 }, VirtualKey::Numpad1 },
    { "punctuation", { ";", "Semicolon", 0 }, VirtualKey::Unmapped },
    { "a character beyond ASCII", { "\xc3\xa9", "Digit2", 0 }, VirtualKey::Unmapped },
    // The browser's own.
    { "Ctrl+keypad 3", { "3", "Numpad3", 3, false, true }, std::nullopt },
    { "Alt+Left", { "ArrowLeft", "ArrowLeft", 0, false, false, true }, std::nullopt },
    { "Meta+r", { "r", "KeyR", 0, false, false, false, true }, std::nullopt },
    { "F5", { "F5", "F5", 0 }, std::nullopt },
    { "F11", { "F11", "F11", 0 }, std::nullopt },
    { "F12", { "F12", "F12", 0 }, std::nullopt },
    { "Escape", { "Escape", "Escape", 0 }, std::nullopt },
    { "Num Lock", { "NumLock", "NumLock", 3 }, std::nullopt },
    { "Shift alone", { "Shift", "ShiftLeft", 1, true }, std::nullopt },
    { "a soft keyboard's composing key", { "Unidentified", "", 0 }, std::nullopt },
    { "no key at all", { "", "", 0 }, std::nullopt },
};

TEST(KeyMap, MapsEachKeyOrLeavesItToTheBrowser)
{
    for (const Case &c : cases) {
        EXPECT_EQ(classicKeyCode(c.key), c.code) << c.what;
    }
}

TEST(KeyMap, ShiftIsTheOnlyModifierTheWindowSees)
{
    EXPECT_EQ(classicShift({ "Tab", "Tab", 0, true }), ShiftMask::Shift);
    EXPECT_EQ(classicShift({ "Tab", "Tab", 0 }), 0);
}

} // namespace
