// The arm's shared state: both segments and the anchor, alive for the whole run.
#pragma once

#include <array>
#include <cstdint>
#include <string>

// One segment of the arm.
struct ArmState
{
    // Direction in whole degrees, never wrapped: 0 points right, 90 down (clockwise on screen).
    // Segment 1 is always against the world; segment 2 against the world ("ABS") or against
    // segment 1 ("REL").
    int32_t Angle = 0;
    // "ABS" or "REL" for segment 2; empty for segment 1. Informational: drawing reads the mode
    // from the option buttons.
    std::string Mode;
    // Length in twips.
    int32_t Radius = 0;
};

// The two segments, addressed 1 and 2 like the control arrays that mirror them.
class ArmArray
{
public:
    // Throws RuntimeError (SubscriptOutOfRange) for any index but 1 and 2.
    ArmState &operator()(int index);

private:
    std::array<ArmState, 2> m_segments;
};

inline ArmArray Arm;

// The anchor, in twips from the drawing surface's top-left inner corner.
inline int32_t OriginX = 0;
inline int32_t OriginY = 0;

// The single-precision 3.14159 widened to double (3.141590118408203): the drawing depends on its
// error, e.g. 360 degrees lands 0.02 twip away from 0 degrees on a 4000-twip segment.
inline constexpr double pi = static_cast<double>(3.14159f);
