#include "picturebox.h"

#include "runtimeerror.h"

SurfaceItem::SurfaceItem(Kind kind, PictureBox *surface, std::string name, ClassicColour colour)
    : m_kind(kind)
    , m_surface(surface)
    , m_name(std::move(name))
    , m_colour(colour)
{ }

void SurfaceItem::announce(bool changed)
{
    m_surface->itemAssigned(*this, changed);
}

LineItem::LineItem(PictureBox *surface, std::string name, ClassicColour colour)
    : SurfaceItem(Kind::Line, surface, std::move(name), colour)
{ }

void LineItem::setBorderWidth(int pixels)
{
    if (pixels < 1 || pixels > 8192) {
        throw RuntimeError(RuntimeError::Kind::InvalidPropertyValue);
    }
    assign(m_borderWidth, pixels);
}

ShapeItem::ShapeItem(
    PictureBox *surface, std::string name, ClassicColour colour, float width, float height)
    : SurfaceItem(Kind::Shape, surface, std::move(name), colour)
    , m_width(width)
    , m_height(height)
{ }

PictureBox::PictureBox(
    std::string name, Control *container, int left, int top, int width, int height)
    : Control(ControlKind::PictureBox, std::move(name), container, left, top, width, height)
{ }

PictureBox::~PictureBox() = default;

void PictureBox::Cls()
{
    if (m_surfacePeer) {
        m_surfacePeer->cleared();
    }
}

LineItem *PictureBox::addLine(std::string name, ClassicColour colour)
{
    auto *line = new LineItem(this, std::move(name), colour);
    m_items.emplace_back(line);
    return line;
}

ShapeItem *PictureBox::addShape(std::string name, ClassicColour colour, float width, float height)
{
    auto *shape = new ShapeItem(this, std::move(name), colour, width, height);
    m_items.emplace_back(shape);
    return shape;
}

SurfaceItem *PictureBox::item(const std::string &name) const
{
    for (const auto &candidate : m_items) {
        if (candidate->name() == name) {
            return candidate.get();
        }
    }
    return nullptr;
}

void PictureBox::itemAssigned(const SurfaceItem &item, bool changed)
{
    if (m_surfacePeer) {
        m_surfacePeer->itemChanged(item, changed);
    }
    itemChanged(item);
    descriptionChanged();
}
