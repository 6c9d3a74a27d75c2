#include "thumbdrag.h"

#include "scrollbar.h"

#include <QStyle>
#include <QTest>
#include <QWindow>

ThumbDrag::ThumbDrag(QWidget *window, ScrollBar *bar)
    : m_window(window->windowHandle())
    , m_bar(bar)
    , m_pos(bar->mapTo(window, bar->partRect(QStyle::SC_ScrollBarSlider).center()))
{
    m_counting = QObject::connect(bar, &ScrollBar::Scroll, [this] { ++m_scrolls; });
    send(QEvent::MouseButtonPress, true);
}

ThumbDrag::~ThumbDrag()
{
    send(QEvent::MouseButtonRelease, false);
    QObject::disconnect(m_counting);
}

void ThumbDrag::moveBy(int pixels)
{
    m_pos += m_bar->orientation() == Qt::Horizontal ? QPoint(pixels, 0) : QPoint(0, pixels);
    send(QEvent::MouseMove, true);
}

void ThumbDrag::send(int type, bool buttonDown)
{
    const auto eventType = static_cast<QEvent::Type>(type);
    const Qt::MouseButton button = eventType == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons buttons
        = buttonDown ? Qt::MouseButtons(Qt::LeftButton) : Qt::MouseButtons();
    qt_handleMouseEvent(m_window, m_pos, m_window->mapToGlobal(m_pos), buttons, button, eventType,
        Qt::NoModifier, ++m_timestamp);
}
