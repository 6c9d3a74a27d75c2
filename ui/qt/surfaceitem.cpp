#include "surfaceitem.h"

#include "picturebox.h"

SurfaceItem::SurfaceItem(PictureBox *surface)
    : m_surface(surface)
{ }

void SurfaceItem::setColor(const QColor &color)
{
    assign(m_color, color);
    restyle();
}

void SurfaceItem::announce(const QRectF *before)
{
    m_surface->itemAssigned(this, before);
}
