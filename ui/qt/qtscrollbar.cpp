#include "qtscrollbar.h"

#include "palette.h"
#include "qtcontrol.h"

#include "controls/scrollbar.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <cstdlib>

QtScrollBar::QtScrollBar(ScrollBar &control, QWidget *parent)
    : QScrollBar(control.isVertical() ? Qt::Vertical : Qt::Horizontal, parent)
    , m_control(control)
{
    QtControl::setUp(this, control);
    setPalette(standardPalette());
    setFocusPolicy(Qt::StrongFocus);
    setContextMenuPolicy(Qt::PreventContextMenu);
    setInvertedControls(false);
    changed();
    // Qt moves its own position first and then tells; the control decides the value, and the
    // widget shows what the control holds.
    connect(this, &QAbstractSlider::actionTriggered, this, &QtScrollBar::onAction);
    connect(this, &QAbstractSlider::sliderPressed, this,
        [this] { deliver([this] { m_control.thumbPressed(); }); });
    connect(this, &QAbstractSlider::sliderReleased, this,
        [this] { deliver([this] { m_control.thumbReleased(); }); });
    control.setPeer(this);
}

int QtScrollBar::direction() const
{
    return m_control.Min() > m_control.Max() ? -1 : 1;
}

void QtScrollBar::changed()
{
    const QSignalBlocker blocker(this);
    const int d = direction();
    setRange(d * m_control.Min(), d * m_control.Max());
    setSingleStep(m_control.SmallChange());
    setPageStep(m_control.LargeChange());
    setValue(d * m_control.Value());
}

void QtScrollBar::deliver(const std::function<void()> &input)
{
    QtControl::deliver(m_control, input);
    // Also when the control refused the move (an end reached, the program ended): Qt's own
    // position must not run ahead of the control's value.
    changed();
}

void QtScrollBar::onAction(int action)
{
    const int position = direction() * sliderPosition();
    deliver([this, action, position] {
        switch (action) {
        case SliderSingleStepAdd:
            m_control.arrowClicked(+1);
            break;
        case SliderSingleStepSub:
            m_control.arrowClicked(-1);
            break;
        case SliderPageStepAdd:
            m_control.trackClicked(+1);
            break;
        case SliderPageStepSub:
            m_control.trackClicked(-1);
            break;
        case SliderMove:
            if (m_control.thumbHeld()) {
                m_control.thumbDraggedTo(position);
            } else {
                m_control.userSetValue(position);
            }
            break;
        default:
            m_control.userSetValue(position);
            break;
        }
    });
}

QStyleOptionSlider QtScrollBar::styleOption() const
{
    QStyleOptionSlider option;
    initStyleOption(&option);
    return option;
}

QRect QtScrollBar::partRect(QStyle::SubControl part) const
{
    const QStyleOptionSlider option = styleOption();
    return style()->subControlRect(QStyle::CC_ScrollBar, &option, part, this);
}

void QtScrollBar::mousePressEvent(QMouseEvent *event)
{
    // Only the left button scrolls; Qt's middle-click jump has no classic counterpart.
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    QScrollBar::mousePressEvent(event);
}

void QtScrollBar::paintEvent(QPaintEvent *event)
{
    QScrollBar::paintEvent(event);
    // Fusion shows no focus on a scroll bar; the mark sits on the thumb, inside its edges.
    if (hasFocus()) {
        QPainter painter(this);
        QtControl::drawFocusRect(painter,
            partRect(QStyle::SC_ScrollBarSlider).adjusted(3, 3, -3, -3),
            palette().color(QPalette::ButtonText));
    }
}

void QtScrollBar::wheelEvent(QWheelEvent *event)
{
    // One notch (120) is one arrow click, towards the top or left end for a turn away from the
    // user. A turn of more than half a notch counts in whole notches, rounded, since not every
    // platform's notch is 120; finer ones (touchpads, high-resolution wheels) add up.
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
    // An arrow click each, even while the thumb is held: Change, like every other notch.
    for (int step = 0; step < std::abs(notches); ++step) {
        triggerAction(notches > 0 ? SliderSingleStepSub : SliderSingleStepAdd);
    }
    event->accept();
}
