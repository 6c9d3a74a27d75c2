// Colours of the control set: classic 0x00BBGGRR values and palettes with every role set.
#pragma once

#include <QColor>
#include <QPalette>

// A colour from a classic 0x00BBGGRR value (red in the lowest byte).
inline QColor classicColor(quint32 bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

// The window's fixed light palette with every role of every group set: a control given it keeps
// the standard colours inside a tinted container instead of inheriting the tint, and as the
// application palette nothing is left for a platform theme to fill in, at start or later.
QPalette standardPalette();

// The standard palette with the window (background) and window text colours replaced.
QPalette tintedPalette(const QColor &background, const QColor &text);
