// The window's unit: twips, 15 to a device-independent pixel.
#pragma once

#include <QPointF>
#include <QRect>
#include <QtMath>

inline constexpr int TwipsPerPixel = 15;

inline int twipsToPixels(double twips)
{
    return qRound(twips / TwipsPerPixel);
}

inline QRect twipsRect(int left, int top, int width, int height)
{
    return { twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height) };
}

inline QPointF twipsToPoint(double x, double y)
{
    return { x / TwipsPerPixel, y / TwipsPerPixel };
}

inline float pixelsToTwips(qreal pixels)
{
    return static_cast<float>(pixels * TwipsPerPixel);
}
