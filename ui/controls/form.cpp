#include "form.h"

#include "keycodes.h"
#include "twips.h"
#include "runtimeerror.h"

#include <algorithm>
#include <cstdio>

std::string fatalMessage(const RuntimeError &error)
{
    return "Run-time error '" + std::to_string(error.number()) + "':\n\n" + error.what();
}

Form::Form(std::string name, std::string caption, int width, int height)
    : Control(ControlKind::Form, std::move(name), nullptr, 0, 0, width, height)
    , m_caption(std::move(caption))
{ }

void Form::load()
{
    if (m_loaded) {
        return;
    }
    m_loaded = true;
    deliver([this] { Form_Load(); });
}

Form::KeyRoute Form::keyDown(int keyCode, int shift)
{
    if (keyCode == VirtualKey::Tab && !(shift & (ShiftMask::Ctrl | ShiftMask::Alt))) {
        return KeyRoute::Focus;
    }
    deliver([&] { Form_KeyDown(keyCode, shift); });
    return keyCode == 0 || m_ended ? KeyRoute::Consumed : KeyRoute::ToControl;
}

namespace {

// Where a toolkit shows a control's edge: on the whole pixel nearest its design place, relative
// to its container's, as both the desktop's widgets and the page's elements are placed.
float shownEdge(int twips)
{
    return static_cast<float>(twipsToPixels(twips) * TwipsPerPixel);
}

struct Hit
{
    Control *control;
    float x; // the point in the control's own twips
    float y;
};

Hit topmostAt(Control &control, float x, float y)
{
    // Later children lie on top of earlier ones.
    const auto &children = control.children();
    for (auto child = children.rbegin(); child != children.rend(); ++child) {
        Control &candidate = **child;
        const float left = shownEdge(candidate.Left());
        const float top = shownEdge(candidate.Top());
        if (x >= left && y >= top && x < left + shownEdge(candidate.Width())
            && y < top + shownEdge(candidate.Height())) {
            return topmostAt(candidate, x - left, y - top);
        }
    }
    return { &control, x, y };
}

void collectTabStops(Control &control, std::vector<Control *> &stops)
{
    if (control.isTabStop() && control.kind() != ControlKind::Form) {
        stops.push_back(&control);
    }
    for (const auto &child : control.children()) {
        collectTabStops(*child, stops);
    }
}

} // namespace

Control *Form::controlAt(float x, float y)
{
    return topmostAt(*this, x, y).control;
}

void Form::mouseMoved(float x, float y, int button, int shift)
{
    const Hit hit = topmostAt(*this, x, y);
    deliver([&] { hit.control->MouseMove(button, shift, hit.x, hit.y); });
}

std::vector<Control *> Form::tabStops()
{
    std::vector<Control *> stops;
    collectTabStops(*this, stops);
    std::stable_sort(stops.begin(), stops.end(),
        [](const Control *a, const Control *b) { return a->TabIndex < b->TabIndex; });
    return stops;
}

Control *Form::nextTabStop(const Control *from, bool backwards)
{
    const std::vector<Control *> stops = tabStops();
    if (stops.empty()) {
        return nullptr;
    }
    const auto found = std::find(stops.begin(), stops.end(), from);
    if (found == stops.end()) {
        return backwards ? stops.back() : stops.front();
    }
    const auto at = static_cast<std::ptrdiff_t>(found - stops.begin());
    const auto count = static_cast<std::ptrdiff_t>(stops.size());
    return stops[static_cast<size_t>((at + (backwards ? count - 1 : 1)) % count)];
}

void Form::end(const RuntimeError &error)
{
    m_ended = true;
    std::fprintf(stderr, "armdraw: run-time error %d: %s\n", error.number(), error.what());
    std::fflush(nullptr);
    if (reportFatal) {
        reportFatal(fatalMessage(error));
    }
}
