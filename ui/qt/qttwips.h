// Twips on Qt's pixel grid: a control's place as a widget's geometry, an item's point.
#pragma once

#include "controls/twips.h"

#include <QPointF>
#include <QRect>

inline QRect twipsRect(int left, int top, int width, int height)
{
    return { twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height) };
}

inline QPointF twipsToPoint(double x, double y)
{
    return { x / TwipsPerPixel, y / TwipsPerPixel };
}
