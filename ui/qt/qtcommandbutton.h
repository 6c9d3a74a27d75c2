// A push button control shown as a flat face in its colour with a bevelled edge.
#pragma once

#include "controls/control.h"

#include <QPushButton>

class QtCommandButton : public QPushButton, public ControlPeer
{
    Q_OBJECT

public:
    QtCommandButton(CommandButton &control, QWidget *parent);

    CommandButton &control() const { return m_control; }

    void changed() override;

protected:
    // The style's gradient would hide the fixed face colour the window gives its buttons.
    void paintEvent(QPaintEvent *event) override;

private:
    CommandButton &m_control;
};
