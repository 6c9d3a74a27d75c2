#include "scrollbar.h"

#include "runtimeerror.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

void requireInt16(int value)
{
    if (value < std::numeric_limits<int16_t>::min()
        || value > std::numeric_limits<int16_t>::max()) {
        throw RuntimeError(RuntimeError::Kind::InvalidPropertyValue);
    }
}

void requireStep(int step)
{
    requireInt16(step);
    if (step < 1) {
        throw RuntimeError(RuntimeError::Kind::InvalidPropertyValue);
    }
}

} // namespace

ScrollBar::ScrollBar(ControlKind kind, std::string name, Control *container, int left, int top,
    int width, int height)
    : Control(kind, std::move(name), container, left, top, width, height)
{ }

void ScrollBar::assignMin(int min)
{
    requireInt16(min);
    applyRange(min, m_max);
}

void ScrollBar::assignMax(int max)
{
    requireInt16(max);
    applyRange(m_min, max);
}

void ScrollBar::assignValue(int value)
{
    requireInt16(value);
    if (value < lowest() || value > highest()) {
        throw RuntimeError(RuntimeError::Kind::InvalidPropertyValue);
    }
    moveTo(value, false);
}

void ScrollBar::assignSmallChange(int step)
{
    requireStep(step);
    m_smallChange = step;
}

void ScrollBar::assignLargeChange(int step)
{
    requireStep(step);
    m_largeChange = step;
}

void ScrollBar::arrowClicked(int towardsMax)
{
    step(towardsMax, m_smallChange);
}

void ScrollBar::trackClicked(int towardsMax)
{
    step(towardsMax, m_largeChange);
}

void ScrollBar::thumbPressed()
{
    m_thumbHeld = true;
    m_valueBeforeDrag = m_value;
}

void ScrollBar::thumbDraggedTo(int value)
{
    if (!m_thumbHeld) {
        return;
    }
    moveTo(std::clamp(value, lowest(), highest()), true);
}

void ScrollBar::thumbReleased()
{
    if (!m_thumbHeld) {
        return;
    }
    m_thumbHeld = false;
    changed();
    if (m_value != m_valueBeforeDrag) {
        m_valueBeforeDrag = m_value;
        Change();
    }
}

void ScrollBar::userSetValue(int value)
{
    moveTo(std::clamp(value, lowest(), highest()), false);
}

double ScrollBar::thumbFraction() const
{
    if (m_min == m_max) {
        return 0;
    }
    return static_cast<double>(m_value - m_min) / (m_max - m_min);
}

int ScrollBar::valueAtFraction(double fraction) const
{
    const double clamped = std::clamp(fraction, 0.0, 1.0);
    return static_cast<int>(std::lround(m_min + clamped * (m_max - m_min)));
}

void ScrollBar::applyRange(int min, int max)
{
    m_min = min;
    m_max = max;
    const int kept = std::clamp(m_value, lowest(), highest());
    if (kept != m_value) {
        moveTo(kept, false);
    } else {
        changed();
    }
}

void ScrollBar::step(int towardsMax, int amount)
{
    // Towards Max is downwards in value when Min is the larger.
    const int direction = (m_max >= m_min ? 1 : -1) * (towardsMax > 0 ? 1 : -1);
    const int64_t target = static_cast<int64_t>(m_value) + static_cast<int64_t>(direction) * amount;
    const int value = static_cast<int>(std::clamp<int64_t>(target, lowest(), highest()));
    moveTo(value, false);
}

void ScrollBar::moveTo(int value, bool byTheThumb)
{
    if (value == m_value) {
        return;
    }
    m_value = value;
    changed();
    if (byTheThumb) {
        Scroll();
        return;
    }
    // A change by other means while the thumb is held is told at once; the release then tells
    // only what the thumb adds after it.
    m_valueBeforeDrag = value;
    Change();
}
