#include "control.h"

#include "runtimeerror.h"

Control::Control(ControlKind kind, std::string name, Control *container, int left, int top,
    int width, int height)
    : m_kind(kind)
    , m_name(std::move(name))
    , m_container(container)
    , m_left(left)
    , m_top(top)
    , m_width(width)
    , m_height(height)
{
    // Frames, labels and the form never take the focus; the rest are tab stops in creation order
    // until told otherwise.
    const bool focusable
        = kind != ControlKind::Form && kind != ControlKind::Frame && kind != ControlKind::Label;
    TabIndex = focusable ? 0 : -1;
    if (container) {
        container->m_children.emplace_back(this);
    }
}

Control::~Control() = default;

Control *Control::find(const std::string &name)
{
    if (m_name == name) {
        return this;
    }
    for (const auto &child : m_children) {
        if (Control *found = child->find(name)) {
            return found;
        }
    }
    return nullptr;
}

void Control::Move(int left, int top, int width, int height)
{
    if (width < 0 || height < 0) {
        throw RuntimeError(RuntimeError::Kind::InvalidPropertyValue);
    }
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
}

int Control::windowLeft() const
{
    return m_container ? m_container->windowLeft() + m_left : 0;
}

int Control::windowTop() const
{
    return m_container ? m_container->windowTop() + m_top : 0;
}
