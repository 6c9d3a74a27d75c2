// A classic option button: selecting it clears the other option buttons of its container and
// raises Click once, whether the user or the code selected it.
#pragma once

#include "control.h"

class OptionButton : public CaptionedControl
{
public:
    OptionButton(std::string name, std::string caption, Control *container, int left, int top,
        int width, int height);

    bool Value() const { return m_value; }
    // True selects the button (raising Click before returning, unless it was selected already);
    // false clears it without raising anything.
    void assignValue(bool selected);
    // The user clicked it: the same as assigning true.
    void click() { assignValue(true); }

    // Of a group, only the selected button is a tab stop.
    bool isTabStop() const override { return m_value && TabIndex >= 0; }

    Notification<> Click;

private:
    void setValue(bool value);

    bool m_value = false;
};
