#include "shapeitem.h"

#include "twips.h"

#include <QPainter>

ShapeItem::ShapeItem(PictureBox *surface, float width, float height)
    : SurfaceItem(surface)
    , m_width(width)
    , m_height(height)
{ }

void ShapeItem::setLeft(float left)
{
    assign(m_left, left);
}

void ShapeItem::setTop(float top)
{
    assign(m_top, top);
}

QRectF ShapeItem::rectInPixels() const
{
    return { twipsToPoint(m_left, m_top),
        QSizeF(m_width / TwipsPerPixel, m_height / TwipsPerPixel) };
}

QRectF ShapeItem::bounds() const
{
    return rectInPixels().adjusted(-2, -2, 2, 2);
}

void ShapeItem::paint(QPainter &painter) const
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(rectInPixels(), color());
}
