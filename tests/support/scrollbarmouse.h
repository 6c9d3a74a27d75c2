// A user's pointer on one scroll bar: clicks on its arrows and track and drags of its thumb, sent
// through the bar's top-level window so that Qt delivers them as it delivers real input.
#pragma once

#include <QPoint>
#include <QRect>
#include <QStyle>

class QtScrollBar;
class ScrollBar;

class ScrollBarMouse
{
public:
    explicit ScrollBarMouse(QtScrollBar *bar);
    // The bar that shows the control.
    explicit ScrollBarMouse(const ScrollBar *control);
    // Lets go of a thumb still held, so that a test that stops half-way leaves no button down.
    ~ScrollBarMouse();
    ScrollBarMouse(const ScrollBarMouse &) = delete;
    ScrollBarMouse &operator=(const ScrollBarMouse &) = delete;

    // Where the bar's style puts a part now, in the bar's coordinates: SC_ScrollBarSubLine (top
    // or left arrow), SC_ScrollBarAddLine, SC_ScrollBarSubPage (track before the thumb),
    // SC_ScrollBarAddPage, SC_ScrollBarSlider (the thumb), SC_ScrollBarGroove.
    QRect part(QStyle::SubControl control) const;

    // One left click at the centre of a part; an empty part is a mistake in the test.
    void click(QStyle::SubControl control) const;

    // A thumb drag: press on the thumb's centre, move the pointer along the bar (to a coordinate
    // on the bar's axis, in the bar's coordinates), release where the pointer is.
    void pressThumb();
    void dragTo(int along);
    void release();

    // The two ends of the track, for drags that push the thumb as far as it goes.
    int trackStart() const;
    int trackEnd() const;

private:
    QPoint onAxis(int along) const;
    void send(QPoint barPos, bool press, bool release) const;

    QtScrollBar *m_bar;
    QPoint m_pointer;
    bool m_pressed = false;
};
