#include "scrollbarmouse.h"

#include "qtcontrol.h"
#include "qtscrollbar.h"

#include "controls/scrollbar.h"

#include <QTest>
#include <QWindow>

ScrollBarMouse::ScrollBarMouse(QtScrollBar *bar)
    : m_bar(bar)
{ }

ScrollBarMouse::ScrollBarMouse(const ScrollBar *control)
    : m_bar(dynamic_cast<QtScrollBar *>(QtControl::widgetOf(control)))
{
    if (!m_bar) {
        qFatal("a scroll bar without its widget");
    }
}

ScrollBarMouse::~ScrollBarMouse()
{
    if (m_pressed) {
        release();
    }
}

QRect ScrollBarMouse::part(QStyle::SubControl control) const
{
    return m_bar->partRect(control);
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
