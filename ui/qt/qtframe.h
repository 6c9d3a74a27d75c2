// A frame control: a tinted box with an etched border and its caption set into the top edge.
// It never takes the focus.
#pragma once

#include "controls/control.h"

#include <QWidget>

class QtFrame : public QWidget, public ControlPeer
{
    Q_OBJECT

public:
    QtFrame(Frame &control, QWidget *parent);

    QString Caption() const;

    void changed() override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Frame &m_control;
};
