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
    // Applies a change and repaints what it covered before and after.
    template<typename Change>
    void change(Change &&apply)
    {
        const QRectF before = bounds();
        apply();
        changed(before);
    }

private:
    void changed(const QRectF &before);

    PictureBox *m_surface;
    QString m_name;
    QColor m_color = Qt::black;
};
