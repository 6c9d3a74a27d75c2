// An option button control shown as a QRadioButton; a click selects the control, which rules its
// group.
#pragma once

#include "controls/control.h"

#include <QRadioButton>

class OptionButton;

class QtOptionButton : public QRadioButton, public ControlPeer
{
    Q_OBJECT

public:
    QtOptionButton(OptionButton &control, QWidget *parent);

    OptionButton &control() const { return m_control; }

    void changed() override;

protected:
    // The whole box is clickable, not only the circle and the caption.
    bool hitButton(const QPoint &pos) const override;

private:
    void onToggled(bool selected);

    OptionButton &m_control;
};
