// A label control: plain text in a tinted box, never focused.
#pragma once

#include "controls/control.h"

#include <QLabel>

class QtLabel : public QLabel, public ControlPeer
{
    Q_OBJECT

public:
    QtLabel(Label &control, QWidget *parent);

    Label &control() const { return m_control; }
    QString Caption() const { return text(); }

    void changed() override;

private:
    Label &m_control;
};
