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
    // One notch is one arrow click, towards the top or left end for a turn away from the user.
    const QPoint delta = event->angleDelta();
    m_wheelDelta += std::abs(delta.y()) >= std::abs(delta.x()) ? delta.y() : delta.x();
    // Not a thumb move, even while the thumb is held: Change, like every other notch.
    const QScopedValueRollback notTheThumb(m_notTheThumb, true);
    while (std::abs(m_wheelDelta) >= 120) {
        const bool towardsStart = m_wheelDelta > 0;
        m_wheelDelta += towardsStart ? -120 : 120;
        triggerAction(towardsStart ? SliderSingleStepSub : SliderSingleStepAdd);
    }
    event->accept();
}
