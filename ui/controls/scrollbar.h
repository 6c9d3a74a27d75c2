// A classic scroll bar: 16-bit values, a Min that may be greater than Max, and Change / Scroll
// notifications raised synchronously, whether the user or the code moved it.
#pragma once

#include "control.h"

class ScrollBar : public Control
{
public:
    // Horizontal or vertical by kind. Starts at Min 0, Max 32767, value 0, steps 1.
    ScrollBar(ControlKind kind, std::string name, Control *container, int left, int top, int width,
        int height);

    bool isVertical() const { return kind() == ControlKind::VScrollBar; }

    // Min is the value at the top (or left) end, Max at the bottom (or right) end.
    int Min() const { return m_min; }
    int Max() const { return m_max; }
    int Value() const { return m_value; }
    int SmallChange() const { return m_smallChange; }
    int LargeChange() const { return m_largeChange; }

    // Assignments from code. A bound or value that does not fit 16 bits, a value outside the
    // range, or a step below 1 throws RuntimeError (InvalidPropertyValue). A new value raises
    // Change before the assignment returns; the value the bar already has raises nothing. A new
    // bound that leaves the value outside the range moves the value to it and raises Change.
    void assignMin(int min);
    void assignMax(int max);
    void assignValue(int value);
    void assignSmallChange(int step);
    void assignLargeChange(int step);

    // The user's input, as the toolkit delivers it. towardsMax is +1 for the arrow or the track
    // on the Max (bottom or right) side, -1 for the Min side; the value stops at the end.
    void arrowClicked(int towardsMax);
    void trackClicked(int towardsMax);
    // A drag of the thumb: Scroll for every new value while it is held, and Change once on
    // release if the value differs from the one before the drag.
    void thumbPressed();
    void thumbDraggedTo(int value);
    void thumbReleased();
    bool thumbHeld() const { return m_thumbHeld; }
    // A value set by other means (assistive technology sets a value directly): Change, like an
    // arrow click; out-of-range values are brought into the range.
    void userSetValue(int value);

    // Where the thumb stands along the bar, as a fraction from the Min end (0) to the Max end (1),
    // and the value of a thumb at such a fraction, rounded to the nearest value.
    double thumbFraction() const;
    int valueAtFraction(double fraction) const;

    int lowest() const { return m_min < m_max ? m_min : m_max; }
    int highest() const { return m_min < m_max ? m_max : m_min; }

    // The value changed: an arrow or track click, a thumb released at a new value, or code.
    Notification<> Change;
    // The thumb is being dragged; Value() is already the thumb's position.
    Notification<> Scroll;

private:
    void applyRange(int min, int max);
    void step(int towardsMax, int amount);
    // Sets the value and raises Change (Scroll while the thumb is dragged) if it differs.
    void moveTo(int value, bool byTheThumb);

    int m_min = 0;
    int m_max = 32767;
    int m_value = 0;
    int m_smallChange = 1;
    int m_largeChange = 1;
    int m_valueBeforeDrag = 0;
    bool m_thumbHeld = false;
};
