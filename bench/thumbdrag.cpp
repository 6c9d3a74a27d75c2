#include "thumbdrag.h"

#include "qtscrollbar.h"

#include "controls/scrollbar.h"

#include <QStyle>
#include <QTest>
#include <QWindow>

ThumbDrag::ThumbDrag(QWidget *window, QtScrollBar *bar)
    : m_window(window->windowHandle())
    , m_bar(bar)
    , m_pos(bar->mapTo(window, bar->partRect(QStyle::SC_ScrollBarSlider).center()))
{
    bar->control().Scroll.connect([count = std::weak_ptr<long long>(m_scrolls)] {
        if (const auto alive = count.lock()) {
            ++*alive;
        }
    });
    send(QEvent::MouseButtonPress, true);
}

ThumbDrag::~ThumbDrag()
{
    send(QEvent::MouseButtonRelease, false);
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
