// The anchor's nine button places and the two shapes drawn around it, in twips on the surface.
#pragma once

#include <cstdint>

struct AnchorPoint
{
    int32_t x = 0;
    int32_t y = 0;
};

// The place chosen by anchor button 1..9 on a surface width x height twips: columns left (1),
// centre (width / 2) and right (width), rows top (1), middle and bottom likewise, halves rounded
// to even. Index 1 is top left, 5 the centre, 9 bottom right. Any other index throws
// RuntimeError (SubscriptOutOfRange).
AnchorPoint anchorForButton(int index, double width, double height);

// Top-left corners of the base block (1695 x 495 twips, under the anchor) and of the post
// (255 x 855 twips, standing on it), by checked 32-bit arithmetic.
struct AnchorShapes
{
    AnchorPoint base;
    AnchorPoint post;
};

AnchorShapes anchorShapes(int32_t originX, int32_t originY);
