// A straight line on a drawing surface: end points in twips (single precision), a thickness in
// pixels centred on the line, round ends.
#pragma once

#include "surfaceitem.h"

#include <QPen>

class LineItem : public SurfaceItem
{
public:
    explicit LineItem(PictureBox *surface);

    float X1() const { return m_x1; }
    float Y1() const { return m_y1; }
    float X2() const { return m_x2; }
    float Y2() const { return m_y2; }
    void setX1(float x);
    void setY1(float y);
    void setX2(float x);
    void setY2(float y);

    int BorderWidth() const { return m_borderWidth; }
    // 1..8192 pixels; anything else throws RuntimeError (InvalidPropertyValue).
    void setBorderWidth(int pixels);

    QRectF bounds() const override;
    void paint(QPainter &painter) const override;

protected:
    void restyle() override;

private:
    float m_x1 = 0;
    float m_y1 = 0;
    float m_x2 = 0;
    float m_y2 = 0;
    int m_borderWidth = 1;
    // Built when the colour or thickness changes, so that painting allocates nothing.
    QPen m_pen;
};
