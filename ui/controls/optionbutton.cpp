#include "optionbutton.h"

OptionButton::OptionButton(std::string name, std::string caption, Control *container, int left,
    int top, int width, int height)
    : CaptionedControl(ControlKind::OptionButton, std::move(name), std::move(caption), container,
        left, top, width, height)
{ }

void OptionButton::assignValue(bool selected)
{
    if (selected == m_value) {
        return;
    }
    if (selected && container()) {
        for (const auto &sibling : container()->children()) {
            if (sibling.get() != this && sibling->kind() == ControlKind::OptionButton) {
                static_cast<OptionButton *>(sibling.get())->setValue(false);
            }
        }
    }
    setValue(selected);
    if (selected) {
        Click();
    }
}

void OptionButton::setValue(bool value)
{
    if (value != m_value) {
        m_value = value;
        changed();
    }
}
