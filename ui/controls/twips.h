// The window's unit: twips, 15 to a device-independent pixel.
#pragma once

inline constexpr int TwipsPerPixel = 15;

// The nearest whole pixel, halves away from zero (as the design's pixel figures are given).
constexpr int twipsToPixels(double twips)
{
    const double pixels = twips / TwipsPerPixel;
    return static_cast<int>(pixels < 0 ? pixels - 0.5 : pixels + 0.5);
}

constexpr float pixelsToTwips(double pixels)
{
    return static_cast<float>(pixels * TwipsPerPixel);
}
