#include "scrollbarmouse.h"

#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QTest>
#include <QWindow>

ScrollBarMouse::ScrollBarMouse(QScrollBar *bar)
    : m_bar(bar)
{ }

ScrollBarMouse::~ScrollBarMouse()
{
    if (m_pressed) {
        release();
    }
}

QRect ScrollBarMouse::part(QStyle::SubControl control) const
{
    QStyleOptionSlider option;
    option.initFrom(m_bar);
    option.subControls = QStyle::SC_None;
    option.activeSubControls = QStyle::SC_None;
    option.orientation = m_bar->orientation();
    option.minimum = m_bar->minimum();
    option.maximum = m_bar->maximum();
    option.sliderPosition = m_bar->sliderPosition();
    option.sliderValue = m_bar->value();
    option.singleStep = m_bar->singleStep();
    option.pageStep = m_bar->pageStep();
    option.upsideDown = m_bar->invertedAppearance();
    if (m_bar->orientation() == Qt::Horizontal) {
        option.state |= QStyle::State_Horizontal;
    }
    return m_bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, control, m_bar);
}

void ScrollBarMouse::click(QStyle::SubControl control) const
{
    const QRect rect = part(control);
    if (rect.isEmpty()) {
        qFatal(
            "scroll bar %s has no part %d to click", qPrintable(m_bar->objectName()), int(control));
    }
    send(rect.center(), true, true);
}

void ScrollBarMouse::pressThumb()
{
    m_pointer = part(QStyle::SC_ScrollBarSlider).center();
    m_pressed = true;
    send(m_pointer, true, false);
}

void ScrollBarMouse::dragTo(int along)
{
    if (!m_pressed) {
        qFatal("drag on %s without pressing its thumb", qPrintable(m_bar->objectName()));
    }
    m_pointer = onAxis(along);
    send(m_pointer, false, false);
}

void ScrollBarMouse::release()
{
    m_pressed = false;
    send(m_pointer, false, true);
}

int ScrollBarMouse::trackStart() const
{
    const QRect groove = part(QStyle::SC_ScrollBarGroove);
    return m_bar->orientation() == Qt::Horizontal ? groove.left() : groove.top();
}

int ScrollBarMouse::trackEnd() const
{
    const QRect groove = part(QStyle::SC_ScrollBarGroove);
    return m_bar->orientation() == Qt::Horizontal ? groove.right() : groove.bottom();
}

QPoint ScrollBarMouse::onAxis(int along) const
{
    // Stay on the thumb's line across the bar, so that no style snaps the thumb back.
    return m_bar->orientation() == Qt::Horizontal ? QPoint(along, m_pointer.y())
                                                  : QPoint(m_pointer.x(), along);
}

void ScrollBarMouse::send(QPoint barPos, bool press, bool release) const
{
    QWidget *top = m_bar->window();
    QWindow *window = top->windowHandle();
    const QPoint pos = m_bar->mapTo(top, barPos);
    if (press) {
        QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, pos);
    }
    if (release) {
        QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, pos);
    }
    if (!press && !release) {
        QTest::mouseMove(window, pos);
    }
}
