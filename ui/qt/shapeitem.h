// A filled rectangle on a drawing surface, placed and sized in twips.
#pragma once

#include "surfaceitem.h"

class ShapeItem : public SurfaceItem
{
public:
    ShapeItem(PictureBox *surface, float width, float height);

    float Left() const { return m_left; }
    float Top() const { return m_top; }
    float Width() const { return m_width; }
    float Height() const { return m_height; }
    void setLeft(float left);
    void setTop(float top);

    QRectF bounds() const override;
    void paint(QPainter &painter) const override;

private:
    QRectF rectInPixels() const;

    float m_left = 0;
    float m_top = 0;
    float m_width;
    float m_height;
};
