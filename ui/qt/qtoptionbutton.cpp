#include "qtoptionbutton.h"

#include "qtcontrol.h"

#include "controls/optionbutton.h"

QtOptionButton::QtOptionButton(OptionButton &control, QWidget *parent)
    : QRadioButton(parent)
    , m_control(control)
{
    QtControl::setUp(this, control);
    QtControl::applyLook(this, control);
    setBackgroundRole(QPalette::Window);
    setAutoFillBackground(true);
    changed();
    // Whatever selected the widget (a click, assistive technology's press or toggle), the control
    // decides; Qt's exclusive group only keeps the look of one selected button.
    connect(this, &QAbstractButton::toggled, this, &QtOptionButton::onToggled);
    control.setPeer(this);
}

void QtOptionButton::changed()
{
    const QSignalBlocker blocker(this);
    setText(QtControl::text(m_control.Caption()));
    if (m_control.Value()) {
        setChecked(true);
    } else if (isChecked()) {
        // An exclusive button refuses to be cleared directly.
        setAutoExclusive(false);
        setChecked(false);
        setAutoExclusive(true);
    }
    // A click gives any button the focus; Tab reaches only the selected one.
    setFocusPolicy(m_control.Value() ? Qt::StrongFocus : Qt::ClickFocus);
}

bool QtOptionButton::hitButton(const QPoint &pos) const
{
    return rect().contains(pos);
}

void QtOptionButton::onToggled(bool selected)
{
    if (selected == m_control.Value()) {
        return;
    }
    if (selected) {
        QtControl::deliver(m_control, [this] { m_control.click(); });
    }
    changed();
}
