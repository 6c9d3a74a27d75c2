// Where the segments go, and how segment 2's stored angle follows its mode.
// Angles are whole degrees, clockwise on screen from +X; positions are twips on the surface.
#pragma once

#include <cstdint>

struct SegmentEnd
{
    float x = 0;
    float y = 0;
};

// The far end of a segment from its start (x1, y1), its length in twips and its world angle:
// radius * cos(angle * pi / 180) + x1 formed in double and rounded to single precision, the same
// for y with the sine.
SegmentEnd segmentEnd(float x1, float y1, int32_t radius, int64_t angle);

// The angle segment 2's stored angle is measured from: segment 1's angle when Rigid, else 0.
int32_t baseAngle(bool rigid, int32_t arm1Angle);

// Segment 2's direction in the world. Summed in 64 bits: no pair of stored angles can overflow it.
int64_t worldAngle(int32_t base, int32_t arm2Angle);

// The direction 0..359 that an unbounded angle points in: 1345 -> 265, -155 -> 205.
int directionOf(int64_t angle);

// An exact angle brought into the 32-bit range by the fewest whole turns towards zero, so that
// the direction it names is kept. Angles already in range come back unchanged.
int32_t fitAngle(int64_t angle);

// A stored angle turned by delta degrees (+ is clockwise), kept in range by fitAngle.
int32_t turnAngle(int32_t angle, int32_t delta);

// Segment 2's stored angle converted when Floating becomes selected (relative -> world) ...
int32_t toFloatingAngle(int32_t arm1Angle, int32_t arm2Angle);
// ... and when Rigid becomes selected (world -> relative to segment 1).
int32_t toRigidAngle(int32_t arm1Angle, int32_t arm2Angle);
