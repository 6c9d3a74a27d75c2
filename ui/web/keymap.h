// The browser's key events in the window's terms: which keys the window takes, and the classic
// key code of each, from the event's key, code and location.
#pragma once

#include <optional>
#include <string_view>

struct BrowserKey
{
    std::string_view key; // KeyboardEvent.key: what the key means now ("1", "End", " ")
    std::string_view code; // KeyboardEvent.code: where it sits ("Numpad1", "Space")
    int location = 0; // KeyboardEvent.location: 3 on the numeric keypad
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
    bool meta = false;
};

// The classic code of a key the window takes (VirtualKey::Unmapped for one without a code), or
// nothing for a key the browser keeps: any with Ctrl, Alt or Meta, the function keys, Escape,
// the browser's, media and lock keys, and the modifiers on their own.
std::optional<int> classicKeyCode(const BrowserKey &key);

// The classic modifier mask of a key the window takes.
int classicShift(const BrowserKey &key);
