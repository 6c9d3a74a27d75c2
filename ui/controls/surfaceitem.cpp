#include "surfaceitem.h"

#include "picturebox.h"

SurfaceItem::SurfaceItem(PictureBox *surface)
    : m_surface(surface)
{
}

void SurfaceItem::setColor(const QColor &color)
{
    change([&] { m_color = color; });
}

void SurfaceItem::changed(const QRectF &before)
{
    m_surface->repaintItem(this, before);
}
