// What every control of the set shares: its name, kind, container, design place and look, and
// the peer through which a toolkit shows it.
#pragma once

#include "notification.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class Form;

enum class ControlKind {
    Form,
    Frame,
    Label,
    CommandButton,
    OptionButton,
    HScrollBar,
    VScrollBar,
    PictureBox
};

// A classic colour: 0x00BBGGRR, red in the lowest byte.
using ClassicColour = uint32_t;

struct ControlFont
{
    double points = 8.25; // "Tahoma" at this size; sized as at 96 dots per inch
    bool bold = false;
};

enum class TextAlignment { Left, Centre };

// A toolkit's side of one control. The control calls changed() after every property change that
// shows (a caption, a value, a range, a selection); the peer reads what it shows back from the
// control.
class ControlPeer
{
public:
    virtual ~ControlPeer() = default;
    virtual void changed() = 0;
};

class Control
{
public:
    // Left, top, width and height in twips, from the container's top-left corner. The container
    // owns the control.
    Control(ControlKind kind, std::string name, Control *container, int left, int top, int width,
        int height);
    virtual ~Control();
    Control(const Control &) = delete;
    Control &operator=(const Control &) = delete;

    ControlKind kind() const { return m_kind; }
    // The control's name, with a control array member's index after an underscore ("scrRadius_1").
    const std::string &name() const { return m_name; }
    Control *container() const { return m_container; }
    const std::vector<std::unique_ptr<Control>> &children() const { return m_children; }
    // The control of that name here or anywhere inside, or null.
    Control *find(const std::string &name);

    int Left() const { return m_left; }
    int Top() const { return m_top; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // Places and sizes the control anew, in twips, before a toolkit makes its widget: a toolkit
    // reads the place once. A negative size throws RuntimeError (InvalidPropertyValue).
    void Move(int left, int top, int width, int height);
    // The control's place in the window's client area, in twips.
    int windowLeft() const;
    int windowTop() const;

    // The look of the design. No colour means the standard colour of the control's kind.
    std::optional<ClassicColour> BackColor;
    std::optional<ClassicColour> ForeColor;
    ControlFont Font;
    TextAlignment Alignment = TextAlignment::Left;
    // Keyboard focus order; -1 for a control that never takes the focus (a frame, a label).
    int TabIndex = -1;
    // For assistive technology.
    std::string accessibleName;
    std::string accessibleDescription;

    // The pointer moved over the control's own area (button state, modifier state, X, Y in
    // twips from the control's corner). Only a control with a handler takes part in hit testing
    // as a receiver; every control covers what lies beneath it.
    Notification<int, int, float, float> MouseMove;

    // Whether the control can hold the keyboard focus now (a frame or label never can, an option
    // button only while selected).
    virtual bool isTabStop() const { return TabIndex >= 0; }

    ControlPeer *peer() const { return m_peer; }
    void setPeer(ControlPeer *peer) { m_peer = peer; }

protected:
    void changed() const
    {
        if (m_peer) {
            m_peer->changed();
        }
    }

private:
    ControlKind m_kind;
    std::string m_name;
    Control *m_container;
    std::vector<std::unique_ptr<Control>> m_children;
    int m_left;
    int m_top;
    int m_width;
    int m_height;
    ControlPeer *m_peer = nullptr;
};

// A control that shows a caption: a frame, a label, a button.
class CaptionedControl : public Control
{
public:
    CaptionedControl(ControlKind kind, std::string name, std::string caption, Control *container,
        int left, int top, int width, int height)
        : Control(kind, std::move(name), container, left, top, width, height)
        , m_caption(std::move(caption))
    { }

    const std::string &Caption() const { return m_caption; }
    void setCaption(std::string caption)
    {
        m_caption = std::move(caption);
        changed();
    }

private:
    std::string m_caption;
};

// A captioned group box that contains other controls. It never takes the focus.
class Frame : public CaptionedControl
{
public:
    Frame(std::string name, std::string caption, Control *container, int left, int top, int width,
        int height)
        : CaptionedControl(ControlKind::Frame, std::move(name), std::move(caption), container,
            left, top, width, height)
    { }
    bool isTabStop() const override { return false; }
};

// Static text in a box; it never takes the focus. A label may name another control for
// assistive technology (its buddy).
class Label : public CaptionedControl
{
public:
    Label(std::string name, std::string caption, Control *container, int left, int top, int width,
        int height)
        : CaptionedControl(ControlKind::Label, std::move(name), std::move(caption), container,
            left, top, width, height)
    { }
    bool isTabStop() const override { return false; }

    bool WordWrap = false;
    Control *buddy = nullptr;
};

// A push button.
class CommandButton : public CaptionedControl
{
public:
    CommandButton(std::string name, Control *container, int left, int top, int width, int height)
        : CaptionedControl(ControlKind::CommandButton, std::move(name), {}, container, left, top,
            width, height)
    { }

    // The user pressed and released it (or assistive technology pressed it).
    void click() const { Click(); }

    Notification<> Click;
};
