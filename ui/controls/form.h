// A classic top-level form: Load before it is first shown, key preview, mouse moves to the
// topmost control under the pointer, the focus order, and the fatal run-time error.
#pragma once

#include "control.h"
#include "runtimeerror.h"

#include <functional>
#include <string>

// The message box's text for a run-time error, e.g. "Run-time error '6':\n\nOverflow".
std::string fatalMessage(const RuntimeError &error);

class Form : public Control
{
public:
    // The client area's size in twips.
    Form(std::string name, std::string caption, int width, int height);

    const std::string &Caption() const { return m_caption; }

    // --- What a toolkit calls ------------------------------------------------------------------

    // Runs Form_Load once; call it before the form is first shown.
    void load();

    enum class KeyRoute {
        Focus, // Tab or Shift+Tab: focus navigation, never previewed
        Consumed, // the handler set the key code to 0: withhold the key from the focused control
        ToControl, // the focused control may act on it
    };
    // Key preview: a key press, with its classic code and modifier mask, before the focused
    // control sees it.
    KeyRoute keyDown(int keyCode, int shift);

    // The pointer moved to (x, y), twips in the client area: MouseMove on the topmost control
    // there, with the point in its own twips. A control without a handler raises nothing, and
    // its container does not take the move instead.
    void mouseMoved(float x, float y, int button, int shift);
    // The topmost control at a point of the client area (the form itself over its background).
    Control *controlAt(float x, float y);

    // The controls that can take the focus now, in focus order.
    std::vector<Control *> tabStops();
    // The tab stop after (or before) the one given, wrapping around; the first one for null.
    Control *nextTabStop(const Control *from, bool backwards);
    // The control that has the focus when the form opens.
    Control *startFocus = nullptr;

    // Runs a piece of the logic on the toolkit's behalf. A run-time error ends it: the error is
    // written to the standard error stream, the form takes no more input, and reportFatal shows
    // the message (the desktop's box ends the process). After that nothing is delivered.
    // A template, so that no handler's call is copied to the heap on the key path.
    template<typename Work> void deliver(Work &&work)
    {
        if (m_ended) {
            return;
        }
        const Depth depth(m_depth);
        try {
            work();
        } catch (const RuntimeError &error) {
            // Only the outermost delivery reports: an inner one hands the error on, so that
            // nothing of the failed handler runs on.
            if (m_depth > 1) {
                throw;
            }
            end(error);
        }
    }
    bool ended() const { return m_ended; }
    std::function<void(const std::string &message)> reportFatal;

protected:
    virtual void Form_Load() { }
    // KeyCode is the classic virtual-key code; setting it to 0 withholds the key from the control.
    virtual void Form_KeyDown(int & /*KeyCode*/, int /*Shift*/) { }

private:
    std::string m_caption;
    bool m_loaded = false;
    bool m_ended = false;
    int m_depth = 0;

    struct Depth
    {
        int &depth;
        explicit Depth(int &d)
            : depth(++d)
        { }
        ~Depth() { --depth; }
        Depth(const Depth &) = delete;
        Depth &operator=(const Depth &) = delete;
    };
    void end(const RuntimeError &error);
};
