// A scroll bar's thumb held down by the left mouse button and moved, as a drag delivers it: each
// event goes through the window to the bar's own mouse handling, synchronously.
#pragma once

#include <QPoint>

#include <memory>

class QWidget;
class QWindow;
class QtScrollBar;

class ThumbDrag
{
public:
    // Presses on the middle of the thumb of bar, a control of window.
    ThumbDrag(QWidget *window, QtScrollBar *bar);
    ~ThumbDrag();
    ThumbDrag(const ThumbDrag &) = delete;
    ThumbDrag &operator=(const ThumbDrag &) = delete;

    // Moves the pointer along the bar (down or right for positive pixels).
    void moveBy(int pixels);

    // Scroll notifications the bar raised during the drag.
    long long scrolls() const { return *m_scrolls; }

private:
    void send(int type, bool buttonDown);

    QWindow *m_window;
    QtScrollBar *m_bar;
    QPoint m_pos;
    // Shared with the bar's notification, which keeps its handlers after the drag.
    std::shared_ptr<long long> m_scrolls = std::make_shared<long long>(0);
    int m_timestamp = 1000;
};
