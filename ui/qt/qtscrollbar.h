// A scroll bar control shown as a QScrollBar: the control's range, steps and value on the widget,
// and the user's arrows, track and thumb delivered to the control.
#pragma once

#include "controls/control.h"

#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>

class ScrollBar;

class QtScrollBar : public QScrollBar, public ControlPeer
{
    Q_OBJECT

public:
    QtScrollBar(ScrollBar &control, QWidget *parent);

    ScrollBar &control() const { return m_control; }

    // The style's view of the bar as Qt paints it, and where that puts a part (arrow, track,
    // thumb) now, in the bar's coordinates: for input aimed at a part.
    QStyleOptionSlider styleOption() const;
    QRect partRect(QStyle::SubControl part) const;

    void changed() override;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    // Qt's range runs top to bottom, so a bar whose top value is the larger is shown negated.
    int direction() const;
    void onAction(int action);
    void deliver(const std::function<void()> &input);

    ScrollBar &m_control;
    int m_wheelDelta = 0;
};
