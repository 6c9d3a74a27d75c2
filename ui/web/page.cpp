// The browser's window: frmMain over the page's own elements. The page already holds the window's
// start-up elements (written in when the page is built, see markup.h); this module attaches to
// them, keeps them in step with the controls through each control's peer, and turns the page's
// input into the control set's calls. The JavaScript half is glue.js.
#include "keymap.h"

#include "frmmain.h"

#include "controls/form.h"
#include "controls/keycodes.h"
#include "controls/optionbutton.h"
#include "controls/picturebox.h"
#include "controls/scrollbar.h"
#include "controls/twips.h"
#include "checkedmath.h"

#include <emscripten.h>

#include <climits>
#include <map>
#include <string>
#include <vector>

// clang-format off
EM_JS(void, js_bind, (int index, const char *name), { armdraw.bind(index, UTF8ToString(name)); });
EM_JS(void, js_bind_item, (int index, const char *name), { armdraw.bindItem(index, UTF8ToString(name)); });
EM_JS(void, js_text, (int index, const char *text), { armdraw.text(index, UTF8ToString(text)); });
EM_JS(void, js_option, (int index, int checked), { armdraw.option(index, checked); });
EM_JS(void, js_bar, (int index, double place, int low, int high, int value), {
    armdraw.bar(index, place, low, high, value);
});
EM_JS(void, js_line, (int index, double x1, double y1, double x2, double y2, int width), {
    armdraw.line(index, x1, y1, x2, y2, width);
});
EM_JS(void, js_rect, (int index, double x, double y), { armdraw.rect(index, x, y); });
EM_JS(void, js_focus, (int index), { armdraw.focus(index); });
EM_JS(void, js_describe_soon, (), { armdraw.describeSoon(); });
EM_JS(void, js_fatal, (const char *message), { armdraw.fatal(UTF8ToString(message)); });
EM_JS(void, js_ready, (), { armdraw.ready(); });
// clang-format on

namespace {

class Page;
Page *page = nullptr;

// One control's element: what the control shows, written when it changes.
class ElementPeer final : public SurfacePeer
{
public:
    ElementPeer(Control &control, int index)
        : m_control(control)
        , m_index(index)
    { }

    void changed() override
    {
        switch (m_control.kind()) {
        case ControlKind::Frame:
        case ControlKind::Label:
        case ControlKind::CommandButton:
            js_text(m_index, static_cast<CaptionedControl &>(m_control).Caption().c_str());
            break;
        case ControlKind::OptionButton:
            js_option(m_index, static_cast<OptionButton &>(m_control).Value());
            break;
        case ControlKind::HScrollBar:
        case ControlKind::VScrollBar: {
            const auto &bar = static_cast<ScrollBar &>(m_control);
            js_bar(m_index, bar.thumbFraction(), bar.lowest(), bar.highest(), bar.Value());
            break;
        }
        case ControlKind::Form:
        case ControlKind::PictureBox:
            break;
        }
    }

    void itemChanged(const SurfaceItem &item, bool changed) override;
    // The surface's items are retained elements: clearing the drawing leaves nothing to redo.
    void cleared() override { }

private:
    Control &m_control;
    int m_index;
};

class Page
{
public:
    explicit Page(frmMain &form)
        : m_form(form)
        , m_focus(form.startFocus)
    { }

    // Binds every control and item to its element, in the order of the window's tree.
    void attach() { attach(m_form); }

    frmMain &form() { return m_form; }

    Control *control(int index)
    {
        return index >= 0 && index < static_cast<int>(m_controls.size()) ? m_controls[index] : nullptr;
    }
    template<typename Kind> Kind *control(int index, ControlKind kind, ControlKind other)
    {
        Control *found = control(index);
        return found && (found->kind() == kind || found->kind() == other) ? static_cast<Kind *>(found)
                                                                          : nullptr;
    }
    int indexOf(const Control *control) const
    {
        const auto found = m_indices.find(control);
        return found == m_indices.end() ? -1 : found->second;
    }
    int itemIndex(const SurfaceItem &item) const { return m_items.at(&item); }

    void focused(Control *control) { m_focus = control; }
    Control *focus() const { return m_focus; }

    // A handler assigns an item's properties one by one: the page writes each item that changed,
    // and re-arms the live region, once when the delivery is over, not once per assignment.
    void itemChanged(const SurfaceItem &item)
    {
        const int index = itemIndex(item);
        if (!m_itemDirty[index]) {
            m_itemDirty[index] = true;
            m_dirtyItems.push_back(&item);
        }
    }
    void descriptionChanged() { m_describe = true; }
    void flush();

private:
    void attach(Control &control)
    {
        const int index = static_cast<int>(m_controls.size());
        m_controls.push_back(&control);
        m_indices[&control] = index;
        js_bind(index, control.name().c_str());
        auto &peer = m_peers.emplace_back(std::make_unique<ElementPeer>(control, index));
        if (control.kind() == ControlKind::PictureBox) {
            auto &surface = static_cast<PictureBox &>(control);
            for (const auto &item : surface.items()) {
                const int itemIndex = static_cast<int>(m_items.size());
                m_items[item.get()] = itemIndex;
                m_itemDirty.push_back(false);
                js_bind_item(itemIndex, item->name().c_str());
            }
            surface.setSurfacePeer(peer.get());
            surface.descriptionChanged.connect([this] { descriptionChanged(); });
        } else {
            control.setPeer(peer.get());
        }
        for (const auto &child : control.children()) {
            attach(*child);
        }
    }

    frmMain &m_form;
    Control *m_focus;
    std::vector<Control *> m_controls;
    std::map<const Control *, int> m_indices;
    std::map<const SurfaceItem *, int> m_items;
    std::vector<std::unique_ptr<ElementPeer>> m_peers;
    std::vector<bool> m_itemDirty;
    std::vector<const SurfaceItem *> m_dirtyItems;
    bool m_describe = false;
};

void Page::flush()
{
    for (const SurfaceItem *item : m_dirtyItems) {
        const int index = itemIndex(*item);
        m_itemDirty[index] = false;
        if (item->kind() == SurfaceItem::Kind::Line) {
            const auto &line = static_cast<const LineItem &>(*item);
            js_line(index, line.X1() / TwipsPerPixel, line.Y1() / TwipsPerPixel,
                line.X2() / TwipsPerPixel, line.Y2() / TwipsPerPixel, line.BorderWidth());
        } else {
            const auto &shape = static_cast<const ShapeItem &>(*item);
            js_rect(index, shape.Left() / TwipsPerPixel, shape.Top() / TwipsPerPixel);
        }
    }
    m_dirtyItems.clear();
    if (m_describe) {
        m_describe = false;
        js_describe_soon();
    }
}

// Every entry from the page writes what its delivery changed as it returns.
struct Repaint
{
    Repaint() = default;
    Repaint(const Repaint &) = delete;
    Repaint &operator=(const Repaint &) = delete;
    ~Repaint() { page->flush(); }
};

void ElementPeer::itemChanged(const SurfaceItem &item, bool changed)
{
    if (changed) {
        page->itemChanged(item);
    }
}

ScrollBar *bar(int index)
{
    return page->control<ScrollBar>(index, ControlKind::HScrollBar, ControlKind::VScrollBar);
}

// The key's key and code, written by the page before it calls web_key.
constexpr int KeyTextSize = 64;
char keyText[2 * KeyTextSize];

} // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE char *web_key_text()
{
    return keyText;
}

// A key pressed in the page (or on its keypad), as the key preview sees it; modifiers: 1 Shift,
// 2 Ctrl, 4 Alt, 8 Meta. Returns 1 when the window took the key (the page prevents the browser's
// own action), 0 when the browser keeps it.
EMSCRIPTEN_KEEPALIVE int web_key(int location, int modifiers)
{
    const Repaint repaint;
    keyText[KeyTextSize - 1] = keyText[2 * KeyTextSize - 1] = 0;
    const BrowserKey key { keyText, keyText + KeyTextSize, location, (modifiers & 1) != 0,
        (modifiers & 2) != 0, (modifiers & 4) != 0, (modifiers & 8) != 0 };
    const auto code = classicKeyCode(key);
    if (!code || page->form().ended()) {
        return 0;
    }
    const int shift = classicShift(key);
    switch (page->form().keyDown(*code, shift)) {
    case Form::KeyRoute::Focus: {
        Control *next = page->form().nextTabStop(page->focus(), (shift & ShiftMask::Shift) != 0);
        if (next) {
            page->focused(next);
            js_focus(page->indexOf(next));
        }
        return 1;
    }
    case Form::KeyRoute::Consumed:
        return 1;
    case Form::KeyRoute::ToControl:
        return 0;
    }
    return 0;
}

// The page's focus moved to a control's element.
EMSCRIPTEN_KEEPALIVE void web_focused(int index)
{
    if (Control *control = page->control(index)) {
        page->focused(control);
    }
}

// A button or an option button was clicked (or pressed by assistive technology).
EMSCRIPTEN_KEEPALIVE void web_click(int index)
{
    const Repaint repaint;
    Control *control = page->control(index);
    if (!control) {
        return;
    }
    page->form().deliver([control] {
        if (control->kind() == ControlKind::CommandButton) {
            static_cast<CommandButton *>(control)->click();
        } else if (control->kind() == ControlKind::OptionButton) {
            static_cast<OptionButton *>(control)->click();
        }
    });
}

EMSCRIPTEN_KEEPALIVE void web_arrow(int index, int towardsMax)
{
    const Repaint repaint;
    if (ScrollBar *target = bar(index)) {
        page->form().deliver([=] { target->arrowClicked(towardsMax); });
    }
}

EMSCRIPTEN_KEEPALIVE void web_track(int index, int towardsMax)
{
    const Repaint repaint;
    if (ScrollBar *target = bar(index)) {
        page->form().deliver([=] { target->trackClicked(towardsMax); });
    }
}

// The thumb pressed (phase 0), dragged to a fraction of the way from the Min end (1), released (2).
EMSCRIPTEN_KEEPALIVE void web_thumb(int index, int phase, double fraction)
{
    const Repaint repaint;
    ScrollBar *target = bar(index);
    if (!target) {
        return;
    }
    page->form().deliver([=] {
        if (phase == 0) {
            target->thumbPressed();
        } else if (phase == 1 && target->thumbHeld()) {
            target->thumbDraggedTo(target->valueAtFraction(fraction));
        } else if (phase == 2 && target->thumbHeld()) {
            target->thumbReleased();
        }
    });
}

// Assistive technology set a bar's range input.
EMSCRIPTEN_KEEPALIVE void web_set(int index, int value)
{
    const Repaint repaint;
    if (ScrollBar *target = bar(index)) {
        page->form().deliver([=] { target->userSetValue(value); });
    }
}

// The pointer at (x, y) twips in the window; buttons and shift as the classic masks.
EMSCRIPTEN_KEEPALIVE void web_mouse(double x, double y, int buttons, int shift)
{
    const Repaint repaint;
    page->form().mouseMoved(static_cast<float>(x), static_cast<float>(y), buttons, shift);
}

// The drawing's description, valid until the next call.
EMSCRIPTEN_KEEPALIVE const char *web_description()
{
    static std::string text;
    text = page->form().describeArm();
    return text.c_str();
}

// For the end-to-end test of the fatal path: one statement that overflows, run as a handler is.
EMSCRIPTEN_KEEPALIVE void web_test_overflow()
{
    const Repaint repaint;
    page->form().deliver([] { static_cast<void>(checkedAdd(INT_MAX, 1)); });
}

} // extern "C"

int main()
{
    // Both live as long as the page.
    auto *form = new frmMain;
    page = new Page(*form);
    form->reportFatal = [](const std::string &message) { js_fatal(message.c_str()); };
    form->load();
    // After Form_Load: the page already shows the state it leaves.
    page->attach();
    js_ready();
    return 0;
}
