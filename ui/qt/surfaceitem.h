// A windowless item that a drawing surface retains and paints beneath its controls.
#pragma once

#include <QColor>
#include <QRectF>
#include <QString>

class PictureBox;
class QPainter;

class SurfaceItem
{
public:
    explicit SurfaceItem(PictureBox *surface);
    virtual ~SurfaceItem() = default;
    SurfaceItem(const SurfaceItem &) = delete;
    SurfaceItem &operator=(const SurfaceItem &) = delete;

    // The item's name on its surface ("Lines_1", "Anchor1"), for lookups and accessibility.
    QString name() const { return m_name; }
    void setName(const QString &name) { m_name = name; }

    QColor color() const { return m_color; }
    void setColor(const QColor &color);

    // Everything the item paints, in device-independent pixels on the surface.
    virtual QRectF bounds() const = 0;
    virtual void paint(QPainter &painter) const = 0;

protected:
    // Assigns a property and repaints what the item covered before and covers now. Every
    // assignment is announced, but one that changes nothing repaints nothing: a drawing procedure
    // sets all four end points of a line when often only two of them move.
    template<typename Value> void assign(Value &property, const Value &value)
    {
        if (property == value) {
            announce(nullptr);
            return;
        }
        const QRectF before = bounds();
        property = value;
        announce(&before);
    }

    // Rebuilds the drawing tools an item keeps (a line's pen) after a property they are built from
    // changed: the colour here, and an item's own (a line's width) in the item.
    virtual void restyle() { }

private:
    // before: the bounds before a real change, or null when nothing changed.
    void announce(const QRectF *before);

    PictureBox *m_surface;
    QString m_name;
    QColor m_color = Qt::black;
};
