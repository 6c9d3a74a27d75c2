#include "lineitem.h"

#include "runtimeerror.h"
#include "twips.h"

#include <QPainter>

LineItem::LineItem(PictureBox *surface)
    : SurfaceItem(surface)
{
    restyle();
}

void LineItem::setX1(float x)
{
    assign(m_x1, x);
}

void LineItem::setY1(float y)
{
    assign(m_y1, y);
}

void LineItem::setX2(float x)
{
    assign(m_x2, x);
}

void LineItem::setY2(float y)
{
    assign(m_y2, y);
}

void LineItem::setBorderWidth(int pixels)
{
    if (pixels < 1 || pixels > 8192) {
        throw RuntimeError(RuntimeError::Kind::InvalidPropertyValue);
    }
    assign(m_borderWidth, pixels);
    restyle();
}

QRectF LineItem::bounds() const
{
    // Half the pen on every side for the round ends, and 2 pixels for antialiasing.
    const qreal pad = m_borderWidth / 2.0 + 2;
    return QRectF(twipsToPoint(m_x1, m_y1), twipsToPoint(m_x2, m_y2))
        .normalized()
        .adjusted(-pad, -pad, pad, pad);
}

void LineItem::paint(QPainter &painter) const
{
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(m_pen);
    painter.drawLine(twipsToPoint(m_x1, m_y1), twipsToPoint(m_x2, m_y2));
}

void LineItem::restyle()
{
    m_pen = QPen(color(), m_borderWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}
