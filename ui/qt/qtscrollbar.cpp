#include "scrollbar.h"

#include "control.h"
#include "runtimeerror.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QWheelEvent>

#include <algorithm>
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

ScrollBar::ScrollBar(Qt::Orientation orientation, QWidget *parent)
    : QScrollBar(orientation, parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setContextMenuPolicy(Qt::PreventContextMenu);
    setInvertedControls(false);
    setRange(m_min, m_max);
    connect(this, &QAbstractSlider::valueChanged, this, &ScrollBar::onValueChanged);
    connect(this, &QAbstractSlider::sliderPressed, this, [this] { m_valueBeforeDrag = Value(); });
    connect(this, &QAbstractSlider::sliderReleased, this, [this] {
        if (Value() != m_valueBeforeDrag) {
            emit Change();
        }
    });
}

int ScrollBar::Value() const
{
    return direction() * value();
}

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
    if (value < std::min(m_min, m_max) || value > std::max(m_min, m_max)) {
        throw RuntimeError(RuntimeError::Kind::InvalidPropertyValue);
    }
    if (value == Value()) {
        return;
    }
    // Qt emits valueChanged inside setValue, so Change runs before this assignment returns.
    const QScopedValueRollback notTheThumb(m_notTheThumb, true);
    setValue(direction() * value);
}

void ScrollBar::assignSmallChange(int step)
{
    requireStep(step);
    setSingleStep(step);
}

void ScrollBar::assignLargeChange(int step)
{
    requireStep(step);
    setPageStep(step);
}

QStyleOptionSlider ScrollBar::styleOption() const
{
    QStyleOptionSlider option;
    initStyleOption(&option);
    return option;
}

QRect ScrollBar::partRect(QStyle::SubControl part) const
{
    const QStyleOptionSlider option = styleOption();
    return style()->subControlRect(QStyle::CC_ScrollBar, &option, part, this);
}

void ScrollBar::applyRange(int min, int max)
{
    const int before = Value();
    m_min = min;
    m_max = max;
    const int kept = std::clamp(before, std::min(min, max), std::max(min, max));
    {
        const QSignalBlocker blocker(this);
        const int d = direction();
        setRange(std::min(d * min, d * max), std::max(d * min, d * max));
        setValue(d * kept);
    }
    if (kept != before) {
        emit Change();
    }
}

void ScrollBar::onValueChanged()
{
    if (isSliderDown() && !m_notTheThumb) {
        emit Scroll();
        return;
    }
    // A change while the thumb is held has been told already; the release tells only what the
    // thumb adds after it.
    m_valueBeforeDrag = Value();
    emit Change();
}

void ScrollBar::mousePressEvent(QMouseEvent *event)
{
    // Only the left button scrolls; Qt's middle-click jump has no classic counterpart.
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    QScrollBar::mousePressEvent(event);
}

void ScrollBar::paintEvent(QPaintEvent *event)
{
    QScrollBar::paintEvent(event);
    // Fusion shows no focus on a scroll bar; the mark sits on the thumb, inside its edges.
    if (hasFocus()) {
        QPainter painter(this);
        Control::drawFocusRect(painter, partRect(QStyle::SC_ScrollBarSlider).adjusted(3, 3, -3, -3),
            palette().color(QPalette::ButtonText));
    }
}

void ScrollBar::wheelEvent(QWheelEvent *event)
{
    // One notch (120) is one arrow click, towards the top or left end for a turn away from the user.
    // A browser gives a notch in its own pixels (Chromium 120, Firefox 114, others 100), so a turn
    // of more than half a notch counts in whole notches, rounded; finer ones (touchpads,
    // high-resolution wheels) add up.
    const QPoint angle = event->angleDelta();
    const int delta = std::abs(angle.y()) >= std::abs(angle.x()) ? angle.y() : angle.x();
    int notches = 0;
    if (std::abs(delta) > 60) {
        notches = (delta + (delta > 0 ? 60 : -60)) / 120;
    } else {
        m_wheelDelta += delta;
        notches = m_wheelDelta / 120;
        m_wheelDelta -= notches * 120;
    }
    // Not a thumb move, even while the thumb is held: Change, like every other notch.
    const QScopedValueRollback notTheThumb(m_notTheThumb, true);
    for (int step = 0; step < std::abs(notches); ++step) {
        triggerAction(notches > 0 ? SliderSingleStepSub : SliderSingleStepAdd);
    }
    event->accept();
}
