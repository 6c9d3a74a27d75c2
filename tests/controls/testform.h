// A form for the control tests, built control by control and then shown through the Qt layer,
// with its Load and key preview open to the test.
#pragma once

#include "controls/form.h"

#include <functional>

class TestForm : public Form
{
public:
    // The client area in twips; by default 480 x 480 pixels.
    explicit TestForm(int width = 7200, int height = 7200)
        : Form("form", "form", width, height)
    { }

    std::function<void()> onLoad;
    std::function<void(int &, int)> onKey;

protected:
    void Form_Load() override
    {
        if (onLoad) {
            onLoad();
        }
    }
    void Form_KeyDown(int &KeyCode, int Shift) override
    {
        if (onKey) {
            onKey(KeyCode, Shift);
        }
    }
};
