// A drawing surface measured in twips that retains line and shape items and paints them beneath
// its controls.
#pragma once

#include "control.h"

#include <functional>

class PictureBox;

// A windowless item on a drawing surface. Every assignment to a property is announced to the
// surface, also one that changes nothing; a toolkit repaints only what changed.
class SurfaceItem
{
public:
    enum class Kind { Line, Shape };

    SurfaceItem(Kind kind, PictureBox *surface, std::string name, ClassicColour colour);
    virtual ~SurfaceItem() = default;
    SurfaceItem(const SurfaceItem &) = delete;
    SurfaceItem &operator=(const SurfaceItem &) = delete;

    Kind kind() const { return m_kind; }
    // The item's name on its surface ("Lines_1", "Anchor1").
    const std::string &name() const { return m_name; }
    ClassicColour colour() const { return m_colour; }

protected:
    template<typename Value> void assign(Value &property, const Value &value)
    {
        const bool changed = property != value;
        property = value;
        announce(changed);
    }

private:
    void announce(bool changed);

    Kind m_kind;
    PictureBox *m_surface;
    std::string m_name;
    ClassicColour m_colour;
};

// A straight line: end points in twips (single precision), a thickness in pixels centred on the
// line, round ends.
class LineItem : public SurfaceItem
{
public:
    LineItem(PictureBox *surface, std::string name, ClassicColour colour);

    float X1() const { return m_x1; }
    float Y1() const { return m_y1; }
    float X2() const { return m_x2; }
    float Y2() const { return m_y2; }
    void setX1(float x) { assign(m_x1, x); }
    void setY1(float y) { assign(m_y1, y); }
    void setX2(float x) { assign(m_x2, x); }
    void setY2(float y) { assign(m_y2, y); }

    int BorderWidth() const { return m_borderWidth; }
    // 1..8192 pixels; anything else throws RuntimeError (InvalidPropertyValue).
    void setBorderWidth(int pixels);

private:
    float m_x1 = 0;
    float m_y1 = 0;
    float m_x2 = 0;
    float m_y2 = 0;
    int m_borderWidth = 1;
};

// A filled rectangle, placed and sized in twips.
class ShapeItem : public SurfaceItem
{
public:
    ShapeItem(PictureBox *surface, std::string name, ClassicColour colour, float width,
        float height);

    float Left() const { return m_left; }
    float Top() const { return m_top; }
    float Width() const { return m_width; }
    float Height() const { return m_height; }
    void setLeft(float left) { assign(m_left, left); }
    void setTop(float top) { assign(m_top, top); }

private:
    float m_left = 0;
    float m_top = 0;
    float m_width;
    float m_height;
};

// A toolkit's side of a drawing surface.
class SurfacePeer : public ControlPeer
{
public:
    // An item's property was assigned; changed is false when the assignment changed nothing.
    virtual void itemChanged(const SurfaceItem &item, bool changed) = 0;
    // Cls: the drawing area is cleared to its background; the items stay.
    virtual void cleared() = 0;
};

class PictureBox : public Control
{
public:
    PictureBox(std::string name, Control *container, int left, int top, int width, int height);
    ~PictureBox() override;

    // The outer size in twips, read in the window's unit.
    double Width() const { return Control::Width(); }
    double Height() const { return Control::Height(); }

    void Cls();

    // Items are painted in the order they were added, later ones on top.
    LineItem *addLine(std::string name, ClassicColour colour);
    ShapeItem *addShape(std::string name, ClassicColour colour, float width, float height);
    const std::vector<std::unique_ptr<SurfaceItem>> &items() const { return m_items; }
    SurfaceItem *item(const std::string &name) const;

    void setSurfacePeer(SurfacePeer *peer)
    {
        m_surfacePeer = peer;
        setPeer(peer);
    }

    // Raised once per property assignment of an item, also one that changes nothing.
    Notification<const SurfaceItem &> itemChanged;

    // What the surface shows, in words for assistive technology, made on demand so that it is
    // never stale; descriptionChanged is raised with every item change and whenever the owner
    // says so. A toolkit announces it once the changes settle.
    std::function<std::string()> describe;
    Notification<> descriptionChanged;

private:
    friend class SurfaceItem;
    void itemAssigned(const SurfaceItem &item, bool changed);

    std::vector<std::unique_ptr<SurfaceItem>> m_items;
    SurfacePeer *m_surfacePeer = nullptr;
};
