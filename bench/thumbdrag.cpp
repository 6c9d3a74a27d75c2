#include "thumbdrag.h"

#include "controls/scrollbar.h"

#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QWindow>

namespace {

QRect thumbRect(const ScrollBar *bar)
{
    // What QScrollBar::initStyleOption fills in; it is protected.
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.orientation = bar->orientation();
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = bar->sliderPosition();
    option.sliderValue = bar->value();
    option.singleStep = bar->singleStep();
    option.pageStep = bar->pageStep();
    option.upsideDown = bar->invertedAppearance();
    if (option.orientation == Qt::Horizontal) {
        option.state |= QStyle::State_Horizontal;
    }
    return bar->style()->subControlRect(
        QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, bar);
}

} // namespace

ThumbDrag::ThumbDrag(QWidget *window, ScrollBar *bar)
    : m_window(window->windowHandle())
    , m_bar(bar)
    , m_pos(bar->mapTo(window, thumbRect(bar).center()))
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
